#pragma once

#include "app/fonts.h"
#include "core/store/app_state.h"
#include "core/store/settings.h"

#include <QObject>
#include <memory>

namespace tindrel {

class AlertChannels;
class Facilities;
class MainWindow;
class ScanDriver;

// One run of the monitor: start-up, the dispatch of the main window's buttons and menu
// items, the quit sequence and shut-down. Qt's event loop is the main loop; the program
// reports its end through ended() and whoever runs the loop then leaves it.
class Program final : public QObject {
    Q_OBJECT

public:
    explicit Program(Facilities& facilities);
    ~Program() override;

    // Brings the program up to its main loop: facilities, fonts and pictures, the defaults,
    // the main window and the data file. Returns false when the program had to end on the
    // way (after its message; ended() has then been emitted).
    bool start_up();

    // The quit sequence: offers to save when something changed, closes the main window and
    // shuts down. Should the save fail, the user is told and the program stays open.
    void quit_program();

    // Releases every facility in order and emits ended(0). Must not run inside a handler
    // of the main window's own widgets, as it deletes that window; the dispatch queues it.
    void shut_down();

    bool has_ended() const { return ended_; }
    const AppState& app_state() const { return state_; }
    AppState& app_state() { return state_; }
    Settings& settings() { return settings_; }
    MainWindow* main_window() { return window_.get(); }
    const ScanDriver* scan_driver() const { return scan_.get(); }
    bool scanning() const;

signals:
    void ended(int exit_code);

private:
    // Qt runs the main loop; this wires the main window's events to their actions.
    void run_main_loop();
    void on_close_request();
    void save_list_and_settings();
    // Button 5 and menu item 0 read "Start" or "Stop": the one event starts a scan or stops
    // the one that runs. The scan runs from the main loop, between the user's events.
    void start_scan();
    void clean_list();
    void drop_actions_during_scan(bool drop);
    // Entries that the secondary windows take over. Each runs its own loop through
    // run_nested, so that a close request meanwhile is dropped, not acted on under that
    // loop's feet.
    void open_smtp_settings();
    void open_ping_options();
    void open_about();
    template <typename Loop> void run_nested(Loop&& loop) {
        ++nested_loops_;
        loop();
        --nested_loops_;
    }

    Facilities& facilities_;
    AppState state_;
    Settings settings_;
    WindowFonts fonts_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<AlertChannels> alerts_;
    std::unique_ptr<ScanDriver> scan_; // runs on the window: goes before it
    int nested_loops_ = 0;
    bool quitting_ = false;
    bool ended_ = false;
};

} // namespace tindrel
