#include "app/mail_wait.h"
#include "app/main_window.h"
#include "app/smtp_settings_window.h"
#include "core/platform/clock.h"
#include "core/platform/resolver.h"
#include "message_box_answerer.h"
#include "qt_warnings.h"
#include "scripted_smtp_peer.h"
#include "secondary_window_driver.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using tindrel::AppState;
using tindrel::MainWindow;
using tindrel::Settings;
using tindrel::SmtpSettingsWindow;
using tindrel::testing::MessageBoxAnswerer;
using tindrel::testing::ScriptedSmtpPeer;
using tindrel::testing::WhenOpen;

namespace {

// Replaces a field's whole text as a user does: by typing, or by pasting what the Tab key
// cannot type.
void retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    if (text.contains(QLatin1Char('\t'))) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(field, text);
    }
}

// A loopback port on which a socket is bound but nobody listens: connections are refused.
class RefusingPort {
public:
    RefusingPort() {
        socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (socket_ >= 0 && ::bind(socket_, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
            port_ = ntohs(address.sin_port);
        }
    }
    ~RefusingPort() {
        if (socket_ >= 0) {
            ::close(socket_);
        }
    }
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;
    uint16_t port() const { return port_; }

private:
    int socket_ = -1;
    uint16_t port_ = 0;
};

} // namespace

// The SMTP settings window over a real main window; test mails go to peers on 127.0.0.1.
class SmtpSettingsWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> main_;
    Settings settings_;
    AppState state_;
    tindrel::SystemResolver resolver_;
    tindrel::SystemClock clock_;
    const tindrel::MailDependencies mail_{resolver_, clock_, tindrel::wait_for_mail};

    // Runs the window with `act` and checks that the actions themselves closed it.
    void run(std::function<void(SmtpSettingsWindow&)> act) {
        WhenOpen<SmtpSettingsWindow> driver(std::move(act));
        tindrel::run_smtp_settings_window(*main_, settings_, state_, mail_);
        QVERIFY(driver.acted);
        QVERIFY2(!driver.left_open, "the window was still open after the test's actions");
        QVERIFY(main_->isEnabled());
    }

    static void close(SmtpSettingsWindow& window) {
        QTest::mouseClick(window.controls().close, Qt::LeftButton);
    }

    void configure(const char* server, int16_t port, const char* recipient1,
                   const char* recipient2) {
        settings_.smtp_server = server;
        settings_.smtp_port = port;
        settings_.recipient1 = recipient1;
        settings_.recipient2 = recipient2;
        state_.smtp_configured = tindrel::is_smtp_configured(settings_) ? 1 : 0;
    }

