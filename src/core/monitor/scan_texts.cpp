#include "core/monitor/scan_texts.h"

#include <cstdio>

namespace tindrel {

std::string pinging_title(const std::string& entry) {
    return "Pinging : " + entry;
}

std::string waiting_title(int32_t countdown) {
    return "Waiting... " + std::to_string(countdown);
}

std::string host_unknown_line(const std::string& working_text) {
    return "Host unknown : " + working_text;
}

std::string failure_line(const std::string& entry, const LocalTime& when) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, " (%02d/%02d/%04d - %02d:%02d)", when.day, when.month,
                  when.year, when.hour, when.minute);
    return entry + stamp;
}

std::string alert_mail_body(const std::string& entry) {
    return entry + " not responding !!!";
}

} // namespace tindrel
