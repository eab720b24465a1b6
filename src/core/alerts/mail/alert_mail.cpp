#include "core/alerts/mail/alert_mail.h"

#include "core/alerts/mail/send_mail.h"

#include <chrono>
#include <thread>

namespace tindrel {

namespace {
constexpr int32_t kAlertMailNumber = 0;
} // namespace

int32_t send_alert_mail(const Settings& settings, std::string_view body,
                        const MailDependencies& deps) {
    // The message lives only for this call, so the table does too.
    MailTable table;
    if (create_mail(table, kAlertMailNumber, kAlertMailSender, kAlertMailSubject) == nullptr) {
        return 0;
    }
    set_mail_body(table, kAlertMailNumber, body);
    // The emptiness test is on the untrimmed text: blanks still make a recipient.
    if (!settings.recipient1.empty()) {
        add_mail_recipient(table, kAlertMailNumber, settings.recipient1, kRecipientTo);
    }
    if (!settings.recipient2.empty()) {
        add_mail_recipient(table, kAlertMailNumber, settings.recipient2, kRecipientCc);
    }
    // The 16-bit port is widened with its sign; the connection uses its low 16 bits, so a
    // stored -25536 reaches port 40000.
    const int32_t port = settings.smtp_port;
    int32_t result = 0;
    if (send_mail(table, kAlertMailNumber, settings.smtp_server, port, deps) == 1) {
        do {
            result = mail_progress(table, kAlertMailNumber);
            if (deps.wait) {
                deps.wait(kProgressPollMs);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(kProgressPollMs));
            }
        } while (result != kMailFinished && result != kMailFailed);
    }
    free_mail(table, kAlertMailNumber);
    return result;
}

} // namespace tindrel
