#pragma once

#include "core/alerts/mail/mail_dependencies.h"
#include "core/alerts/mail/mail_message.h"

#include <cstdint>
#include <string>

namespace tindrel {

// Opens the connection to `server` (dotted IPv4 first, otherwise a name for the resolver) on
// the low 16 bits of `port`, on the calling thread, then runs the SMTP dialogue for message
// `number` on a detached worker thread with replies awaited up to 10 s each. Returns 1 when
// the worker runs: follow mail_progress until kMailFinished or kMailFailed before touching or
// freeing the message. Returns 0, leaving progress at 0 and no connection open, when the
// number holds no message, the server is not found, refuses or does not answer within
// deps.connect_timeout_ms, or the thread cannot start. deps.wait is not used here.
int send_mail(MailTable& table, int32_t number, const std::string& server, int32_t port,
              const MailDependencies& deps);

} // namespace tindrel
