// Feeds arbitrary bytes to the number reader: no crash and no undefined behaviour on any
// length of digits, and the rule's blanks and sign behave as they should around any input.
#include "core/store/number_reading.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using tindrel::read_number;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int64_t value = read_number(text);

    if (read_number(" \t " + text) != value) {
        std::abort();
    }
    const bool starts_plainly =
        text.empty() || (text[0] != ' ' && text[0] != '\t' && text[0] != '+' && text[0] != '-');
    if (starts_plainly) {
        const uint64_t negated = 0 - static_cast<uint64_t>(value);
        if (read_number("-" + text) != static_cast<int64_t>(negated) ||
            read_number("+" + text) != value) {
            std::abort();
        }
    }
    return 0;
}
