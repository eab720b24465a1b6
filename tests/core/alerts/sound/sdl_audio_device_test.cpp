// The SDL output for real, through SDL's disk driver: everything the device plays is
// written to a file as 16-bit mono samples at 44100 Hz, the format the output asks for.
#include "core/alerts/sound/sdl_audio_device.h"
#include "core/alerts/sound/sound_output.h"
#include "core/resources/embedded_resources.h"
#include "wav_builder.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace tindrel {
namespace {

using testing::WavBuilder;

constexpr int rate = 44100;

std::vector<int16_t> as_samples(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> out(bytes.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    return out;
}

std::vector<uint8_t> as_bytes(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> out;
    for (int16_t s : samples) {
        out.push_back(static_cast<uint8_t>(s & 0xFF));
        out.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
    }
    return out;
}

// A stretch of sound between silences, in output samples.
struct Burst {
    std::size_t start;
    std::size_t length;
};

// The non-silent stretches of `samples`; silences shorter than `gap` samples belong to
// the burst around them (a tone crosses zero often).
std::vector<Burst> bursts(const std::vector<int16_t>& samples, std::size_t gap = 100) {
    std::vector<Burst> found;
    std::size_t quiet = gap;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > 300) {
            if (quiet >= gap) {
                found.push_back({i, 0});
            }
            found.back().length = i + 1 - found.back().start;
            quiet = 0;
        } else {
            ++quiet;
        }
    }
    return found;
}

// Sign changes per second within a burst, halved: the frequency of a plain tone.
double frequency(const std::vector<int16_t>& samples, const Burst& burst) {
    int crossings = 0;
    for (std::size_t i = burst.start + 1; i < burst.start + burst.length; ++i) {
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
    }
    return crossings / 2.0 * rate / static_cast<double>(burst.length);
}

class SdlAudioDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        output = std::filesystem::temp_directory_path() /
                 ("tindrel-audio-" + std::to_string(getpid()) + ".raw");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    }
    void TearDown() override {
        sound.sound_shutdown();
        std::filesystem::remove(output);
    }

    std::vector<int16_t> written() const {
        std::ifstream in(output, std::ios::binary);
        return as_samples({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    }

    // Waits, for at most 10 s of wall time, until the output satisfies `done`. The disk
    // driver writes at the pace of a real device, so the test has to let it.
    std::vector<int16_t>
    written_once(const std::function<bool(const std::vector<int16_t>&)>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::vector<int16_t> samples = written();
        while (!done(samples) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            samples = written();
        }
        return samples;
    }

    // Waits until `count` samples of silence follow the last sound.
    std::vector<int16_t> written_until_quiet(std::size_t count = rate / 10) {
        return written_once([&](const std::vector<int16_t>& s) {
            const std::vector<Burst> b = bursts(s);
            return !b.empty() && s.size() >= b.back().start + b.back().length + count;
        });
    }

    std::filesystem::path output;
    SdlAudioDevice device;
    SoundOutput sound{device};
};

// A clip already in the output's format, so that its samples must come out unchanged:
// loud noise, in which no stretch repeats.
std::vector<int16_t> noise_clip(std::size_t count) {
    std::vector<int16_t> samples(count);
    uint32_t state = 12345;
    for (int16_t& sample : samples) {
        state = state * 1664525u + 1013904223u;
        const int value = 1000 + static_cast<int>((state >> 8) % 20000);
        sample = static_cast<int16_t>((state & 0x80) ? value : -value);
    }
    return samples;
}

std::vector<uint8_t> as_wav(const std::vector<int16_t>& samples) {
    return WavBuilder().fmt(1, 1, rate, 16).chunk("data", as_bytes(samples)).bytes();
}

// Where `part` starts within `whole`, or npos.
std::size_t find(const std::vector<int16_t>& whole, const std::vector<int16_t>& part,
                 std::size_t from = 0) {
    const auto it = std::search(whole.begin() + static_cast<std::ptrdiff_t>(from), whole.end(),
                                part.begin(), part.end());
    return it == whole.end() ? std::string::npos : static_cast<std::size_t>(it - whole.begin());
}

TEST_F(SdlAudioDeviceTest, WithoutAUsableDriverThereIsNoSound) {
    setenv("SDL_AUDIODRIVER", "none-such", 1);
    EXPECT_FALSE(sound.sound_init());
    EXPECT_FALSE(sound.sound_load(alert_clip, alert_wav()));
    EXPECT_FALSE(sound.sound_play(alert_clip, 0, 100));
}

TEST_F(SdlAudioDeviceTest, TheClipsSamplesReachTheOutputUnchanged) {
    const std::vector<int16_t> clip = noise_clip(rate / 4);
    ASSERT_TRUE(sound.sound_init());
    ASSERT_TRUE(sound.sound_load(alert_clip, as_wav(clip)));
    ASSERT_TRUE(sound.sound_play(alert_clip, 0, 100));

    const std::vector<int16_t> out = written_until_quiet();
    const std::vector<Burst> heard = bursts(out);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].length, clip.size());
    EXPECT_EQ(find(out, clip), heard[0].start);
}

