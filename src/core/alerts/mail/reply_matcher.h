#pragma once

#include <string_view>

namespace tindrel {

// Decides whether what one read brought from the server accepts a command, the way the
// session has always read replies: true when any line begins with `code`. Lines end at LF
// (a CR before it stays on its line); the text ends at its first zero byte; the lines are
// tested in order up to the first empty one, and the end of the text counts as one. So a
// continuation line ("250-") accepts as well as a final one ("250 "), and other lines before
// or after it do not matter. Cannot fail.
bool reply_matches(std::string_view received, std::string_view code);

} // namespace tindrel
