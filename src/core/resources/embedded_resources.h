#pragma once

// The artwork and the alert clip compiled into the program, generated at build time from
// the files in assets/. Usage:
//
//   load_picture(arrow_picture, picture_jpeg(arrow_picture));
//   sound.sound_load(alert_clip, alert_wav());
//   for (int size : icon_sizes) {                     // in the front end, with Qt
//       QPixmap pixmap;
//       pixmap.loadFromData(icon_png(size).data(), icon_png(size).size(), "PNG");
//       icon.addPixmap(pixmap);
//   }
//
// The spans point at static data that lives as long as the program; none of these fail.

#include <array>
#include <cstdint>
#include <span>

namespace tindrel {

// The numbers under which start-up loads the pictures (number 1 is never used).
enum PictureNumber : int {
    arrow_picture = 0,    // 9 x 15, the arrow beside each entry field
    on_ball_picture = 2,  // 14 x 14, indicator of a switch that is on
    off_ball_picture = 3, // 14 x 14, indicator of a switch that is off
    logo_picture = 4,     // 84 x 108, greyscale maker's mark in the About window
    banner_picture = 5,   // 235 x 92, product banner in the About window
};

// The clip number of the alert sound.
inline constexpr int alert_clip = 1;

// The square sizes, in pixels, in which the program icon exists.
inline constexpr std::array<int, 4> icon_sizes = {16, 32, 48, 64};

std::span<const uint8_t> arrow_jpeg();
std::span<const uint8_t> on_ball_jpeg();
std::span<const uint8_t> off_ball_jpeg();
std::span<const uint8_t> logo_jpeg();
std::span<const uint8_t> banner_jpeg();

// The JPEG bytes of picture `number`; empty for a number that has no picture.
std::span<const uint8_t> picture_jpeg(int number);

// The alert clip: RIFF/WAVE, PCM, mono, 11025 Hz, 8-bit unsigned, about 1.3 s.
std::span<const uint8_t> alert_wav();

// The program icon as a PNG of `size` x `size` pixels with alpha; empty for a size not
// listed in icon_sizes.
std::span<const uint8_t> icon_png(int size);

} // namespace tindrel