private slots:
    void initTestCase() { tindrel::testing::drop_offscreen_platform_notices(); }

    void init() {
        tindrel::testing::fail_on_qt_warnings();
        main_ = tindrel::testing::open_main_window();
        QVERIFY(main_ != nullptr);
        settings_ = Settings{};
        state_ = AppState{};
    }

    void cleanup() { main_.reset(); }

    void untouched_window_changes_nothing_data() {
        QTest::addColumn<QByteArray>("server");
        QTest::addColumn<int>("port");
        QTest::addColumn<QByteArray>("recipient1");
        QTest::addColumn<QByteArray>("recipient2");
        QTest::addColumn<QString>("port_text");
        QTest::newRow("defaults") << QByteArray() << 25 << QByteArray() << QByteArray() << "25";
        QTest::newRow("configured") << QByteArray("127.0.0.1") << 2525
                                    << QByteArray("ops@localhost") << QByteArray("") << "2525";
        QTest::newRow("port stored past 32767")
            << QByteArray("127.0.0.1") << -25536 << QByteArray("") << QByteArray("cc@localhost")
            << "-25536";
        QTest::newRow("8-bit text")
            << QByteArray("h\xF4te") << 25 << QByteArray("\xE9t\xE9@localhost") << QByteArray("   ")
            << "25";
    }

    void untouched_window_changes_nothing() {
        QFETCH(QByteArray, server);
        QFETCH(int, port);
        QFETCH(QByteArray, recipient1);
        QFETCH(QByteArray, recipient2);
        QFETCH(QString, port_text);
        configure(server.constData(), static_cast<int16_t>(port), recipient1.constData(),
                  recipient2.constData());
        const Settings before = settings_;
        const uint8_t configured = state_.smtp_configured;

        run([&](SmtpSettingsWindow& window) {
            const tindrel::SmtpSettingsControls& c = window.controls();
            QCOMPARE(c.server->text(), QString::fromLatin1(server));
            QCOMPARE(c.port->text(), port_text);
            QCOMPARE(c.recipient1->text(), QString::fromLatin1(recipient1));
            QCOMPARE(c.recipient2->text(), QString::fromLatin1(recipient2));
            QCOMPARE(c.test->isEnabled(), configured == 1);
            // Visiting every field is a focus change each time: still nothing changes.
            c.server->setFocus();
            for (int field = 0; field < 4; ++field) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            close(window);
        });
        QVERIFY(settings_ == before);
        QCOMPARE(state_.modified, 0);
        QCOMPARE(state_.smtp_configured, configured);
    }

    void test_button_follows_the_fields_data() {
        QTest::addColumn<QString>("recipient1");
        QTest::addColumn<QString>("recipient2");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("configured");
        QTest::newRow("both recipients emptied") << ""
                                                 << ""
                                                 << "25" << false;
        QTest::newRow("spaces only") << "   "
                                     << " "
                                     << "25" << false;
        QTest::newRow("a tab is not a space") << "\t"
                                              << ""
                                              << "25" << true;
        QTest::newRow("copy recipient alone") << ""
                                              << "cc@localhost"
                                              << "25" << true;
        QTest::newRow("one letter") << ""
                                    << " x "
                                    << "25" << true;
        QTest::newRow("port zero") << "ops@localhost"
                                   << ""
                                   << "0" << false;
        QTest::newRow("port text that is no number") << "ops@localhost"
                                                     << ""
                                                     << "smtp" << false;
    }

    // The server field is emptied in every row: it plays no part.
    void test_button_follows_the_fields() {
        QFETCH(QString, recipient1);
        QFETCH(QString, recipient2);
        QFETCH(QString, port);
        QFETCH(bool, configured);
        configure("127.0.0.1", 25, "ops@localhost", "");

        run([&](SmtpSettingsWindow& window) {
            const tindrel::SmtpSettingsControls& c = window.controls();
            QVERIFY(c.test->isEnabled());
            retype(c.server, QString());
            retype(c.recipient1, recipient1);
            retype(c.recipient2, recipient2);
            retype(c.port, port);
            // At once, while the focus is still in the last field typed into.
            QCOMPARE(c.test->isEnabled(), configured);
            QCOMPARE(state_.smtp_configured, configured ? 1 : 0);
            close(window);
        });
        QCOMPARE(settings_.smtp_server, std::string());
        QCOMPARE(QString::fromLatin1(settings_.recipient1), recipient1);
        QCOMPARE(QString::fromLatin1(settings_.recipient2), recipient2);
        QCOMPARE(state_.smtp_configured, configured ? 1 : 0);
        QCOMPARE(state_.modified, 1);
    }

    void characters_beyond_8_bits_are_refused() {
        run([&](SmtpSettingsWindow& window) {
            QLineEdit* recipient = window.controls().recipient1;
            retype(recipient, QStringLiteral("caf"));
            for (const QString& typed : {QStringLiteral("\u00e9"), QStringLiteral("\u0142")}) {
                QTest::sendKeyEvent(QTest::Click, recipient, Qt::Key_unknown, typed, {});
            }
            QApplication::clipboard()->setText(QStringLiteral("\u0142\u00f3d\u017a"));
            QTest::keyClick(recipient, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(recipient->text(), QStringLiteral("caf\u00e9"));
            close(window);
        });
        QCOMPARE(settings_.recipient1, std::string("caf\xE9"));
    }

    void port_is_read_as_a_number_and_kept_in_16_bits_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("marks_every_event");
        QTest::newRow("trailing letters") << "25abc" << 25 << false;
        QTest::newRow("leading blank") << " 25" << 25 << false;
        QTest::newRow("hexadecimal") << "$19" << 25 << false;
        QTest::newRow("empty") << "" << 0 << false;
        QTest::newRow("negative") << "-1" << -1 << false;
        QTest::newRow("40000") << "40000" << -25536 << true;
        QTest::newRow("65536") << "65536" << 0 << true;
        QTest::newRow("70000") << "70000" << 4464 << true;
    }

    void port_is_read_as_a_number_and_kept_in_16_bits() {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(bool, marks_every_event);
        configure("", 25, "ops@localhost", "");

        run([&](SmtpSettingsWindow& window) {
            retype(window.controls().port, typed);
            QCOMPARE(int{settings_.smtp_port}, stored);
            QCOMPARE(window.controls().test->isEnabled(), stored != 0);
            // As if just saved: a number beyond 16 bits still differs at the next event.
            state_.modified = 0;
            QTest::keyClick(window.controls().port, Qt::Key_Tab);
            QCOMPARE(state_.modified, marks_every_event ? 1 : 0);
            close(window);
        });
        QCOMPARE(int{settings_.smtp_port}, stored);

        run([&](SmtpSettingsWindow& window) {
            QCOMPARE(window.controls().port->text(), QString::number(stored));
            close(window);
        });
    }

    void test_mail_is_sent_with_the_fields_as_shown() {
        ScriptedSmtpPeer peer(ScriptedSmtpPeer::accepting_script(2));
        configure("", 25, "", "");
        MessageBoxAnswerer answerer;

        run([&](SmtpSettingsWindow& window) {
            const tindrel::SmtpSettingsControls& c = window.controls();
            retype(c.recipient1, QStringLiteral("ops@localhost"));
            retype(c.recipient2, QStringLiteral("cc@localhost"));
            retype(c.server, QStringLiteral("127.0.0.1"));
            retype(c.port, QString::number(peer.port()));
            QTest::mouseClick(c.test, Qt::LeftButton);
            QCOMPARE(answerer.shown.size(), 1);
            close(window);
        });
        QVERIFY(peer.wait_until_done());
        QVERIFY(!peer.script_broken());
        const std::string received = peer.received();
        QVERIFY(received.find("RCPT TO:<ops@localhost>") != std::string::npos);
        QVERIFY(received.find("RCPT TO:<cc@localhost>") != std::string::npos);
        QVERIFY(received.find("\r\n This is a test !!!") != std::string::npos);
        QCOMPARE(answerer.shown.size(), 1);
        QCOMPARE(answerer.shown[0].title, QStringLiteral("Information"));
        QCOMPARE(answerer.shown[0].text, QStringLiteral("Mail correctly sent !"));
        QCOMPARE(answerer.shown[0].buttons, QMessageBox::Ok);
    }

    void failed_test_mail_is_told_and_the_settings_stay() {
        ScriptedSmtpPeer refusing({ScriptedSmtpPeer::send("554 no service here\r\n")});
        RefusingPort nobody;
        QVERIFY(nobody.port() != 0);
        MessageBoxAnswerer answerer;

        for (const uint16_t port : {refusing.port(), nobody.port()}) {
            configure("127.0.0.1", static_cast<int16_t>(port), "ops@localhost", "");
            const Settings entered = settings_;
            run([&](SmtpSettingsWindow& window) {
                QTest::mouseClick(window.controls().test, Qt::LeftButton);
                close(window);
            });
            QVERIFY(settings_ == entered);
            QCOMPARE(state_.smtp_configured, 1);
        }
        QCOMPARE(answerer.shown.size(), 2);
        for (const MessageBoxAnswerer::Shown& shown : answerer.shown) {
            QCOMPARE(shown.title, QStringLiteral("Error !"));
            QCOMPARE(shown.text, QStringLiteral("Can't sent the mail !"));
            QCOMPARE(shown.buttons, QMessageBox::Ok);
        }
    }
};

QTEST_MAIN(SmtpSettingsWindowTest)
#include "smtp_settings_window_test.moc"
