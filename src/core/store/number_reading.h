#pragma once

#include <cstdint>
#include <string_view>

namespace tindrel {

// Reads a number the way every numeric field of the system does: leading spaces and tabs
// skipped, an optional sign, then "$" and hex digits, "%" and binary digits, or decimal
// digits, stopping at the first character that does not fit. Never fails: no digits give 0,
// overflow wraps modulo 2^64. Callers keep the low bits their field holds.
int64_t read_number(std::string_view text);

} // namespace tindrel
