#pragma once

#include "core/alerts/mail/mail_dependencies.h"
#include "core/alerts/mail/mail_message.h"
#include "core/store/settings.h"

#include <cstdint>
#include <string_view>

namespace tindrel {

inline constexpr const char* kAlertMailSender = "tindrel@localhost";
inline constexpr const char* kAlertMailSubject = "Tindrel WARNING...!!!";
inline constexpr int kProgressPollMs = 300;

// Sends one alert e-mail with `body` to settings.recipient1 (To) and settings.recipient2
// (Cc), each when not empty, through settings.smtp_server and smtp_port, and returns when the
// session has ended:
//   kMailFinished (-3)  the server accepted the message;
//   kMailFailed (-2)    connected, but the dialogue failed or timed out;
//   0                   the server was not found or not reached; nothing was sent.
// Blocks the calling thread for the whole session: the look-up, up to
// deps.connect_timeout_ms for the connection, then up to 10 s per awaited reply, calling
// deps.wait(kProgressPollMs) after every look at the progress.
//
// Usage, from the scan or the SMTP settings window's Test button:
//   SystemResolver resolver;
//   SystemClock clock;
//   MailDependencies deps{resolver, clock, [](int ms) { /* repaint, no input, for ms */ }};
//   if (send_alert_mail(settings, entry + " not responding !!!", deps) == kMailFinished) ...
int32_t send_alert_mail(const Settings& settings, std::string_view body,
                        const MailDependencies& deps);

} // namespace tindrel
