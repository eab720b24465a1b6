#include "core/store/number_reading.h"

namespace tindrel {
namespace {

// The value of `c` as a digit in `base`, or -1 when it is not one.
int digit_value(char c, unsigned base) {
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

} // namespace

int64_t read_number(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    unsigned base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos < text.size() && text[pos] == '%') {
        base = 2;
        ++pos;
    }
    // Unsigned arithmetic gives the modulo 2^64 wrap-around without undefined behaviour.
    uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = digit_value(text[pos], base);
        if (digit < 0) {
            break;
        }
        value = value * base + static_cast<uint64_t>(digit);
    }
    if (negative) {
        value = 0 - value;
    }
    return static_cast<int64_t>(value);
}

} // namespace tindrel
