#pragma once

#include "core/platform/clock.h"

#include <cstdint>
#include <string>

namespace tindrel {

// The texts the scan shows, byte for byte.
inline constexpr const char* kStopText = "Stop";
inline constexpr const char* kStartText = "Start";
inline constexpr const char* kMailSentLine = ">>>>> EMAIL SENT !";
inline constexpr const char* kMailFailedLine = ">>>>> PROBLEM SENDING EMAIL !";

std::string pinging_title(const std::string& entry);
std::string waiting_title(int32_t countdown);
std::string host_unknown_line(const std::string& working_text);
// entry + " (dd/mm/yyyy - hh:mm)" in local time.
std::string failure_line(const std::string& entry, const LocalTime& when);
std::string alert_mail_body(const std::string& entry);

} // namespace tindrel
