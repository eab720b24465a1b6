#pragma once

#include <string>
#include <string_view>

namespace tindrel {

// Encodes a mail body as quoted-printable, byte for byte:
// - bytes 0x21..0x7E other than "=" pass unchanged; so do CR and LF, which start a new line
//   (a bare LF stays a bare LF);
// - a blank or tab passes unchanged unless the next byte is LF (a blank before CR passes);
// - every other byte becomes "=" and two upper-case hex digits;
// - once the current line holds more than 71 characters a soft break "=" CR LF follows, so a
//   line carries 72 to 74 characters before its "="; an escape is never split.
// Cannot fail.
std::string encode_quoted_printable(std::string_view text);

} // namespace tindrel
