#include "core/alerts/sound/wav_reader.h"
#include "core/resources/embedded_resources.h"
#include "wav_builder.h"

#include <gtest/gtest.h>

namespace tindrel {
namespace {

using testing::WavBuilder;

const std::vector<uint8_t> samples = {128, 140, 150, 140, 128, 116, 106, 116};

TEST(WavReader, ReadsTheAlertClip) {
    const std::span<const uint8_t> wav = alert_wav();
    const std::optional<WaveClip> clip = read_wav(wav);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->format.format_tag, 1);
    EXPECT_EQ(clip->format.channels, 1);
    EXPECT_EQ(clip->format.samples_per_second, 11025u);
    EXPECT_EQ(clip->format.average_bytes_per_second, 11025u);
    EXPECT_EQ(clip->format.block_align, 1);
    EXPECT_EQ(clip->format.bits_per_sample, 8);
    EXPECT_EQ(clip->samples.data(), wav.data() + 44);
    EXPECT_EQ(clip->samples.size(), 14329u);
}

TEST(WavReader, SkipsChunksBetweenFormatAndData) {
    const std::vector<uint8_t> wav = WavBuilder()
                                         .fmt(1, 1, 11025, 8)
                                         .chunk("LIST", {'I', 'N', 'F', 'O', 1, 2, 3, 4})
                                         .chunk("fact", {0, 0, 0, 0})
                                         .chunk("data", samples)
                                         .bytes();
    const std::optional<WaveClip> clip = read_wav(wav);
    ASSERT_TRUE(clip);
    EXPECT_EQ(std::vector<uint8_t>(clip->samples.begin(), clip->samples.end()), samples);
}

TEST(WavReader, TakesALongerFormatChunkAndStopsAtTheFirstDataChunk) {
    std::vector<uint8_t> extended = WavBuilder().fmt(1, 2, 22050, 16).bytes();
    extended.erase(extended.begin(), extended.begin() + 20); // the format body alone
    extended.insert(extended.end(), {0, 0});                 // cbSize of an extended format
    const std::vector<uint8_t> wav =
        WavBuilder().chunk("fmt ", extended).chunk("data", samples).chunk("data", {1, 2}).bytes();
    const std::optional<WaveClip> clip = read_wav(wav);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->format.channels, 2);
    EXPECT_EQ(clip->format.samples_per_second, 22050u);
    EXPECT_EQ(clip->format.block_align, 4);
    EXPECT_EQ(clip->samples.size(), samples.size());
}

struct Rejected {
    const char* what;
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> cut(std::vector<uint8_t> bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

std::vector<Rejected> rejected_clips() {
    const std::vector<uint8_t> good =
        WavBuilder().fmt(1, 1, 11025, 8).chunk("data", samples).bytes();
    std::vector<uint8_t> not_riff = good;
    not_riff[3] = 'X';
    return {
        {"empty", {}},
        {"not RIFF", not_riff},
        {"LIST chunk before fmt", WavBuilder()
                                      .chunk("LIST", {1, 2, 3, 4})
                                      .fmt(1, 1, 11025, 8)
                                      .chunk("data", samples)
                                      .bytes()},
        {"cut inside the RIFF header", cut(good, 11)},
        {"cut inside the fmt header", cut(good, 18)},
        {"cut inside the fmt body", cut(good, 30)},
        {"cut inside the data header", cut(good, 40)},
        {"fmt body shorter than a wave format",
         WavBuilder().chunk("fmt ", {1, 0, 1, 0, 0x11, 0x2B, 0, 0}).chunk("data", samples).bytes()},
        {"fmt length past the end",
         WavBuilder().chunk_with_length("fmt ", 0xFFFFFFF0, {1, 0, 1, 0}).bytes()},
        {"data length past the end",
         WavBuilder().fmt(1, 1, 11025, 8).chunk_with_length("data", 9, samples).bytes()},
        {"data length near 4 GiB",
         WavBuilder().fmt(1, 1, 11025, 8).chunk_with_length("data", 0xFFFFFFFF, samples).bytes()},
        {"no data chunk", WavBuilder().fmt(1, 1, 11025, 8).chunk("LIST", samples).bytes()},
        {"chunk before data runs past the end", WavBuilder()
                                                    .fmt(1, 1, 11025, 8)
                                                    .chunk_with_length("LIST", 100, {})
                                                    .chunk("data", samples)
                                                    .bytes()},
    };
}

TEST(WavReader, RejectsMalformedClips) {
    for (const Rejected& clip : rejected_clips()) {
        // An exact-size copy lets the sanitizer build catch any read past the end.
        const std::vector<uint8_t> exact(clip.bytes.begin(), clip.bytes.end());
        EXPECT_FALSE(read_wav(exact)) << clip.what;
    }
}

} // namespace
} // namespace tindrel
