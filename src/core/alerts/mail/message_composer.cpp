#include "core/alerts/mail/message_composer.h"

#include "core/alerts/mail/quoted_printable.h"

#include <cstdio>
#include <cstdlib>

namespace tindrel {

namespace {

constexpr const char* kCharset = "ISO-8859-1";

const char* day_name(int weekday) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return weekday >= 0 && weekday < 7 ? kDays[weekday] : "Sun";
}

const char* month_name(int month) {
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return month >= 1 && month <= 12 ? kMonths[month - 1] : "Jan";
}

} // namespace

std::optional<std::string> build_address_line(const MailMessage& message, std::string_view prefix,
                                              uint32_t kind_bit) {
    std::string line(prefix);
    bool listed_any = false;
    // The list holds the newest recipient first; header lines name them in the order added.
    for (auto it = message.recipients.rbegin(); it != message.recipients.rend(); ++it) {
        if ((it->kind & kind_bit) == 0) {
            continue;
        }
        if (listed_any) {
            line += ", ";
        }
        line += it->address;
        listed_any = true;
    }
    if (!listed_any) {
        return std::nullopt;
    }
    return line + "\r\n";
}

std::string format_date_line(const LocalTime& local) {
    // A zero offset is written "-0000", which RFC 5322 reads as UTC without any claim about
    // the sender's own zone.
    const char* sign = local.utc_offset_minutes > 0 ? "+" : "-";
    const int offset = std::abs(local.utc_offset_minutes);
    char line[128];
    std::snprintf(line, sizeof line, "Date: %s, %d %s %d %02d:%02d:%02d %s%02d%02d\r\n",
                  day_name(local.weekday), local.day, month_name(local.month), local.year,
                  local.hour, local.minute, local.second, sign, offset / 60, offset % 60);
    return line;
}

void compose_message(MailMessage& message, Clock& clock, const MailWriter& write) {
    message.progress.store(0);
    write("From: " + message.sender + "\r\nSubject: " + message.subject + "\r\n");
    if (const auto to_line = build_address_line(message, "To: ", kRecipientTo)) {
        write(*to_line);
    }
    if (const auto cc_line = build_address_line(message, "Cc: ", kRecipientCc)) {
        write(*cc_line);
    }
    write(format_date_line(clock.local_time()));
    write(std::string("MIME-Version: 1.0\r\nContent-Type: text/plain; charset=") + kCharset +
          "; format=flowed\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n");
    if (message.body) {
        write(encode_quoted_printable(*message.body));
    }
}

} // namespace tindrel
