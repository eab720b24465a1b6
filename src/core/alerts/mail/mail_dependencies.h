#pragma once

#include "core/alerts/mail/tcp_connection.h"
#include "core/platform/clock.h"
#include "core/platform/resolver.h"

#include <functional>

namespace tindrel {

// What sending a mail needs from outside. Everything referred to must outlive the session.
struct MailDependencies {
    // Looks up a server given by name, on the calling thread.
    Resolver& resolver;
    // Read by the session's worker thread: wall_seconds() for the reply time-outs and
    // local_time() for the Date line.
    Clock& clock;
    // The dispatcher's pause between two reads of the progress, on the calling thread; a
    // real sleep when empty. A front end lets its windows repaint here, taking no input.
    std::function<void(int milliseconds)> wait;
    int connect_timeout_ms = kConnectTimeoutMs;
};

} // namespace tindrel
