#include "app/smtp_settings_window.h"

#include "app/byte_text.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/secondary_controls.h"
#include "core/alerts/mail/alert_mail.h"
#include "core/store/number_reading.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

namespace tindrel {
namespace {

constexpr std::string_view kSentTitle = "Information";
constexpr std::string_view kSent = "Mail correctly sent !";
constexpr std::string_view kNotSentTitle = "Error !";
constexpr std::string_view kNotSent = "Can't sent the mail !";

// Stores a field's text and marks the settings modified when it differs from what was stored.
void take_text(const QLineEdit* field, std::string& stored, int16_t& modified) {
    std::string text = to_bytes(field->text());
    if (text != stored) {
        modified = 1;
    }
    stored = std::move(text);
}

} // namespace

SmtpSettingsWindow::SmtpSettingsWindow(MainWindow& main_window, Settings& settings, AppState& state,
                                       const MailDependencies& mail)
    : SecondaryWindow(main_window, {QStringLiteral("SMTP settings"), QSize(246, 179)}),
      settings_(settings), state_(state), mail_(mail) {
    create_controls();
    SmtpSettingsControls& c = controls_;
    c.server->setText(to_display(settings_.smtp_server));
    c.port->setText(QString::number(settings_.smtp_port));
    c.recipient1->setText(to_display(settings_.recipient1));
    c.recipient2->setText(to_display(settings_.recipient2));
    c.test->setEnabled(state_.smtp_configured != 0);

    // Connected only now, so that filling the fields is no event of theirs.
    for (QLineEdit* field : {c.server, c.port, c.recipient1, c.recipient2}) {
        connect(field, &QLineEdit::textChanged, this, &SmtpSettingsWindow::write_back);
        field->installEventFilter(this);
    }
    connect(c.close, &QPushButton::clicked, this, [this] {
        write_back();
        close_window();
    });
    connect(c.test, &QPushButton::clicked, this, [this] {
        write_back();
        send_test_mail();
    });
}

void SmtpSettingsWindow::create_controls() {
    SmtpSettingsControls& c = controls_;
    c.server_label = make_label(this, "SMTP server :", "serverLabel", 10, 87, 75, 20);
    c.close = make_button(this, "Close", "closeButton", 96, 149, 70, 20);
    c.server = make_text_field(this, "serverField", 87, 85, 147, 20);
    c.port_label = make_label(this, "Port :", "portLabel", 51, 110, 38, 20);
    c.port = make_text_field(this, "portField", 87, 115, 46, 20);
    c.test = make_button(this, "Test", "testButton", 166, 115, 69, 20);
    c.recipient_label = make_label(this, "Recipient :", "recipientLabel", 10, 10, 75, 20);
    c.recipient1 = make_text_field(this, "recipientField", 87, 8, 147, 20);
    c.recipient2 = make_text_field(this, "copyRecipientField", 87, 38, 147, 20);
    c.copy_label = make_label(this, "CC Recipient :", "copyRecipientLabel", 10, 40, 75, 20);
    c.optional_label =
        make_label(this, "(Optional)", "optionalLabel", 87, 62, 149, 13, Qt::AlignCenter);
}

bool SmtpSettingsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        write_back();
    }
    return SecondaryWindow::eventFilter(watched, event);
}

void SmtpSettingsWindow::write_back() {
    if (!is_open()) {
        return; // the focus leaving as the window closes is no change of the user's
    }
    SmtpSettingsControls& c = controls_;
    take_text(c.server, settings_.smtp_server, state_.modified);
    // Compared before it is cut to 16 bits: a port text beyond them marks the settings
    // modified at every event, even when the stored port stays the same.
    const int64_t port = read_number(to_bytes(c.port->text()));
    if (port != settings_.smtp_port) {
        state_.modified = 1;
    }
    settings_.smtp_port = static_cast<int16_t>(static_cast<uint16_t>(port));
    take_text(c.recipient1, settings_.recipient1, state_.modified);
    take_text(c.recipient2, settings_.recipient2, state_.modified);

    const bool configured = is_smtp_configured(settings_);
    c.test->setEnabled(configured);
    state_.smtp_configured = configured ? 1 : 0;
}

void SmtpSettingsWindow::send_test_mail() {
    // The mail's wait lets the window repaint and takes no input until the outcome is known.
    const bool sent = send_alert_mail(settings_, kTestMailBody, mail_) == kMailFinished;
    show_message(sent ? kSentTitle : kNotSentTitle, sent ? kSent : kNotSent, MessageButtons::ok,
                 this);
}

void run_smtp_settings_window(MainWindow& main_window, Settings& settings, AppState& state,
                              const MailDependencies& mail) {
    SmtpSettingsWindow window(main_window, settings, state, mail);
    window.run();
}

} // namespace tindrel
