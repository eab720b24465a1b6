#pragma once

#include "app/secondary_window.h"
#include "core/store/app_state.h"
#include "core/store/settings.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tindrel {

class MainWindow;

// The Ping options window's controls, in Tab order.
struct OptionsControls {
    QLabel* scan_label = nullptr;      // "Scan list every : "
    QCheckBox* play_sound = nullptr;   // "Send sound alert", greyed without a sound device
    QCheckBox* send_email = nullptr;   // "Send EMail "
    QSpinBox* scan_interval = nullptr; // seconds between two passes, 1 to 3600
    QLabel* seconds_label = nullptr;   // "Sec."
    QPushButton* close = nullptr;      // "Close", the only way out
};

// Sets the pause between two passes and the two alert switches. The interval is written to
// the settings at every event of its spin box (each step, each change of its text, each focus
// change), so it is stored before Close; the switches are taken only on Close. A value equal
// to the stored one never marks the settings modified.
class OptionsWindow final : public SecondaryWindow {
    Q_OBJECT

public:
    static constexpr int kMinSeconds = 1;
    static constexpr int kMaxSeconds = 3600;

    OptionsWindow(MainWindow& main_window, Settings& settings, AppState& state);

    const OptionsControls& controls() const { return controls_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void create_controls();
    void take_interval();
    void take_switches_and_close();

    Settings& settings_;
    AppState& state_;
    OptionsControls controls_;
};

// Runs the Ping options window over the disabled main window until its Close button is
// pressed, then shows the new values in the main window's indicators. Never fails.
void run_options_window(MainWindow& main_window, Settings& settings, AppState& state);

} // namespace tindrel
