#include "core/alerts/mail/quoted_printable.h"

namespace tindrel {

namespace {

constexpr int kLongestUnbrokenLine = 71;

bool passes_unchanged(unsigned char byte, int next) {
    if (byte >= 0x21 && byte <= 0x7E) {
        return byte != '=';
    }
    if (byte == ' ' || byte == '\t') {
        return next != '\n';
    }
    return byte == '\r' || byte == '\n';
}

} // namespace

std::string encode_quoted_printable(std::string_view text) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size() * 4 + 4);
    int line_length = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : -1;
        if (passes_unchanged(byte, next)) {
            encoded += static_cast<char>(byte);
            line_length = (byte == '\r' || byte == '\n') ? 0 : line_length + 1;
        } else {
            encoded += '=';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0x0F];
            line_length += 3;
        }
        if (line_length > kLongestUnbrokenLine) {
            encoded += "=\r\n";
            line_length = 0;
        }
    }
    return encoded;
}

} // namespace tindrel
