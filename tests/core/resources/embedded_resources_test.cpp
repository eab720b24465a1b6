#include "core/resources/embedded_resources.h"

#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tindrel {
namespace {

uint32_t be16(std::span<const uint8_t> b, std::size_t at) {
    return b[at] << 8 | b[at + 1];
}
uint32_t be32(std::span<const uint8_t> b, std::size_t at) {
    return be16(b, at) << 16 | be16(b, at + 2);
}
uint32_t le16(std::span<const uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}
uint32_t le32(std::span<const uint8_t> b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

// What the headers of a JPEG file say, up to its first scan.
struct JpegHeaders {
    bool jfif = false;
    int jfif_version = 0; // 0x0101 for 1.01
    int density_units = -1;
    int x_density = 0;
    int y_density = 0;
    int thumbnail_pixels = -1;
    std::vector<int> frame_markers; // every SOFn met
    int width = 0;
    int height = 0;
    std::vector<int> sampling; // per component: horizontal * 16 + vertical
};

std::optional<JpegHeaders> read_headers(std::span<const uint8_t> jpeg) {
    if (jpeg.size() < 4 || be16(jpeg, 0) != 0xFFD8) {
        return std::nullopt;
    }
    JpegHeaders h;
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        const int marker = jpeg[at + 1];
        const std::size_t length = be16(jpeg, at + 2);
        if (at + 2 + length > jpeg.size()) {
            return std::nullopt;
        }
        const std::span<const uint8_t> body = jpeg.subspan(at + 4, length - 2);
        if (marker == 0xE0 && body.size() >= 14 &&
            std::string(body.begin(), body.begin() + 5) == std::string("JFIF\0", 5)) {
            h.jfif = true;
            h.jfif_version = static_cast<int>(be16(body, 5));
            h.density_units = body[7];
            h.x_density = static_cast<int>(be16(body, 8));
            h.y_density = static_cast<int>(be16(body, 10));
            h.thumbnail_pixels = body[12] * body[13];
        } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                   marker != 0xCC) {
            h.frame_markers.push_back(marker);
            h.height = static_cast<int>(be16(body, 1));
            h.width = static_cast<int>(be16(body, 3));
            for (int c = 0; c < body[5]; ++c) {
                h.sampling.push_back(body[6 + 3 * c + 1]);
            }
        } else if (marker == 0xDA) {
            break;
        }
        at += 2 + length;
    }
    return h;
}

struct EmbeddedPicture {
    int number;
    int width;
    int height;
    std::vector<int> sampling;
};

TEST(EmbeddedResources, PicturesAreBaselineJfifAtTheirSizes) {
    const std::vector<int> colour = {0x22, 0x11, 0x11}; // YCbCr, chroma halved both ways
    const std::vector<int> grey = {0x11};
    const EmbeddedPicture pictures[] = {
        {arrow_picture, 9, 15, colour},     {on_ball_picture, 14, 14, colour},
        {off_ball_picture, 14, 14, colour}, {logo_picture, 84, 108, grey},
        {banner_picture, 235, 92, colour},
    };
    for (const EmbeddedPicture& expected : pictures) {
        SCOPED_TRACE(expected.number);
        const std::optional<JpegHeaders> h = read_headers(picture_jpeg(expected.number));
        ASSERT_TRUE(h);
        EXPECT_TRUE(h->jfif);
        EXPECT_EQ(h->jfif_version, 0x0101);
        EXPECT_EQ(h->density_units, 1); // dots per inch
        EXPECT_EQ(h->x_density, 72);
        EXPECT_EQ(h->y_density, 72);
        EXPECT_EQ(h->thumbnail_pixels, 0);
        EXPECT_EQ(h->frame_markers, std::vector<int>{0xC0}); // SOF0: baseline
        EXPECT_EQ(h->width, expected.width);
        EXPECT_EQ(h->height, expected.height);
        EXPECT_EQ(h->sampling, expected.sampling);
    }
    EXPECT_TRUE(picture_jpeg(1).empty());
}

TEST(EmbeddedResources, AlertClipHasItsExactLayout) {
    const std::span<const uint8_t> wav = alert_wav();
    ASSERT_EQ(wav.size(), 14373u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(le32(wav, 4), 14365u);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(le32(wav, 16), 16u);
    EXPECT_EQ(le16(wav, 20), 1u);     // PCM
    EXPECT_EQ(le16(wav, 22), 1u);     // mono
    EXPECT_EQ(le32(wav, 24), 11025u); // samples per second
    EXPECT_EQ(le32(wav, 28), 11025u); // bytes per second
    EXPECT_EQ(le16(wav, 32), 1u);     // block alignment
    EXPECT_EQ(le16(wav, 34), 8u);     // bits per sample
    EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
    EXPECT_EQ(le32(wav, 40), 14329u);
}

TEST(EmbeddedResources, AlertClipIsSilenceAWhoopAndSilence) {
    const std::span<const uint8_t> samples = alert_wav().subspan(44);
    std::size_t first = samples.size();
    std::size_t last = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] != 128) {
            first = std::min(first, i);
            last = i;
        }
    }
    EXPECT_NEAR(first / 11025.0, 0.2, 0.01);
    EXPECT_NEAR((last + 1 - first) / 11025.0, 0.9, 0.02);
}

TEST(EmbeddedResources, IconPngsHaveTheirSizes) {
    for (int size : icon_sizes) {
        const std::span<const uint8_t> png = icon_png(size);
        ASSERT_GT(png.size(), 24u) << size;
        EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
        EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
        EXPECT_EQ(be32(png, 16), static_cast<uint32_t>(size));
        EXPECT_EQ(be32(png, 20), static_cast<uint32_t>(size));
        EXPECT_EQ(png[25], 6) << "RGBA";
    }
    EXPECT_TRUE(icon_png(24).empty());
}

// The Windows icon is not compiled into the Linux program, but a Windows build takes it
// from assets/ as it stands.
TEST(EmbeddedResources, WindowsIconHoldsItsNineImages) {
    std::ifstream in(TINDREL_ASSETS_DIR "/icon/tindrel.ico", std::ios::binary);
    const std::vector<uint8_t> ico{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
    ASSERT_GE(ico.size(), 6u);
    ASSERT_EQ(le16(ico, 2), 1u); // icon, not cursor
    ASSERT_EQ(le16(ico, 4), 9u);
    std::vector<std::pair<int, int>> images; // size, bits per pixel
    for (std::size_t i = 0; i < 9; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const uint32_t bytes = le32(ico, entry + 8);
        const uint32_t offset = le32(ico, entry + 12);
        ASSERT_LE(std::size_t{offset} + bytes, ico.size());
        // Each image is a DIB whose header repeats the size (height doubled for the mask).
        EXPECT_EQ(le32(ico, offset), 40u);
        EXPECT_EQ(le32(ico, offset + 4), ico[entry]);
        EXPECT_EQ(le32(ico, offset + 8), 2u * ico[entry]);
        EXPECT_EQ(le16(ico, offset + 14), le16(ico, entry + 6));
        images.emplace_back(ico[entry], static_cast<int>(le16(ico, entry + 6)));
    }
    const std::vector<std::pair<int, int>> expected = {
        {64, 32}, {48, 32}, {32, 32}, {16, 32}, {48, 8}, {32, 8}, {16, 8}, {32, 4}, {16, 4}};
    EXPECT_EQ(images, expected);
}

} // namespace
} // namespace tindrel
