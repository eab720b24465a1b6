#include "app/fonts.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace tindrel {

int font_pixel_height(int points, double dots_per_inch) {
    return static_cast<int>(std::lround(points * dots_per_inch / 72.0));
}

QFont load_font(const QString& face, int points) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    QFont font(face);
    font.setPixelSize(font_pixel_height(points, dpi));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

WindowFonts load_window_fonts() {
    return {load_font(QGuiApplication::font().family(), 8),
            load_font(QStringLiteral("Arial Black"), 10),
            load_font(QStringLiteral("Arial Narrow"), 8)};
}

} // namespace tindrel
