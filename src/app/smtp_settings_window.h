#pragma once

#include "app/secondary_window.h"
#include "core/alerts/mail/mail_dependencies.h"
#include "core/store/app_state.h"
#include "core/store/settings.h"

#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tindrel {

class MainWindow;

// The SMTP settings window's controls, in Tab order.
struct SmtpSettingsControls {
    QLabel* server_label = nullptr;    // "SMTP server :"
    QPushButton* close = nullptr;      // "Close", the only way out
    QLineEdit* server = nullptr;       // smtp_server
    QLabel* port_label = nullptr;      // "Port :"
    QLineEdit* port = nullptr;         // smtp_port, any text; read as a number
    QPushButton* test = nullptr;       // "Test", enabled while SMTP counts as configured
    QLabel* recipient_label = nullptr; // "Recipient :"
    QLineEdit* recipient1 = nullptr;   // recipient1
    QLineEdit* recipient2 = nullptr;   // recipient2, the copy
    QLabel* copy_label = nullptr;      // "CC Recipient :"
    QLabel* optional_label = nullptr;  // "(Optional)"
};

// Sets the SMTP server, port and recipients and sends a test mail with them. The four fields
// are written to the settings at every event of the window's controls (each change of a
// field's text, each focus change, Close and Test), and the Test button follows
// is_smtp_configured as the user types.
class SmtpSettingsWindow final : public SecondaryWindow {
    Q_OBJECT

public:
    static constexpr std::string_view kTestMailBody = " This is a test !!!";

    SmtpSettingsWindow(MainWindow& main_window, Settings& settings, AppState& state,
                       const MailDependencies& mail);

    const SmtpSettingsControls& controls() const { return controls_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void create_controls();
    void write_back();
    void send_test_mail();

    Settings& settings_;
    AppState& state_;
    const MailDependencies& mail_;
    SmtpSettingsControls controls_;
};

// Runs the SMTP settings window over the disabled main window until its Close button is
// pressed. The Test button sends a test mail through `mail` and tells how it went in a
// message box. Never fails.
void run_smtp_settings_window(MainWindow& main_window, Settings& settings, AppState& state,
                              const MailDependencies& mail);

} // namespace tindrel
