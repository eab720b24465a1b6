#include "core/store/data_file_format.h"

#include "core/store/line_splitting.h"
#include "core/store/number_reading.h"
#include "core/store/text_trim.h"

#include <cstdint>

namespace tindrel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Fields narrower than 64 bits keep the low bits of the number read; the conversion back
// to a signed type is modular in C++20.
int16_t low_16_bits(int64_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(value));
}

int32_t seconds_to_ms(int64_t seconds) {
    return static_cast<int32_t>(static_cast<uint32_t>(seconds) * 1000u);
}

// The text after the first "=", or the whole line when it has none.
std::string_view value_of(std::string_view line) {
    const size_t equals = line.find('=');
    return equals == std::string_view::npos ? line : line.substr(equals + 1);
}

void apply_setting(std::string_view line, Settings& settings) {
    const std::string_view key = line.substr(0, 5);
    const std::string_view value = value_of(line);
    if (key == ";scan") {
        settings.scan_interval_ms = seconds_to_ms(read_number(value));
    } else if (key == ";play") {
        settings.play_sound = low_16_bits(read_number(value));
    } else if (key == ";send") {
        settings.send_email = low_16_bits(read_number(value));
    } else if (key == ";smtp") {
        settings.smtp_server.assign(value);
    } else if (key == ";port") {
        settings.smtp_port = low_16_bits(read_number(value));
    } else if (key == ";1rec") {
        settings.recipient1.assign(trim_spaces(value));
    } else if (key == ";2rec") {
        settings.recipient2.assign(trim_spaces(value));
    }
}

void append_line(std::string& out, std::string_view key, std::string_view value) {
    out.append(key).append(value).append(kLineEnd);
}

} // namespace

void parse_data_file(std::string_view bytes, Settings& settings, std::vector<std::string>& hosts) {
    const std::vector<std::string_view> lines = split_lines(bytes);
    hosts.reserve(hosts.size() + lines.size());
    for (const std::string_view line : lines) {
        if (!line.empty() && line.front() == ';') {
            apply_setting(line, settings);
        } else {
            hosts.emplace_back(line);
        }
    }
}

std::string format_data_file(const Settings& settings, const std::vector<std::string>& hosts) {
    size_t size =
        128 + settings.smtp_server.size() + settings.recipient1.size() + settings.recipient2.size();
    for (const std::string& host : hosts) {
        size += host.size() + kLineEnd.size();
    }
    std::string out;
    out.reserve(size);
    // Division truncates toward zero, so a wrapped negative interval writes back as read.
    append_line(out, ";scan_every=", std::to_string(settings.scan_interval_ms / 1000));
    append_line(out, ";play_sound=", std::to_string(settings.play_sound));
    append_line(out, ";send_email=", std::to_string(settings.send_email));
    append_line(out, ";smtp=", settings.smtp_server);
    append_line(out, ";port=", std::to_string(settings.smtp_port));
    append_line(out, ";1recipient=", settings.recipient1);
    append_line(out, ";2recipient=", settings.recipient2);
    for (const std::string& host : hosts) {
        out.append(host).append(kLineEnd);
    }
    return out;
}

} // namespace tindrel
