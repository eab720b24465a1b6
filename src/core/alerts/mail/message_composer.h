#pragma once

#include "core/alerts/mail/mail_message.h"
#include "core/platform/clock.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tindrel {

// Receives the message text piece by piece; the SMTP session puts each piece on the wire.
using MailWriter = std::function<void(std::string_view piece)>;

// The "To: " or "Cc: " header line: `prefix`, then the addresses of the recipients whose
// kind has `kind_bit`, oldest first, separated by ", ", then CR LF. nullopt when no
// recipient has the bit, so that no line is written.
std::optional<std::string> build_address_line(const MailMessage& message, std::string_view prefix,
                                              uint32_t kind_bit);

// "Date: Tue, 5 Jun 2012 14:03:07 +0200" and CR LF, from one reading of the local clock. The
// zone is the offset in force at that reading; a zero offset is written "-0000".
std::string format_date_line(const LocalTime& local);

// Writes the message text through `write`, one header piece at a time, then the encoded body
// when there is one; no line break follows the body. Resets `progress` to 0 first, as the
// session's byte count starts here. Reads the local clock once, for the Date line. Writes
// every piece whatever the writer meets: a failed send shows up later as a missing reply.
void compose_message(MailMessage& message, Clock& clock, const MailWriter& write);

} // namespace tindrel
