// The scan as the user drives it from the main window, on fake time, a fake prober and a
// fake resolver; alert mails go to a scripted peer on loopback.
#include "app/main_window.h"
#include "app/program.h"
#include "app/scan_driver.h"
#include "app/secondary_window.h"
#include "fake_facilities.h"
#include "menu_driver.h"
#include "message_box_answerer.h"
#include "qt_warnings.h"
#include "scratch_working_folder.h"
#include "scripted_smtp_peer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

using tindrel::MainWindow;
using tindrel::Program;
using tindrel::ScanDriver;
using tindrel::testing::FakeFacilities;
using tindrel::testing::ipv4;
using tindrel::testing::MessageBoxAnswerer;
using tindrel::testing::ScriptedSmtpPeer;

namespace {

const QByteArray kDefaultSettings = ";scan_every=10\r\n;play_sound=1\r\n;send_email=0\r\n";

// Records every secondary window that opens and closes it again at once, so that a window
// opened by mistake fails the test instead of holding it in the window's own loop.
class SecondaryWindowCatcher final : public QObject {
public:
    SecondaryWindowCatcher() { qApp->installEventFilter(this); }
    ~SecondaryWindowCatcher() override { qApp->removeEventFilter(this); }

    QStringList opened;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<tindrel::SecondaryWindow*>(watched);
        if (window != nullptr && event->type() == QEvent::Show) {
            opened << window->windowTitle();
            QPointer<tindrel::SecondaryWindow> target(window);
            QMetaObject::invokeMethod(
                this,
                [target] {
                    if (target != nullptr) {
                        target->close_window();
                    }
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

class ScanTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<tindrel::testing::ScratchWorkingFolder> folder_;
    std::unique_ptr<FakeFacilities> facilities_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<QSignalSpy> ended_;

    MainWindow& window() { return *program_->main_window(); }
    const tindrel::MainControls& controls() { return window().controls(); }
    const tindrel::MainMenu& menu() { return window().menu(); }
    QStringList log() { return window().log().stringList(); }
    QStringList hosts() { return window().hosts().stringList(); }

    // Starts the program on a data file with `settings` and `host_lines` and brings its
    // window to the front.
    void start_program(const QByteArray& settings, const QByteArray& host_lines) {
        QFile file(QStringLiteral("IPs.td"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(settings + host_lines);
        file.close();
        QVERIFY(program_->start_up());
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }

    void click_start_stop() { QTest::mouseClick(controls().start, Qt::LeftButton); }

    void choose(QAction* item) { tindrel::testing::choose_menu_item(window(), item); }

    // Lets the time of the scan's first step come and waits until the step has run.
    void run_first_probe_step() {
        facilities_->clock.advance(1);
        QTRY_VERIFY(!facilities_->sleeper.pauses.empty()); // the pause ends every step
    }

    QTimer* scan_timer() {
        return program_->scan_driver()->findChild<QTimer*>(ScanDriver::kTimerName);
    }

    // Every item of the menu bar that can be chosen now, by its text.
    QStringList enabled_menu_items() {
        QStringList texts;
        for (QAction* item : {menu().start, menu().save, menu().quit, menu().smtp_settings,
                              menu().ping_options, menu().about}) {
            if (item->isEnabled()) {
                texts << item->text();
            }
        }
        return texts;
    }

private slots:
    void initTestCase() { tindrel::testing::drop_offscreen_platform_notices(); }

    void init() {
        tindrel::testing::fail_on_qt_warnings();
        folder_ = std::make_unique<tindrel::testing::ScratchWorkingFolder>();
        QVERIFY(folder_->entered());
        facilities_ = std::make_unique<FakeFacilities>();
        facilities_->clock.local = tindrel::LocalTime{2012, 3, 5, 9, 4, 30, 1, 60};
        program_ = std::make_unique<Program>(*facilities_);
        ended_ = std::make_unique<QSignalSpy>(program_.get(), &Program::ended);
    }

    void cleanup() {
        program_.reset();
        facilities_.reset();
        folder_.reset();
    }

    void start_and_stop_relabel_and_lock_the_menu_data() {
        QTest::addColumn<bool>("start_by_menu");
        QTest::addColumn<bool>("stop_by_menu");
        QTest::newRow("button, then menu item") << false << true;
        QTest::newRow("menu item, then button") << true << false;
    }

    void start_and_stop_relabel_and_lock_the_menu() {
        QFETCH(bool, start_by_menu);
        QFETCH(bool, stop_by_menu);
        start_program(kDefaultSettings, "10.0.0.7\r\n");

        start_by_menu ? choose(menu().start) : click_start_stop();
        QVERIFY(program_->scanning());
        QCOMPARE(controls().start->text(), QStringLiteral("Stop"));
        QCOMPARE(enabled_menu_items(), QStringList({"Stop", "About Tindrel..."}));
        QVERIFY(facilities_->beeper.beeps.empty());

        stop_by_menu ? choose(menu().start) : click_start_stop();
        QVERIFY(!program_->scanning());
        QCOMPARE(controls().start->text(), QStringLiteral("Start"));
        QCOMPARE(enabled_menu_items(),
                 QStringList({"Start", "Save IP list and Settings", "Quit", "SMTP settings",
                              "Ping options", "About Tindrel..."}));
        const std::vector<std::pair<int, int>> tones{{2000, 100}, {1000, 100}};
        QCOMPARE(facilities_->beeper.beeps, tones);
        QVERIFY(!scan_timer()->isActive());
    }

    void scan_drops_other_actions_until_stopped() {
        start_program(kDefaultSettings, "a\r\nb\r\n");
        SecondaryWindowCatcher catcher;
        QListView* list = controls().host_list;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(window().hosts().index(0)).center());
        QTest::keyClicks(controls().host_name, QStringLiteral("server"));
        click_start_stop();

        QTest::mouseClick(controls().add_ip, Qt::LeftButton);
        QTest::mouseClick(controls().add_hostname, Qt::LeftButton);
        QTest::mouseClick(controls().delete_selected, Qt::LeftButton);
        choose(menu().about);
        QCoreApplication::processEvents();
        QCOMPARE(hosts(), QStringList({"a", "b"}));
        QCOMPARE(program_->app_state().modified, 0);
        QVERIFY(catcher.opened.isEmpty());
        QVERIFY(program_->scanning());

        click_start_stop();
        QTest::mouseClick(controls().add_hostname, Qt::LeftButton);
        QTest::mouseClick(controls().delete_selected, Qt::LeftButton);
        QCOMPARE(hosts(), QStringList({"b", "@server"}));
        QCOMPARE(program_->app_state().modified, 1);
    }

    void close_box_is_ignored_until_stopped() {
        start_program(kDefaultSettings, "10.0.0.7\r\n");
        MessageBoxAnswerer answerer;
        click_start_stop();

        window().close();
        QCoreApplication::processEvents(); // the close request is handled queued
        QVERIFY(!program_->has_ended());
        QVERIFY(window().isVisible());
        QVERIFY(program_->scanning());

        click_start_stop();
        window().close();
        QVERIFY(ended_->wait());
        QVERIFY(answerer.shown.isEmpty()); // nothing changed, nothing to save
    }

    void clean_list_empties_the_log_and_the_scan_goes_on() {
        start_program(kDefaultSettings, "10.0.0.7\r\n");
        window().log().setStringList({"10.0.0.7 (04/03/2012 - 23:59)", ">>>>> EMAIL SENT !"});
        click_start_stop();

        QTest::mouseClick(controls().clean_list, Qt::LeftButton);
        QVERIFY(log().isEmpty());
        QVERIFY(program_->scanning());
        QCOMPARE(controls().start->text(), QStringLiteral("Stop"));
    }

    void probe_step_shows_its_outcome_data() {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<bool>("sound_card");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("alert_sounds");
        QTest::newRow("answering address")
            << QByteArray("10.0.0.8") << true << "Pinging : 10.0.0.8" << QStringList() << 0;
        QTest::newRow("silent address") << QByteArray("10.0.0.7") << true << "Pinging : 10.0.0.7"
                                        << QStringList{"10.0.0.7 (05/03/2012 - 09:04)"} << 1;
        QTest::newRow("silent address, no sound card")
            << QByteArray("10.0.0.7") << false << "Pinging : 10.0.0.7"
            << QStringList{"10.0.0.7 (05/03/2012 - 09:04)"} << 0;
        QTest::newRow("host name that does not resolve")
            << QByteArray("@gone") << true << "Pinging : @gone"
            << QStringList{"Host unknown : gone"} << 0;
        QTest::newRow("silent host name") << QByteArray("@quiet") << true << "Pinging : @quiet"
                                          << QStringList{"@quiet (05/03/2012 - 09:04)"} << 1;
    }

    void probe_step_shows_its_outcome() {
        QFETCH(QByteArray, entry);
        QFETCH(bool, sound_card);
        QFETCH(QString, title);
        QFETCH(QStringList, lines);
        QFETCH(int, alert_sounds);
        facilities_->sound_works = sound_card;
        facilities_->resolver.known["quiet"] = ipv4(10, 0, 0, 9);
        facilities_->prober.silent = {ipv4(10, 0, 0, 7), ipv4(10, 0, 0, 9)};
        MessageBoxAnswerer answerer; // "No sound card found !"
        start_program(kDefaultSettings, entry + "\r\n");

        click_start_stop();
        run_first_probe_step();
        QCOMPARE(controls().progress_frame->title(), title);
        QCOMPARE(log(), lines);
        QCOMPARE(facilities_->alert_sounds, alert_sounds);
        QVERIFY(program_->scanning());
    }

    void scan_sleeps_until_something_is_due() {
        start_program(kDefaultSettings, "10.0.0.8\r\n");
        click_start_stop();
        run_first_probe_step();

        // The step ended the pass 11 ms after the start (1 ms to its deadline, then its
        // 10 ms pause), so the countdown is next shown at 1011: 1000 ms from now.
        QTimer* timer = scan_timer();
        QVERIFY(timer->isActive());
        QVERIFY(timer->isSingleShot());
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QCOMPARE(timer->interval(), 1001);
    }

    void alert_mail_outcome_is_logged_data() {
        QTest::addColumn<bool>("accepting");
        QTest::addColumn<QString>("mail_line");
        QTest::newRow("accepted") << true << ">>>>> EMAIL SENT !";
        QTest::newRow("refused") << false << ">>>>> PROBLEM SENDING EMAIL !";
    }

    void alert_mail_outcome_is_logged() {
        QFETCH(bool, accepting);
        QFETCH(QString, mail_line);
        ScriptedSmtpPeer peer(accepting ? ScriptedSmtpPeer::accepting_script(1)
                                        : std::vector{ScriptedSmtpPeer::send("554 go away\r\n")});
        facilities_->prober.silent = {ipv4(10, 0, 0, 7)};
        start_program(";send_email=1\r\n;smtp=127.0.0.1\r\n;port=" +
                          QByteArray::number(peer.port()) + "\r\n;1recipient=ops@example.com\r\n",
                      "10.0.0.7\r\n");

        click_start_stop();
        run_first_probe_step();
        QCOMPARE(log(), QStringList({"10.0.0.7 (05/03/2012 - 09:04)", mail_line}));
        QVERIFY(peer.wait_until_done());
        if (accepting) {
            const std::string received = peer.received();
            QVERIFY(received.find("RCPT TO:<ops@example.com>\r\n") != std::string::npos);
            QVERIFY(received.find("Subject: Tindrel WARNING...!!!\r\n") != std::string::npos);
            QVERIFY(received.find("\r\n\r\n10.0.0.7 not responding !!!") != std::string::npos);
        }
    }
};

QTEST_MAIN(ScanTest)
#include "scan_test.moc"
