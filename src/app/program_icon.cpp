#include "app/program_icon.h"

#include "core/resources/embedded_resources.h"

#include <QPixmap>

namespace tindrel {

QIcon program_icon() {
    QIcon icon;
    for (const int size : icon_sizes) {
        const std::span<const uint8_t> png = icon_png(size);
        QPixmap pixmap;
        if (pixmap.loadFromData(png.data(), static_cast<uint>(png.size()), "PNG")) {
            icon.addPixmap(pixmap);
        }
    }
    return icon;
}

} // namespace tindrel
