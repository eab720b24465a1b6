#include "core/resources/embedded_resources.h"
#include "core/resources/picture_table.h"

#include <gtest/gtest.h>

namespace tindrel {
namespace {

class PictureTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        enable_jpeg_decoding();
        enable_jpeg_decoding(); // a second call changes nothing
    }
    void TearDown() override { release_all_pictures(); }
};

TEST_F(PictureTableTest, KeepsEachPictureUnderItsNumber) {
    const int numbers[] = {arrow_picture, on_ball_picture, off_ball_picture, logo_picture,
                           banner_picture};
    std::vector<const Picture*> loaded;
    for (int number : numbers) {
        loaded.push_back(load_picture(number, picture_jpeg(number)));
        ASSERT_NE(loaded.back(), nullptr) << number;
    }
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        EXPECT_EQ(find_picture(numbers[i]), loaded[i]);
    }
    EXPECT_EQ(find_picture(1), nullptr);
    EXPECT_EQ(find_picture(banner_picture)->width, 235);

    release_all_pictures();
    for (int number : numbers) {
        EXPECT_EQ(find_picture(number), nullptr);
    }
}

TEST_F(PictureTableTest, LoadingANumberAgainReplacesItsPicture) {
    ASSERT_NE(load_picture(on_ball_picture, on_ball_jpeg()), nullptr);
    const Picture* second = load_picture(on_ball_picture, banner_jpeg());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(find_picture(on_ball_picture), second);
    EXPECT_EQ(second->width, 235);
}

TEST_F(PictureTableTest, AFailedLoadLeavesTheNumberEmpty) {
    ASSERT_NE(load_picture(logo_picture, logo_jpeg()), nullptr);
    const std::vector<uint8_t> junk = {0xFF, 0xD8, 0x00, 0x01, 0x02};
    EXPECT_EQ(load_picture(logo_picture, junk), nullptr);
    EXPECT_EQ(find_picture(logo_picture), nullptr);
}

} // namespace
} // namespace tindrel
