#include "core/alerts/mail/send_mail.h"

#include "core/alerts/mail/smtp_session.h"

#include <system_error>
#include <thread>

namespace tindrel {

namespace {
constexpr int32_t kReplyTimeoutS = 10;
} // namespace

int send_mail(MailTable& table, int32_t number, const std::string& server, int32_t port,
              const MailDependencies& deps) {
    MailMessage* message = table.find(number);
    if (message == nullptr) {
        return 0;
    }
    message->reply_timeout_s = kReplyTimeoutS;
    message->connection = open_tcp_connection(server, port, deps.resolver, deps.connect_timeout_ms);
    if (message->connection == nullptr) {
        return 0;
    }
    SessionEnvironment environment{&deps.clock, {}};
    try {
        std::thread([message, environment] { run_smtp_session(*message, environment); }).detach();
    } catch (const std::system_error&) {
        message->connection.reset();
        return 0;
    }
    return 1;
}

} // namespace tindrel