TEST_F(SdlAudioDeviceTest, ASecondPlayRestartsTheClipWithoutOverlap) {
    const std::vector<int16_t> clip = noise_clip(rate);
    ASSERT_TRUE(sound.sound_init());
    ASSERT_TRUE(sound.sound_load(alert_clip, as_wav(clip)));
    ASSERT_TRUE(sound.sound_play(alert_clip, 0, 100));
    // Let part of the clip reach the output, then play it again.
    const std::vector<int16_t> opening(clip.begin(), clip.begin() + rate / 10);
    written_once(
        [&](const std::vector<int16_t>& s) { return find(s, opening) != std::string::npos; });
    ASSERT_TRUE(sound.sound_play(alert_clip, 0, 100));

    const std::vector<int16_t> out = written_until_quiet();
    const std::size_t first = find(out, opening);
    ASSERT_NE(first, std::string::npos);
    const std::size_t second = find(out, opening, first + 1);
    ASSERT_NE(second, std::string::npos);
    const std::size_t cut_at = second - first;
    ASSERT_LT(cut_at, clip.size());
    // The first play ends where the second begins, and the second plays the clip in full.
    EXPECT_TRUE(std::equal(clip.begin(), clip.begin() + static_cast<std::ptrdiff_t>(cut_at),
                           out.begin() + static_cast<std::ptrdiff_t>(first)));
    EXPECT_EQ(find(out, clip, first), second);
    const std::vector<Burst> heard = bursts(out);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].length, cut_at + clip.size());
}

TEST_F(SdlAudioDeviceTest, TheAlertClipSoundsForItsWhoop) {
    ASSERT_TRUE(sound.sound_init());
    ASSERT_TRUE(sound.sound_load(alert_clip, alert_wav()));
    ASSERT_TRUE(sound.sound_play(alert_clip, 0, 100));

    const std::vector<int16_t> out = written_until_quiet();
    const std::vector<Burst> heard = bursts(out);
    ASSERT_EQ(heard.size(), 1u);
    // About 0.9 s, less the quiet ends of its fade in and out.
    EXPECT_NEAR(static_cast<double>(heard[0].length) / rate, 0.89, 0.02);
}

TEST_F(SdlAudioDeviceTest, BeepsAreHeardForTheirLengthAndReturnWhenTheyEnd) {
    ASSERT_TRUE(sound.sound_init());
    const struct {
        int frequency;
        int milliseconds;
    } beeps[] = {{2000, 100}, {1000, 100}, {440, 250}};
    for (std::size_t i = 0; i < std::size(beeps); ++i) {
        // The disk driver plays at the pace of a real device, so a beep that returns
        // before its tone has played out returns early. (The file itself lags behind the
        // device by a buffer or two, so it cannot tell.)
        const auto started = std::chrono::steady_clock::now();
        sound.beep(beeps[i].frequency, beeps[i].milliseconds);
        const auto took = std::chrono::steady_clock::now() - started;
        EXPECT_GE(took, std::chrono::milliseconds(beeps[i].milliseconds * 95 / 100)) << i;

        const std::vector<int16_t> out = written_until_quiet();
        const std::vector<Burst> heard = bursts(out);
        ASSERT_EQ(heard.size(), i + 1);
        const int length = rate * beeps[i].milliseconds / 1000;
        EXPECT_NEAR(static_cast<double>(heard[i].length), length, rate * 0.003) << i;
        EXPECT_NEAR(frequency(out, heard[i]), beeps[i].frequency, beeps[i].frequency * 0.01) << i;
    }
}

} // namespace
} // namespace tindrel
