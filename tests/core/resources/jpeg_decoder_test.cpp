#include "core/resources/embedded_resources.h"
#include "core/resources/jpeg_decoder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace tindrel {
namespace {

std::vector<uint8_t> bytes_of(std::span<const uint8_t> span) {
    return {span.begin(), span.end()};
}

// Where the first marker `code` stands in a JPEG stream.
std::size_t marker_at(const std::vector<uint8_t>& jpeg, uint8_t code) {
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at + 1] != code) {
        at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
    }
    return at;
}

// An exact-size copy of the first `size` bytes: a read past them trips the sanitizer.
std::vector<uint8_t> first_bytes(std::span<const uint8_t> jpeg, std::size_t size) {
    return std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(size));
}

TEST(JpegDecoder, DecodesEachPictureAtItsOwnSizeWithoutWarnings) {
    const struct {
        int number, width, height;
    } pictures[] = {{arrow_picture, 9, 15},
                    {on_ball_picture, 14, 14},
                    {off_ball_picture, 14, 14},
                    {logo_picture, 84, 108},
                    {banner_picture, 235, 92}};
    for (const auto& expected : pictures) {
        long warnings = -1;
        const std::optional<Picture> picture =
            decode_jpeg(picture_jpeg(expected.number), &warnings);
        ASSERT_TRUE(picture) << expected.number;
        EXPECT_EQ(picture->width, expected.width);
        EXPECT_EQ(picture->height, expected.height);
        EXPECT_EQ(picture->depth, 24);
        EXPECT_EQ(picture->stride % 4, 0u);
        EXPECT_GE(picture->stride, 3u * expected.width);
        EXPECT_EQ(picture->pixels.size(), picture->stride * expected.height);
        EXPECT_EQ(warnings, 0);
    }
}

TEST(JpegDecoder, GreyscaleComesOutAsThreeEqualChannels) {
    const std::optional<Picture> logo = decode_jpeg(logo_jpeg());
    ASSERT_TRUE(logo);
    bool has_black = false;
    bool has_white = false;
    for (int y = 0; y < logo->height; ++y) {
        for (int x = 0; x < logo->width; ++x) {
            const uint8_t* p = logo->row(y) + 3 * x;
            ASSERT_EQ(p[0], p[1]) << x << "," << y;
            ASSERT_EQ(p[1], p[2]) << x << "," << y;
            has_black |= p[0] < 40;
            has_white |= p[0] > 215;
        }
    }
    EXPECT_TRUE(has_black && has_white);
}

TEST(JpegDecoder, PixelsAreRedGreenBlueAndUpright) {
    // The balls are lit from above: their top half is brighter than their bottom half.
    const auto brightness = [](const Picture& p, int y0, int y1) {
        int sum = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = 0; x < p.width * 3; ++x) {
                sum += p.row(y)[x];
            }
        }
        return sum;
    };
    const std::optional<Picture> on = decode_jpeg(on_ball_jpeg());
    const std::optional<Picture> off = decode_jpeg(off_ball_jpeg());
    ASSERT_TRUE(on && off);
    const uint8_t* green = on->row(7) + 3 * 7;
    const uint8_t* red = off->row(7) + 3 * 7;
    EXPECT_GT(green[1], green[0] + 60);
    EXPECT_GT(green[1], green[2] + 60);
    EXPECT_GT(red[0], red[1] + 60);
    EXPECT_GT(red[0], red[2] + 60);
    EXPECT_GT(brightness(*on, 1, 6), brightness(*on, 8, 13));

    // The arrow points left: black along its middle row, white in the corners at its tip.
    const std::optional<Picture> arrow = decode_jpeg(arrow_jpeg());
    ASSERT_TRUE(arrow);
    EXPECT_LT(arrow->row(7)[3], 80);
    EXPECT_GT(arrow->row(0)[0], 200);
    EXPECT_GT(arrow->row(14)[0], 200);
    EXPECT_LT(arrow->row(7)[3 * 8], 80);
}

TEST(JpegDecoder, RejectsDataThatHoldsNoImage) {
    const std::vector<uint8_t> banner = bytes_of(banner_jpeg());
    std::vector<uint8_t> tables_only = first_bytes(banner, marker_at(banner, 0xC0));
    tables_only.insert(tables_only.end(), {0xFF, 0xD9});
    std::vector<uint8_t> no_start = banner;
    no_start[1] = 0xD9;
    std::vector<uint8_t> junk_after_start = {0xFF, 0xD8};
    for (int i = 0; i < 500; ++i) {
        junk_after_start.push_back(static_cast<uint8_t>(i * 37 + 11));
    }
    const std::vector<uint8_t> broken_frame = [&] {
        std::vector<uint8_t> b = banner;
        b[marker_at(b, 0xC0) + 9] = 0; // no components
        return b;
    }();

    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"a lone FF", {0xFF}},
        {"the start marker alone", {0xFF, 0xD8}},
        {"a header without an image", tables_only},
        {"cut inside the headers", first_bytes(banner, 40)},
        {"no start-of-image marker", no_start},
        {"a bitmap", {'B', 'M', 0, 0, 0, 0}},
        {"junk after the start marker", junk_after_start},
        {"a frame without components", broken_frame},
    };
    for (const auto& bad : cases) {
        const std::vector<uint8_t> exact(bad.bytes.begin(), bad.bytes.end());
        EXPECT_FALSE(decode_jpeg(exact)) << bad.what;
    }
}

TEST(JpegDecoder, DataCutOffInsideTheImageDecodesWithTheRestFilledIn) {
    const std::vector<uint8_t> banner = bytes_of(banner_jpeg());
    const std::size_t scan = marker_at(banner, 0xDA);
    const std::size_t cuts[] = {scan + 20, (scan + banner.size()) / 2, banner.size() - 2};
    for (std::size_t cut : cuts) {
        long warnings = 0;
        const std::optional<Picture> picture = decode_jpeg(first_bytes(banner, cut), &warnings);
        ASSERT_TRUE(picture) << cut;
        EXPECT_EQ(picture->width, 235);
        EXPECT_EQ(picture->height, 92);
        EXPECT_GE(warnings, 1) << cut;
        if (cut < banner.size() - 2) {
            // Past the cut the blocks have no detail left: the bottom row is one colour.
            const uint8_t* bottom = picture->row(91);
            for (int x = 1; x < 235; ++x) {
                ASSERT_TRUE(std::equal(bottom, bottom + 3, bottom + 3 * x)) << cut << " " << x;
            }
        }
    }
}

TEST(JpegDecoder, RefusesPicturesLargerThanTheLimit) {
    std::vector<uint8_t> huge = bytes_of(arrow_jpeg());
    const std::size_t frame = marker_at(huge, 0xC0);
    // 65000 x 65000 pixels declared in the frame header.
    huge[frame + 5] = 0xFD;
    huge[frame + 6] = 0xE8;
    huge[frame + 7] = 0xFD;
    huge[frame + 8] = 0xE8;
    EXPECT_FALSE(decode_jpeg(huge));
}

} // namespace
} // namespace tindrel
