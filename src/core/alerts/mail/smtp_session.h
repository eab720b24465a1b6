#pragma once

#include "core/alerts/mail/mail_message.h"
#include "core/platform/clock.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

namespace tindrel {

inline constexpr int kReplyPollMs = 100;
// One read takes at most this much; what arrives beyond it waits for the next reply wait.
inline constexpr size_t kReplyReadLimit = 2047;
// A command with its argument and CR LF must fit this buffer with room for a closing zero;
// a longer one is refused, never cut.
inline constexpr size_t kCommandBufferSize = 1024;

// What a session needs besides its message.
struct SessionEnvironment {
    Clock* clock = nullptr; // wall_seconds() for reply waits, local_time() for the Date line
    // The pause between two looks at the connection while a reply is awaited; a real sleep
    // when empty.
    std::function<void(int milliseconds)> pause;
};

// The state of one dialogue, its reply buffer included; nothing is shared between sessions.
struct SmtpSession {
    MailMessage& message;
    SessionEnvironment environment;
    std::array<char, kReplyReadLimit + 1> reply_buffer{};
};

// True when "command argument CR LF" fits the command buffer and the argument holds no CR,
// LF or zero byte, which would end the command early and start another.
bool command_fits(std::string_view command, std::string_view argument);

// Sends "command argument CR LF" in one piece. Returns the count sent, or -1.
int64_t send_command(SmtpSession& session, std::string_view command, std::string_view argument);

// Waits up to reply_timeout_s whole seconds of the wall clock for input, looking every
// kReplyPollMs, then reads once (at most kReplyReadLimit bytes) and applies reply_matches.
// False on time-out, on a failed read and when no line matches.
bool expect_reply(SmtpSession& session, std::string_view code);

// Sends `bytes` and adds the count sent, when above zero, to the message's progress.
void send_counted(SmtpSession& session, std::string_view bytes);

// Doubles a "." that begins a line of message text (a line begins after any LF), so that no
// line of the text can read as the end of the data. `at_line_start` carries the state from
// one piece to the next and starts true.
std::string stuff_leading_dots(std::string_view piece, bool& at_line_start);

// Runs the whole dialogue on the message's open connection: greeting, EHLO, MAIL FROM, one
// RCPT TO per recipient newest first, DATA, the message, the closing dot, QUIT. Before
// anything is sent, a sender or address whose command would not fit is refused. Any missing
// or refusing reply ends the dialogue. Closes the connection, then stores kMailFinished or
// kMailFailed in progress as its very last access to the message.
void run_smtp_session(MailMessage& message, const SessionEnvironment& environment);

} // namespace tindrel
