#include "core/resources/embedded_resources.h"

#include <cstddef>

// The arrays are generated from the files in assets/ by cmake/embed_file.cmake.
namespace tindrel::embedded {
extern const unsigned char arrow_jpeg_data[];
extern const std::size_t arrow_jpeg_size;
extern const unsigned char on_ball_jpeg_data[];
extern const std::size_t on_ball_jpeg_size;
extern const unsigned char off_ball_jpeg_data[];
extern const std::size_t off_ball_jpeg_size;
extern const unsigned char logo_jpeg_data[];
extern const std::size_t logo_jpeg_size;
extern const unsigned char banner_jpeg_data[];
extern const std::size_t banner_jpeg_size;
extern const unsigned char alert_wav_data[];
extern const std::size_t alert_wav_size;
extern const unsigned char icon_16_png_data[];
extern const std::size_t icon_16_png_size;
extern const unsigned char icon_32_png_data[];
extern const std::size_t icon_32_png_size;
extern const unsigned char icon_48_png_data[];
extern const std::size_t icon_48_png_size;
extern const unsigned char icon_64_png_data[];
extern const std::size_t icon_64_png_size;
} // namespace tindrel::embedded

namespace tindrel {

std::span<const uint8_t> arrow_jpeg() {
    return {embedded::arrow_jpeg_data, embedded::arrow_jpeg_size};
}
std::span<const uint8_t> on_ball_jpeg() {
    return {embedded::on_ball_jpeg_data, embedded::on_ball_jpeg_size};
}
std::span<const uint8_t> off_ball_jpeg() {
    return {embedded::off_ball_jpeg_data, embedded::off_ball_jpeg_size};
}
std::span<const uint8_t> logo_jpeg() {
    return {embedded::logo_jpeg_data, embedded::logo_jpeg_size};
}
std::span<const uint8_t> banner_jpeg() {
    return {embedded::banner_jpeg_data, embedded::banner_jpeg_size};
}
std::span<const uint8_t> alert_wav() {
    return {embedded::alert_wav_data, embedded::alert_wav_size};
}

std::span<const uint8_t> picture_jpeg(int number) {
    switch (number) {
    case arrow_picture:
        return arrow_jpeg();
    case on_ball_picture:
        return on_ball_jpeg();
    case off_ball_picture:
        return off_ball_jpeg();
    case logo_picture:
        return logo_jpeg();
    case banner_picture:
        return banner_jpeg();
    default:
        return {};
    }
}

std::span<const uint8_t> icon_png(int size) {
    switch (size) {
    case 16:
        return {embedded::icon_16_png_data, embedded::icon_16_png_size};
    case 32:
        return {embedded::icon_32_png_data, embedded::icon_32_png_size};
    case 48:
        return {embedded::icon_48_png_data, embedded::icon_48_png_size};
    case 64:
        return {embedded::icon_64_png_data, embedded::icon_64_png_size};
    default:
        return {};
    }
}

} // namespace tindrel
