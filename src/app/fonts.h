#pragma once

#include <QFont>
#include <QString>

namespace tindrel {

// The character height in pixels of a `points` font on a screen of `dots_per_inch`
// vertically, rounded to the nearest pixel (13 for 10 points at 96 dpi, 11 for 8).
int font_pixel_height(int points, double dots_per_inch);

// A font of `face` at `points`, sized for the primary screen's vertical resolution, normal
// weight, upright. Never fails: a face that is not installed is replaced by the closest one
// the system has.
QFont load_font(const QString& face, int points);

// The main window's fonts.
struct WindowFonts {
    QFont controls; // the system's font at the 8 points the window's layout was drawn for
    QFont heading;  // "IPs/Hosts"
    QFont label;    // the indicator panel's labels
};

WindowFonts load_window_fonts();

} // namespace tindrel
