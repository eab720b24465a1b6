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

enum class Passing { not_yet, passed, passed_early };

// Where tick `now` stands against deadline `time`, both signed 32-bit. The signed difference
// is right across every wrap of the counter. Compared as values, a deadline set shortly
// before the counter reaches 2^31 reads as negative and so as already passed, while the
// clock still reads below it: that is the early end.
Passing compare(uint32_t now, uint32_t time) {
    if (static_cast<int32_t>(now - time) > 0) {
        return Passing::passed;
    }
    if (static_cast<int32_t>(now) > static_cast<int32_t>(time)) {
        return Passing::passed_early;
    }
    return Passing::not_yet;
}

// Milliseconds until a deadline that is not past becomes past: the first tick after it.
int64_t ms_until_past(uint32_t now, uint32_t time) {
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
    const auto until = [&](uint32_t time) {
        return is_past(now, time) ? 0 : ms_until_past(now, time);
    };
    // Between passes: the next countdown update or the end of the wait; else the next step.
    const int64_t due = is_past(now, state_.next_pass_at)
                            ? until(state_.next_probe_at)
                            : std::min(until(state_.next_countdown_at), until(state_.next_pass_at));
    return static_cast<int32_t>(std::min<int64_t>(due, INT32_MAX));
}

// The early end at 2^31 ends the wait then in progress, once. Allowing it again for the
// deadlines set right after, still before the crossing, would end each of them at once too:
// a burst of probe steps 10 ms apart and a countdown that runs away, until the clock crosses.
bool ScanCycle::is_past(uint32_t now, uint32_t time) const {
    const Passing passing = compare(now, time);
    return passing == Passing::passed || (passing == Passing::passed_early && !early_end_used_);
}

bool ScanCycle::clock_past(uint32_t time) {
    const uint32_t now = services_.clock.tick_ms();
    if (static_cast<int32_t>(now) < 0) {
        early_end_used_ = false; // the clock has crossed; the next crossing may end a wait
    }
    if (!is_past(now, time)) {
        return false;
    }
    if (compare(now, time) == Passing::passed_early) {
        early_end_used_ = true;
    }
    return true;
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
