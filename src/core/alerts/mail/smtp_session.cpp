#include "core/alerts/mail/smtp_session.h"

#include "core/alerts/mail/message_composer.h"
#include "core/alerts/mail/reply_matcher.h"

#include <chrono>
#include <string>
#include <thread>

namespace tindrel {

namespace {

constexpr std::string_view kEndOfData = "\r\n.\r\n";

std::string bracketed(std::string_view address) {
    std::string text = "<";
    text += address;
    text += '>';
    return text;
}

void pause_for(const SessionEnvironment& environment, int milliseconds) {
    if (environment.pause) {
        environment.pause(milliseconds);
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

bool every_command_fits(const MailMessage& message) {
    if (!command_fits("MAIL FROM:", bracketed(message.sender))) {
        return false;
    }
    for (const MailRecipient& recipient : message.recipients) {
        if (!command_fits("RCPT TO:", bracketed(recipient.address))) {
            return false;
        }
    }
    return true;
}

bool run_dialogue(SmtpSession& session) {
    MailMessage& message = session.message;
    if (!expect_reply(session, "220")) {
        return false;
    }
    message.progress.store(kMailInDialogue);
    send_command(session, "EHLO dummy", "");
    if (!expect_reply(session, "250")) {
        return false;
    }
    send_command(session, "MAIL FROM:", bracketed(message.sender));
    if (!expect_reply(session, "250")) {
        return false;
    }
    for (const MailRecipient& recipient : message.recipients) {
        send_command(session, "RCPT TO:", bracketed(recipient.address));
        if (!expect_reply(session, "250")) {
            return false;
        }
    }
    send_command(session, "DATA", "");
    if (!expect_reply(session, "354")) {
        return false;
    }
    bool at_line_start = true;
    compose_message(message, *session.environment.clock, [&](std::string_view piece) {
        send_counted(session, stuff_leading_dots(piece, at_line_start));
    });
    send_counted(session, kEndOfData);
    if (!expect_reply(session, "250")) {
        return false;
    }
    // The server has taken the message; its answer to QUIT changes nothing.
    send_command(session, "QUIT", "");
    return true;
}

} // namespace

bool command_fits(std::string_view command, std::string_view argument) {
    if (argument.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        return false;
    }
    return command.size() + argument.size() + 2 < kCommandBufferSize;
}

int64_t send_command(SmtpSession& session, std::string_view command, std::string_view argument) {
    std::string line;
    line.reserve(command.size() + argument.size() + 2);
    line += command;
    line += argument;
    line += "\r\n";
    return session.message.connection->send_bytes(line.data(), line.size());
}

bool expect_reply(SmtpSession& session, std::string_view code) {
    MailMessage& message = session.message;
    Clock& clock = *session.environment.clock;
    const int64_t started = clock.wall_seconds();
    for (;;) {
        if (clock.wall_seconds() - started >= message.reply_timeout_s) {
            return false;
        }
        if (message.connection->input_pending()) {
            break;
        }
        pause_for(session.environment, kReplyPollMs);
    }
    const int64_t received =
        message.connection->receive_bytes(session.reply_buffer.data(), kReplyReadLimit);
    if (received < 0) {
        return false;
    }
    session.reply_buffer[static_cast<size_t>(received)] = '\0';
    return reply_matches(
        std::string_view(session.reply_buffer.data(), static_cast<size_t>(received)), code);
}

void send_counted(SmtpSession& session, std::string_view bytes) {
    const int64_t sent = session.message.connection->send_bytes(bytes.data(), bytes.size());
    if (sent > 0) {
        session.message.progress.fetch_add(static_cast<int32_t>(sent));
    }
}

std::string stuff_leading_dots(std::string_view piece, bool& at_line_start) {
    std::string stuffed;
    stuffed.reserve(piece.size() + 4);
    for (const char c : piece) {
        if (at_line_start && c == '.') {
            stuffed += '.';
        }
        stuffed += c;
        at_line_start = c == '\n';
    }
    return stuffed;
}

void run_smtp_session(MailMessage& message, const SessionEnvironment& environment) {
    SmtpSession session{message, environment};
    const bool delivered =
        message.connection != nullptr && every_command_fits(message) && run_dialogue(session);
    if (message.connection != nullptr) {
        message.connection->close_connection();
        message.connection.reset();
    }
    message.progress.store(delivered ? kMailFinished : kMailFailed);
}

} // namespace tindrel
