#include "core/alerts/sound/sound_output.h"
#include "core/resources/embedded_resources.h"
#include "fake_audio_device.h"
#include "fake_clock.h"
#include "wav_builder.h"

#include <gtest/gtest.h>

namespace tindrel {
namespace {

using testing::FakeAudioDevice;
using testing::FakeClock;
using testing::WavBuilder;

const FakeAudioDevice::Sound* sound_of(const FakeAudioDevice::Start& start) {
    return dynamic_cast<const FakeAudioDevice::Sound*>(start.sound.get());
}

class SoundOutputTest : public ::testing::Test {
protected:
    FakeAudioDevice device;
    FakeClock clock;
    SoundOutput sound{device, [this](uint32_t ms) { clock.advance(ms); }};
};

TEST_F(SoundOutputTest, WithoutADeviceNothingLoadsOrPlaysAndBeepsKeepTheirTime) {
    device.can_open = false;
    EXPECT_FALSE(sound.sound_init());
    EXPECT_FALSE(sound.sound_load(alert_clip, alert_wav()));
    EXPECT_FALSE(sound.sound_play(alert_clip, 0, 100));

    sound.beep(2000, 100);
    sound.beep(1000, 100);
    EXPECT_EQ(clock.now, 200u);
    EXPECT_TRUE(device.starts.empty());
    sound.sound_shutdown(); // harmless
}

TEST_F(SoundOutputTest, InitOpensTheDeviceOnce) {
    EXPECT_TRUE(sound.sound_init());
    EXPECT_TRUE(sound.sound_init());
    EXPECT_EQ(device.opens, 1);
}

TEST_F(SoundOutputTest, PlaysTheLoadedClipFromItsSamplesOnTheClipVoice) {
    ASSERT_TRUE(sound.sound_init());
    ASSERT_TRUE(sound.sound_load(alert_clip, alert_wav()));
    ASSERT_TRUE(sound.sound_play(alert_clip, 0, 100));

    ASSERT_EQ(device.starts.size(), 1u);
    EXPECT_EQ(device.starts[0].voice, Voice::clip);
    EXPECT_EQ(device.starts[0].volume, 100);
    const FakeAudioDevice::Sound* played = sound_of(device.starts[0]);
    ASSERT_NE(played, nullptr);
    EXPECT_EQ(played->format.samples_per_second, 11025u);
    EXPECT_EQ(played->samples.size(), 14329u);
    EXPECT_EQ(played->samples[0], alert_wav()[44]);
}

TEST_F(SoundOutputTest, PlayFailsForAnEmptyNumberOrARefusingDevice) {
    ASSERT_TRUE(sound.sound_init());
    EXPECT_FALSE(sound.sound_play(alert_clip, 0, 100));
    ASSERT_TRUE(sound.sound_load(alert_clip, alert_wav()));
    EXPECT_FALSE(sound.sound_play(alert_clip + 1, 0, 100));
    device.accepts_start = false;
    EXPECT_FALSE(sound.sound_play(alert_clip, 0, 100));
}

TEST_F(SoundOutputTest, VolumeIsClampedToAPercentage) {
    ASSERT_TRUE(sound.sound_init());
    ASSERT_TRUE(sound.sound_load(alert_clip, alert_wav()));
    const std::pair<int, int> cases[] = {{100, 100}, {50, 50}, {0, 0}, {250, 100}, {-7, 0}};
    for (const auto& [asked, given] : cases) {
        ASSERT_TRUE(sound.sound_play(alert_clip, 0, asked));
        EXPECT_EQ(device.starts.back().volume, given) << asked;
    }
}

TEST_F(SoundOutputTest, ARejectedClipLeavesTheNumberAsItWas) {
    ASSERT_TRUE(sound.sound_init());
    ASSERT_TRUE(sound.sound_load(alert_clip, alert_wav()));
    const std::vector<uint8_t> no_data = WavBuilder().fmt(1, 1, 11025, 8).bytes();
    const std::vector<uint8_t> no_samples =
        WavBuilder().fmt(1, 1, 11025, 8).chunk("data", {}).bytes();
    EXPECT_FALSE(sound.sound_load(alert_clip, no_data));
    EXPECT_FALSE(sound.sound_load(alert_clip, no_samples));

    ASSERT_TRUE(sound.sound_play(alert_clip, 0, 100));
    EXPECT_EQ(sound_of(device.starts.back())->samples.size(), 14329u);
}

TEST_F(SoundOutputTest, ReloadingANumberStopsAndReleasesTheOldClip) {
    ASSERT_TRUE(sound.sound_init());
    ASSERT_TRUE(sound.sound_load(alert_clip, alert_wav()));
    ASSERT_TRUE(sound.sound_play(alert_clip, 0, 100));
    std::weak_ptr<const DeviceSound> old = device.starts.back().sound;
    device.starts.clear();

    const std::vector<uint8_t> other =
        WavBuilder().fmt(1, 1, 8000, 8).chunk("data", {1, 2, 3}).bytes();
    ASSERT_TRUE(sound.sound_load(alert_clip, other));
    EXPECT_EQ(device.stops, std::vector<Voice>{Voice::clip});
    EXPECT_TRUE(old.expired());

    ASSERT_TRUE(sound.sound_play(alert_clip, 0, 100));
    EXPECT_EQ(sound_of(device.starts.back())->samples.size(), 3u);
}

TEST_F(SoundOutputTest, ShutdownReleasesEveryClipAndClosesTheDevice) {
    ASSERT_TRUE(sound.sound_init());
    ASSERT_TRUE(sound.sound_load(1, alert_wav()));
    ASSERT_TRUE(sound.sound_load(7, alert_wav()));
    ASSERT_TRUE(sound.sound_play(7, 0, 100));
    std::weak_ptr<const DeviceSound> played = device.starts.back().sound;
    device.starts.clear();

    sound.sound_shutdown();
    EXPECT_FALSE(device.is_open);
    EXPECT_TRUE(played.expired());
    EXPECT_FALSE(sound.sound_play(1, 0, 100));
    EXPECT_FALSE(sound.sound_play(7, 0, 100));
}

TEST_F(SoundOutputTest, BeepPlaysAToneOfItsLengthOnTheToneVoiceAndWaitsForIt) {
    ASSERT_TRUE(sound.sound_init());
    sound.beep(2000, 100);

    ASSERT_EQ(device.starts.size(), 1u);
    EXPECT_EQ(device.starts[0].voice, Voice::tone);
    const FakeAudioDevice::Sound* tone = sound_of(device.starts[0]);
    ASSERT_NE(tone, nullptr);
    const uint32_t frame = tone->format.block_align;
    EXPECT_EQ(tone->samples.size() / frame * 1000 / tone->format.samples_per_second, 100u);
    ASSERT_EQ(device.waits.size(), 1u);
    EXPECT_GE(device.waits[0], 100u);
    EXPECT_EQ(clock.now, 0u); // the device kept the time, not a silent pause
}

TEST_F(SoundOutputTest, BeepsTheOutputCannotPlayWaitSilently) {
    ASSERT_TRUE(sound.sound_init());
    sound.beep(0, 40);
    sound.beep(30000, 60);
    sound.beep(1000, 0);
    EXPECT_EQ(clock.now, 100u);
    EXPECT_TRUE(device.starts.empty());
}

} // namespace
} // namespace tindrel
