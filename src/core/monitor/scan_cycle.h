#pragma once

#include "core/monitor/beeper.h"
#include "core/monitor/prober.h"
#include "core/monitor/scan_alerts.h"
#include "core/monitor/scan_view.h"
#include "core/monitor/sleeper.h"
#include "core/platform/clock.h"
#include "core/platform/resolver.h"
#include "core/store/app_state.h"
#include "core/store/settings.h"

#include <cstdint>

namespace tindrel {

// The scan: probes the host list entries one at a time, one probe step at most every two
// seconds, waits scan_interval_ms after each full pass, logs failures with date and time and
// raises the alert sound and mail. It never waits by itself; a driver feeds it events.
//
// How a driver uses it (all calls on one thread):
//
//     ScanCycle scan(settings, app_state, services);
//     scan.start();                       // on "Start": relabels, locks menu items,
//                                         // runs the first iteration
//     while (scan.running()) {
//         arm a single-shot timer for scan.ms_until_due() milliseconds, then sleep in the
//         event loop until that timer fires or the user acts:
//           timer fired         -> scan.on_timer();
//           "Stop" (button or File menu item) -> scan.on_stop();     // scan ends with it
//           "Clean list"        -> scan.on_clean_list();
//     }
//
// Every call runs one iteration of the scan: the event's action, then whatever is due by
// the clock (a countdown update or a probe step). Calling on_timer() early is harmless, it
// just finds nothing due (a precise timer, Qt::PreciseTimer, saves such wake-ups). Re-arm
// the timer after every call, because each one may move the deadlines. A probe step blocks for the
// resolution, the probe (about a second when the target is silent) and the alert mail. While the
// scan runs, drop every other event of the main window, its close request included; the About item
// stays enabled and does nothing. on_stop() beeps twice (blocking, 200 ms) and may still run a
// probe step that is due; after it, running() is false and the frame title and the log stay as they
// are.
//
// Settings and AppState are read at the moment of use and must outlive the scan.
// The real services: SystemClock, IcmpProber, SystemResolver, SilentBeeper (until the sound
// module gives a beeper that sounds) and SystemSleeper; the view and the alerts are the
// front end's own.

// The scan's own variables; every start begins afresh. Times are the Clock's 32-bit ticks.
struct ScanState {
    int32_t current_index = 0; // host list line of the next probe step
    int32_t countdown = 0;     // the number shown after "Waiting... "
    uint32_t next_probe_at = 0;
    uint32_t next_pass_at = 0;
    uint32_t next_countdown_at = 0;
    bool stop_requested = false;

    bool operator==(const ScanState&) const = default;
};

// The outside facilities a scan uses; each must outlive it.
struct ScanServices {
    Clock& clock;
    Prober& prober;
    Resolver& resolver;
    ScanView& view;
    ScanAlerts& alerts;
    Beeper& beeper;
    Sleeper& sleeper;
};

class ScanCycle {
public:
    ScanCycle(const Settings& settings, const AppState& app_state, ScanServices services);

    // Starts a scan at the first entry; does nothing while one runs.
    void start();
    // One iteration without an event. Does nothing unless running.
    void on_timer();
    // "Clean list": empties the log, then one iteration. Does nothing unless running
    // (outside a scan the main window empties the log itself).
    void on_clean_list();
    // Stop: "Start" labels, menu items unlocked, two beeps, then one last iteration.
    // Does nothing unless running.
    void on_stop();

    bool running() const { return running_; }
    // Milliseconds from now until the next iteration has something to do; 0 when it is due
    // now, -1 when no scan runs.
    int32_t ms_until_due();

    const ScanState& state() const { return state_; }

private:
    void timing_step();
    void probe_step();
    void report_failure(const std::string& entry);
    void end_pass();
    bool is_past(uint32_t now, uint32_t time) const;
    bool clock_past(uint32_t time);

    const Settings& settings_;
    const AppState& app_state_;
    ScanServices services_;
    ScanState state_;
    bool running_ = false;
    bool early_end_used_ = false; // since the clock last read below 2^31
};

} // namespace tindrel
