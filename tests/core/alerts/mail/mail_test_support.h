#pragma once

#include "core/platform/clock.h"
#include "core/platform/resolver.h"

#include <arpa/inet.h>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tindrel::testing {

// A resolver that knows only the names a test gives it and notes every name asked.
class FakeResolver final : public Resolver {
public:
    std::map<std::string, std::string> addresses; // name -> dotted address
    std::vector<std::string> asked;

    std::optional<uint32_t> resolve_ipv4(const std::string& name) override {
        asked.push_back(name);
        const auto found = addresses.find(name);
        if (found == addresses.end()) {
            return std::nullopt;
        }
        in_addr address{};
        inet_aton(found->second.c_str(), &address);
        return address.s_addr;
    }
};

// Tuesday 5 June 2012, 14:03:07, two hours ahead of UTC.
inline LocalTime example_local_time(int utc_offset_minutes = 120) {
    return LocalTime{2012, 6, 5, 14, 3, 7, /*weekday=*/2, utc_offset_minutes};
}

// A fixed local date for the Date line, with the real wall clock for the reply time-outs, so
// that a session against a real peer can still time out. Safe on the session's thread.
class FixedDateClock final : public Clock {
public:
    explicit FixedDateClock(LocalTime local = example_local_time()) : local_(local) {}
    uint32_t tick_ms() override { return 0; }
    LocalTime local_time() override { return local_; }
    int64_t wall_seconds() override { return static_cast<int64_t>(time(nullptr)); }

private:
    LocalTime local_;
};

// The message text of an alert with both recipients and the example date, in `zone`.
inline std::string example_message_text(const std::string& to, const std::string& cc,
                                        const std::string& zone, const std::string& body) {
    return "From: tindrel@localhost\r\n"
           "Subject: Tindrel WARNING...!!!\r\n"
           "To: " +
           to +
           "\r\n"
           "Cc: " +
           cc +
           "\r\n"
           "Date: Tue, 5 Jun 2012 14:03:07 " +
           zone +
           "\r\n"
           "MIME-Version: 1.0\r\n"
           "Content-Type: text/plain; charset=ISO-8859-1; format=flowed\r\n"
           "Content-Transfer-Encoding: quoted-printable\r\n"
           "\r\n" +
           body;
}

} // namespace tindrel::testing
