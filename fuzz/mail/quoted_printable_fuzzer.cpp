// Feeds arbitrary bodies to the quoted-printable encoder. Besides crashes and undefined
// behaviour it checks that the output is plain 7-bit text with no blank before a line feed,
// that no line exceeds 75 characters, that it fits the four-bytes-per-input-byte buffer the
// encoding has always been given, and that decoding it gives the body back.
#include "core/alerts/mail/quoted_printable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

int hex_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    std::abort(); // the encoder writes upper-case digits only
}

std::string decode(std::string_view encoded) {
    std::string decoded;
    for (size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] != '=') {
            decoded += encoded[i];
        } else if (encoded.substr(i + 1, 2) == "\r\n") {
            i += 2; // soft break
        } else if (i + 2 < encoded.size()) {
            decoded +=
                static_cast<char>(hex_value(encoded[i + 1]) * 16 + hex_value(encoded[i + 2]));
            i += 2;
        } else {
            std::abort(); // a cut escape
        }
    }
    return decoded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const std::string encoded = tindrel::encode_quoted_printable(body);

    if (encoded.size() > size * 4 + 4) {
        std::abort();
    }
    size_t line_length = 0;
    for (size_t i = 0; i < encoded.size(); ++i) {
        const auto c = static_cast<unsigned char>(encoded[i]);
        const bool printable = (c >= 0x20 && c <= 0x7E) || c == '\t';
        if (!printable && c != '\r' && c != '\n') {
            std::abort();
        }
        if ((c == ' ' || c == '\t') && i + 1 < encoded.size() && encoded[i + 1] == '\n') {
            std::abort();
        }
        line_length = (c == '\r' || c == '\n') ? 0 : line_length + 1;
        if (line_length > 75) {
            std::abort();
        }
    }
    if (decode(encoded) != body) {
        std::abort();
    }
    return 0;
}
