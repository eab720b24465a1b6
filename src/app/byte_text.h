#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tindrel {

// The system's text is 8-bit and never converted: each byte is shown as the Latin-1
// character of the same code, so whatever bytes a file holds survive a trip through a widget.
inline QString to_display(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Characters beyond Latin-1 (typed by the user) cannot be held in 8 bits and become "?".
inline std::string to_bytes(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace tindrel
