#pragma once

#include "app/facilities.h"
#include "app/fonts.h"
#include "core/store/settings.h"

#include <QMainWindow>
#include <QStringListModel>
#include <string>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace tindrel {

class Ipv4AddressField;

// The main window's controls in the order they are created, which is also the Tab order.
struct MainControls {
    QListView* host_list = nullptr;         // the targets, one per line, in the order added
    QLabel* ip_title = nullptr;             // "IPs/Hosts"
    QPushButton* add_ip = nullptr;          // "Add IP"
    QPushButton* delete_selected = nullptr; // "Delete selected"
    Ipv4AddressField* address = nullptr;    // the address to add
    QPushButton* start = nullptr;           // "Start", "Stop" while scanning
    QLineEdit* host_name = nullptr;         // the host name to add
    QPushButton* add_hostname = nullptr;    // "Add Hostname"
    QGroupBox* progress_frame = nullptr;    // its title shows the scan's progress
    QLabel* address_arrow = nullptr;        // picture pointing from the address to the list
    QLabel* host_name_arrow = nullptr;      // picture pointing from the host name to the list
    QPushButton* clean_list = nullptr;      // "Clean list": empties the alert log
    QListView* log_list = nullptr;          // the alert log, in red
    QLabel* play_sound_label = nullptr;     // "Play sound"
    QLabel* send_email_label = nullptr;     // "Send EMail"
    QLabel* play_sound_ball = nullptr;      // on or off ball for the sound alert
    QLabel* send_email_ball = nullptr;      // on or off ball for the mail alert
    QLabel* scan_every_label = nullptr;     // "Scan every "
    QLabel* sec_label = nullptr;            // "Sec"
    QLineEdit* scan_interval = nullptr;     // the pause between passes, in seconds
    QGroupBox* indicator_frame = nullptr;   // frames the indicator panel
};

// The menu bar's items, numbered 0 to 5 in this order.
struct MainMenu {
    QAction* start = nullptr;
    QAction* save = nullptr;
    QAction* quit = nullptr;
    QAction* smtp_settings = nullptr;
    QAction* ping_options = nullptr;
    QAction* about = nullptr;
};

// The program's permanent window. It holds the host list (the only copy of it while the
// program runs) and the alert log; what its buttons and menu items do is decided by whoever
// connects to them. The close box does not close it: it reports close_requested().
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    // The name of the dynamic property of the two balls that says whether they show "on".
    static constexpr const char* kSwitchedOn = "switchedOn";

    MainWindow(const WindowFonts& fonts, const Pictures& pictures);

    const MainControls& controls() const { return controls_; }
    const MainMenu& menu() const { return menu_; }
    QStringListModel& hosts() { return hosts_; }
    const QStringListModel& hosts() const { return hosts_; }
    QStringListModel& log() { return log_; }
    const Pictures& pictures() const { return pictures_; }

    // The host list as bytes, from the first line to the last.
    std::vector<std::string> host_lines() const;
    // Appends lines at the end of the host list in one step, however many there are.
    void append_host_lines(const std::vector<std::string>& lines);
    void append_host(const QString& line);

    // Shows the scan interval in whole seconds and the two switches as on or off balls.
    void refresh_indicators(const Settings& settings);
    void set_log_text_colour(const QColor& colour);

    // Puts the window in the middle of its screen.
    void centre_on_screen();
    // Closes the window for good, unlike the close box.
    void close_for_good();

signals:
    void close_requested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void create_menu();
    void create_controls(const WindowFonts& fonts);
    void show_ball(QLabel* ball, bool on);

    MainControls controls_;
    MainMenu menu_;
    QStringListModel hosts_;
    QStringListModel log_;
    Pictures pictures_;
    bool closing_for_good_ = false;
};

} // namespace tindrel
