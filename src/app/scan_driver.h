#pragma once

#include "app/facilities.h"
#include "app/main_window_scan_view.h"
#include "core/monitor/scan_cycle.h"

#include <QObject>
#include <QTimer>

namespace tindrel {

class MainWindow;

// Runs the scan from Qt's event loop. Between two iterations it sleeps on one single-shot
// timer set to the moment the next iteration has something to do, so a waiting scan costs
// nothing; Stop and "Clean list" run their iteration at once. Each call returns when its
// iteration is done, so the event loop is held no longer than one probe step.
//
// The driver only runs the scan: which of the main window's events reach it, and which are
// dropped while it runs, is decided by whoever dispatches them.
class ScanDriver final : public QObject {
    Q_OBJECT

public:
    // The timer's object name, for tests that look at how long the scan sleeps.
    static constexpr const char* kTimerName = "scanTimer";

    // Everything given must outlive the driver; `settings` and `state` are read when used.
    ScanDriver(MainWindow& window, const Settings& settings, const AppState& state,
               const ScanPlatform& platform, ScanAlerts& alerts, QObject* parent = nullptr);

    // "Start": a fresh scan from the first entry. Does nothing while one runs.
    void start();
    // "Stop": the controls read "Start" again, Stop's two tones sound, a probe step that is
    // due still runs, and the scan ends. Does nothing unless a scan runs.
    void stop();
    // "Clean list" during a scan: empties the log, and the scan goes on.
    void clean_list();

    bool running() const { return cycle_.running(); }

private:
    // Runs one call into the scan with the timer stopped, so that nothing inside it (a mail
    // wait runs timers) can start another iteration, then sleeps until the next is due.
    void iterate(void (ScanCycle::*call)());

    MainWindowScanView view_;
    ScanCycle cycle_;
    QTimer wake_up_;
};

} // namespace tindrel
