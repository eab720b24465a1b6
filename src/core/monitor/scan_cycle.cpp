#include "core/monitor/scan_cycle.h"

#include "core/monitor/scan_texts.h"
#include "core/monitor/target_resolution.h"

#include <algorithm>

namespace tindrel {
namespace {

constexpr uint32_t kProbeSpacingMs = 2000;
constexpr uint32_t kCountdownSpacingMs = 1000;
constexpr int kPauseAfterProbeMs = 10;
constexpr int kStopBeepMs = 100;

// Whether the tick `now` is past `time`. Ticks compare as signed 32-bit values, so a deadline
// that wrapped past 2^31 counts as past at once and the wait then in progress ends early.
// The signed difference also counts: without it a deadline set just before 2^31 and checked
// just after (a late timer, a long mail) would look 49 days away and stall the scan.
bool is_past(uint32_t now, uint32_t time) {
    return static_cast<int32_t>(now) > static_cast<int32_t>(time) ||
           static_cast<int32_t>(now - time) > 0;
}

// Milliseconds until `time` is past: it becomes past on the first tick after it.
int64_t ms_until_past(uint32_t now, uint32_t time) {
    if (is_past(now, time)) {
        return 0;
    }
    return static_cast<int64_t>(time - now) + 1;
}

} // namespace

ScanCycle::ScanCycle(const Settings& settings, const AppState& app_state, ScanServices services)
    : settings_(settings), app_state_(app_state), services_(services) {}

void ScanCycle::start() {
    if (running_) {
        return;
    }
    state_ = ScanState{};
    services_.view.set_start_stop_text(kStopText);
    services_.view.set_locked_menu_items_enabled(false);
    state_.next_pass_at = services_.clock.tick_ms();
    state_.next_probe_at = services_.clock.tick_ms();
    running_ = true;
    timing_step();
}

void ScanCycle::on_timer() {
    if (running_) {
        timing_step();
    }
}

void ScanCycle::on_clean_list() {
    if (running_) {
        services_.view.clear_log();
        timing_step();
    }
}

void ScanCycle::on_stop() {
    if (!running_) {
        return;
    }
    services_.view.set_start_stop_text(kStartText);
    services_.view.set_locked_menu_items_enabled(true);
    services_.beeper.beep(2000, kStopBeepMs);
    services_.beeper.beep(1000, kStopBeepMs);
    state_.stop_requested = true;
    timing_step();
    running_ = false;
}

int32_t ScanCycle::ms_until_due() {
    if (!running_) {
        return -1;
    }
    const uint32_t now = services_.clock.tick_ms();
    int64_t due;
    if (!is_past(now, state_.next_pass_at)) {
        // Between passes: the next countdown update, or the end of the wait.
        due = std::min(ms_until_past(now, state_.next_countdown_at),
                       ms_until_past(now, state_.next_pass_at));
    } else {
        due = ms_until_past(now, state_.next_probe_at);
    }
    return static_cast<int32_t>(std::min<int64_t>(due, INT32_MAX));
}

bool ScanCycle::clock_past(uint32_t time) {
    return is_past(services_.clock.tick_ms(), time);
}

void ScanCycle::timing_step() {
    if (!clock_past(state_.next_pass_at)) {
        if (clock_past(state_.next_countdown_at)) {
            state_.next_countdown_at = services_.clock.tick_ms() + kCountdownSpacingMs;
            // A minimised window is not drawn, but the count goes on.
            if (!services_.view.is_minimised()) {
                services_.view.set_progress_title(waiting_title(state_.countdown));
            }
            --state_.countdown;
        }
    } else if (clock_past(state_.next_probe_at)) {
        probe_step();
    }
}

void ScanCycle::probe_step() {
    state_.next_probe_at = services_.clock.tick_ms() + kProbeSpacingMs;
    ScanView& view = services_.view;
    const std::string entry =
        state_.current_index < view.host_count() ? view.host_text(state_.current_index) : "";
    view.set_progress_title(pinging_title(entry));

    const ResolvedTarget target = resolve_target(entry, services_.resolver);
    if (target.address == 0) {
        view.append_log_line(host_unknown_line(target.working_text));
    } else if (!services_.prober.probe_target(target.address)) {
        report_failure(entry);
    }
    services_.sleeper.pause_ms(kPauseAfterProbeMs);

    if (state_.current_index < view.host_count() - 1) {
        ++state_.current_index;
    } else {
        end_pass();
    }
}

void ScanCycle::report_failure(const std::string& entry) {
    ScanView& view = services_.view;
    view.append_log_line(failure_line(entry, services_.clock.local_time()));
    // One line at most: mail lines and "Host unknown" lines may grow the log past the limit.
    if (view.log_line_count() > app_state_.log_limit) {
        view.remove_first_log_line();
    }
    if (app_state_.sound_available == 1 && settings_.play_sound == 1) {
        services_.alerts.sound_play();
    }
    if (app_state_.smtp_configured == 1 && settings_.send_email == 1) {
        const int result = services_.alerts.send_alert_mail(alert_mail_body(entry));
        view.append_log_line(result == ScanAlerts::kMailSent ? kMailSentLine : kMailFailedLine);
    }
}

void ScanCycle::end_pass() {
    state_.current_index = 0;
    state_.next_pass_at =
        services_.clock.tick_ms() + static_cast<uint32_t>(settings_.scan_interval_ms);
    state_.countdown = settings_.scan_interval_ms / 1000;
    state_.next_countdown_at = services_.clock.tick_ms() + kCountdownSpacingMs;
}

} // namespace tindrel
