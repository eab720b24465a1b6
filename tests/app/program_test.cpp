#include "app/ipv4_address_field.h"
#include "app/main_window.h"
#include "app/program.h"
#include "fake_facilities.h"
#include "menu_driver.h"
#include "message_box_answerer.h"
#include "qt_warnings.h"
#include "scratch_working_folder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using tindrel::MainWindow;
using tindrel::Program;
using tindrel::testing::FakeFacilities;
using tindrel::testing::MessageBoxAnswerer;
using Button = QMessageBox::StandardButton;

namespace {

const QByteArray kDefaultFile = ";scan_every=10\r\n;play_sound=1\r\n;send_email=0\r\n;smtp=\r\n"
                                ";port=25\r\n;1recipient=\r\n;2recipient=\r\n";

const QString kSaveQuestion =
    QStringLiteral("IPs list or settings changed.\nDo you want to save modifications ?");
const QString kNotSaved = QStringLiteral("Problem saving file 'IPs.td' in application directory !");

} // namespace

// One run of the program at a time, in a fresh working directory, with fake facilities and
// every message box answered by a click on its button.
class ProgramTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<tindrel::testing::ScratchWorkingFolder> folder_;
    std::unique_ptr<FakeFacilities> facilities_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<QSignalSpy> ended_;

    static void write_data_file(const QByteArray& bytes) {
        QFile file(QStringLiteral("IPs.td"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray data_file() {
        QFile file(QStringLiteral("IPs.td"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }

    MainWindow& window() { return *program_->main_window(); }
    const tindrel::MainControls& controls() { return window().controls(); }
    int16_t modified() const { return program_->app_state().modified; }

    // Starts the program and brings its window to the front, as a user finds it.
    void start() {
        QVERIFY(program_->start_up());
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }

    void quit_through_menu() { tindrel::testing::choose_menu_item(window(), window().menu().quit); }

    // Waits until the program has gone back to waiting for the user after a quit attempt.
    void settle() {
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QCoreApplication::processEvents();
    }

    void type_host_name(const QString& text) {
        controls().host_name->clear();
        QTest::keyClicks(controls().host_name, text);
    }

private slots:
    void initTestCase() { tindrel::testing::drop_offscreen_platform_notices(); }

    void init() {
        tindrel::testing::fail_on_qt_warnings();
        folder_ = std::make_unique<tindrel::testing::ScratchWorkingFolder>();
        QVERIFY(folder_->entered());
        facilities_ = std::make_unique<FakeFacilities>();
        program_ = std::make_unique<Program>(*facilities_);
        ended_ = std::make_unique<QSignalSpy>(program_.get(), &Program::ended);
    }

    void cleanup() {
        program_.reset();
        folder_.reset();
    }

    void missing_file_is_created_after_its_warning() {
        MessageBoxAnswerer answerer;
        start();

        QCOMPARE(answerer.shown.size(), 1);
        const MessageBoxAnswerer::Shown& warning = answerer.shown.first();
        QCOMPARE(warning.title, QStringLiteral("Warning !"));
        QCOMPARE(warning.text, QStringLiteral("Data file 'IPs.td' not found !\n"
                                              "A new one will be created with the following "
                                              "settings :\n"
                                              "Scan every : 10 sec\n"
                                              "Play sound = YES\n"
                                              "Send Email = NO\n"
                                              "SMTP : Not configured"));
        QCOMPARE(warning.buttons, QMessageBox::Ok);
        QCOMPARE(warning.icon, QMessageBox::NoIcon);
        QCOMPARE(warning.modality, Qt::ApplicationModal);
        QCOMPARE(warning.visible_windows, QStringList{"Tindrel"}); // shown over the window

        QCOMPARE(data_file(), kDefaultFile);
        QCOMPARE(window().hosts().rowCount(), 0);
        QCOMPARE(modified(), 0);
        QCOMPARE(program_->app_state().log_limit, 100);
        QCOMPARE(program_->app_state().sound_available, 1);
        QCOMPARE(controls().scan_interval->text(), QStringLiteral("10"));
        QCOMPARE(controls().play_sound_ball->property(MainWindow::kSwitchedOn), true);
        QCOMPARE(controls().send_email_ball->property(MainWindow::kSwitchedOn), false);
        QCOMPARE(controls().log_list->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(facilities_->names(),
                 (std::vector<std::string>{"start_network", "start_sound", "load_pictures",
                                           "load_alert_clip"}));
    }

    void file_fills_list_and_settings() {
        write_data_file(";port=2525\r\n10.0.0.7\r\n;scan_every=30\r\n@h\xF4te\r\n\r\n"
                        ";play_sound=0\r\n@mail\r\n");
        MessageBoxAnswerer answerer;
        start();

        QVERIFY(answerer.shown.isEmpty());
        QCOMPARE(window().hosts().stringList(),
                 QStringList({"10.0.0.7", QString::fromLatin1("@h\xF4te"), "", "@mail"}));
        QCOMPARE(program_->settings().smtp_port, 2525);
        QCOMPARE(controls().scan_interval->text(), QStringLiteral("30"));
        QCOMPARE(controls().play_sound_ball->property(MainWindow::kSwitchedOn), false);
        QCOMPARE(modified(), 0);
    }

    void mail_turned_off_is_told_and_offered_for_saving() {
        write_data_file(";send_email=1\r\n;1recipient=   \r\n");
        MessageBoxAnswerer answerer{Button::Ok, Button::No};
        start();

        QCOMPARE(answerer.shown.size(), 1);
        QCOMPARE(answerer.shown[0].title, QStringLiteral("Information !"));
        QCOMPARE(answerer.shown[0].text,
                 QStringLiteral("Incorrect SMTP settings !\n'Send EMail alert' has been turned "
                                "OFF"));
        QCOMPARE(controls().send_email_ball->property(MainWindow::kSwitchedOn), false);
        quit_through_menu();
        QVERIFY(ended_->wait());
        QCOMPARE(answerer.shown.size(), 2);
        QCOMPARE(answerer.shown[1].title, QStringLiteral("Save ?"));
    }

    void network_failure_ends_before_any_window() {
        facilities_->network_works = false;
        MessageBoxAnswerer answerer;
        QVERIFY(!program_->start_up());

        QCOMPARE(answerer.shown.size(), 1);
        QCOMPARE(answerer.shown[0].title, QStringLiteral("Warning !"));
        QCOMPARE(answerer.shown[0].text,
                 QStringLiteral("TCP/IP initialisation Problem !\nThe program will stop now"));
        QVERIFY(answerer.shown[0].visible_windows.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("IPs.td")));
        QCOMPARE(ended_->count(), 1);
        QCOMPARE(ended_->first().first().toInt(), 0);
        QVERIFY(program_->main_window() == nullptr);
        QCOMPARE(
            facilities_->names(),
            (std::vector<std::string>{"start_network", "release_sound", "release_mail_messages",
                                      "end_network", "release_pictures", "close_files"}));
    }

    void no_sound_card_is_told_before_the_window() {
        facilities_->sound_works = false;
        write_data_file(kDefaultFile);
        MessageBoxAnswerer answerer;
        start();

        QCOMPARE(answerer.shown.size(), 1);
        QCOMPARE(answerer.shown[0].title, QStringLiteral("Warning !"));
        QCOMPARE(answerer.shown[0].text, QStringLiteral("No sound card found !"));
        QVERIFY(answerer.shown[0].visible_windows.isEmpty());
        QCOMPARE(program_->app_state().sound_available, 0);
        QCOMPARE(program_->settings().play_sound, 0);
        QCOMPARE(controls().play_sound_ball->property(MainWindow::kSwitchedOn), false);
        QVERIFY(window().isVisible());
        QCOMPARE(modified(), 0);
        QCOMPARE(facilities_->names(),
                 (std::vector<std::string>{"start_network", "start_sound", "load_pictures"}));
    }

    void unusable_data_file_ends_the_program() {
        // A folder in the file's place can be looked at but not opened for writing.
        QVERIFY(QDir().mkdir(QStringLiteral("IPs.td")));
        MessageBoxAnswerer answerer;
        QVERIFY(!program_->start_up());

        QCOMPARE(answerer.shown.size(), 1);
        QCOMPARE(answerer.shown[0].title, QStringLiteral("Warning !"));
        QCOMPARE(answerer.shown[0].text,
                 QStringLiteral("Problem opening/creating file 'IPs.td' in application "
                                "directory !\nThe program will stop now"));
        QCOMPARE(ended_->count(), 1);
        QCOMPARE(ended_->first().first().toInt(), 0);
        QVERIFY(program_->main_window() == nullptr);
    }

    void add_ip_appends_the_address() {
        write_data_file(kDefaultFile);
        start();

        QTest::mouseClick(controls().add_ip, Qt::LeftButton);
        QCOMPARE(window().hosts().stringList(), QStringList{"0.0.0.0"});
        QCOMPARE(modified(), 1);

        controls().address->part(0)->setFocus();
        for (const char key : {'1', '0', '.', '0'}) {
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        QTest::mouseClick(controls().add_ip, Qt::LeftButton);
        QTest::mouseClick(controls().add_ip, Qt::LeftButton);
        QCOMPARE(window().hosts().stringList(), QStringList({"0.0.0.0", "10.0.0.0", "10.0.0.0"}));
        QCOMPARE(controls().address->text(), QStringLiteral("10.0.0.0")); // field keeps it
    }

    void add_hostname_puts_at_sign_in_front_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain name") << "server"
                                    << "@server";
        QTest::newRow("already marked") << "@server"
                                        << "@server";
        QTest::newRow("empty field") << ""
                                     << "@";
        QTest::newRow("leading blank kept") << " lead"
                                            << "@ lead";
        QTest::newRow("at sign later in the text") << "a@b"
                                                   << "@a@b";
    }

    void add_hostname_puts_at_sign_in_front() {
        QFETCH(QString, typed);
        QFETCH(QString, line);
        write_data_file(kDefaultFile);
        start();

        type_host_name(typed);
        QTest::mouseClick(controls().add_hostname, Qt::LeftButton);
        QTest::mouseClick(controls().add_hostname, Qt::LeftButton);
        QCOMPARE(window().hosts().stringList(), QStringList({line, line}));
        QCOMPARE(controls().host_name->text(), typed);
        QCOMPARE(modified(), 1);
    }

    void host_name_beyond_8_bits_is_listed_as_it_will_be_saved() {
        write_data_file(kDefaultFile);
        start();
        controls().host_name->insert(QStringLiteral("caf\u00e9-\u0142\u00f3d\u017a")); // pasted

        QTest::mouseClick(controls().add_hostname, Qt::LeftButton);
        QCOMPARE(window().hosts().stringList(), QStringList{QString::fromLatin1("@caf\xE9-?\xF3"
                                                                                "d?")});
        tindrel::testing::choose_menu_item(window(), window().menu().save);
        QCOMPARE(data_file(), kDefaultFile + "@caf\xE9-?\xF3"
                                             "d?\r\n");
    }

    void delete_selected_removes_only_the_selected_line() {
        write_data_file(kDefaultFile + "a\r\nb\r\nc\r\n");
        start();
        QListView* list = controls().host_list;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(window().hosts().index(1)).center());

        QTest::mouseClick(controls().delete_selected, Qt::LeftButton);
        QCOMPARE(window().hosts().stringList(), QStringList({"a", "c"}));
        QTest::mouseClick(controls().delete_selected, Qt::LeftButton);
        QCOMPARE(window().hosts().stringList(), QStringList({"a", "c"}));
        QCOMPARE(modified(), 1);
    }

    void delete_with_nothing_selected_still_asks_to_save() {
        write_data_file(kDefaultFile + "a\r\n");
        MessageBoxAnswerer answerer{Button::No};
        start();

        QTest::mouseClick(controls().delete_selected, Qt::LeftButton);
        QCOMPARE(window().hosts().stringList(), QStringList{"a"});
        quit_through_menu();
        QVERIFY(ended_->wait());
        QCOMPARE(answerer.shown.size(), 1);
        QCOMPARE(answerer.shown[0].title, QStringLiteral("Save ?"));
        QCOMPARE(answerer.shown[0].text, kSaveQuestion);
        QCOMPARE(answerer.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    }

    void clean_list_empties_log_without_modifying() {
        write_data_file(kDefaultFile);
        MessageBoxAnswerer answerer;
        start();
        window().log().setStringList({"10.0.0.7 failed", "10.0.0.8 failed"});

        QTest::mouseClick(controls().clean_list, Qt::LeftButton);
        QCOMPARE(window().log().rowCount(), 0);
        QCOMPARE(modified(), 0);
        quit_through_menu();
        QVERIFY(ended_->wait());
        QVERIFY(answerer.shown.isEmpty());
    }

    void save_then_quit_does_not_ask() {
        write_data_file(kDefaultFile);
        MessageBoxAnswerer answerer;
        start();
        type_host_name(QStringLiteral("server"));
        QTest::mouseClick(controls().add_hostname, Qt::LeftButton);

        tindrel::testing::choose_menu_item(window(), window().menu().save);
        QCOMPARE(modified(), 0);
        QCOMPARE(data_file(), kDefaultFile + "@server\r\n");
        quit_through_menu();
        QVERIFY(ended_->wait());
        QCOMPARE(ended_->first().first().toInt(), 0);
        QVERIFY(answerer.shown.isEmpty());
    }

    void answer_to_save_question_decides_the_file_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("file_after");
        QTest::newRow("yes saves") << int(Button::Yes) << kDefaultFile + "a\r\n0.0.0.0\r\n";
        QTest::newRow("no leaves the file as it was") << int(Button::No) << kDefaultFile + "a\r\n";
    }

    void answer_to_save_question_decides_the_file() {
        QFETCH(int, answer);
        QFETCH(QByteArray, file_after);
        write_data_file(kDefaultFile + "a\r\n");
        MessageBoxAnswerer answerer{Button(answer)};
        start();
        QTest::mouseClick(controls().add_ip, Qt::LeftButton);

        quit_through_menu();
        QVERIFY(ended_->wait());
        QCOMPARE(answerer.shown.size(), 1);
        QCOMPARE(data_file(), file_after);
        QVERIFY(program_->main_window() == nullptr);
    }

    void close_box_behaves_as_quit() {
        write_data_file(kDefaultFile);
        MessageBoxAnswerer answerer{Button::No};
        start();
        QTest::mouseClick(controls().add_ip, Qt::LeftButton);

        window().close();
        QVERIFY(ended_->wait());
        QCOMPARE(ended_->first().first().toInt(), 0);
        QCOMPARE(answerer.shown.size(), 1);
        QCOMPARE(answerer.shown[0].text, kSaveQuestion);
        QCOMPARE(data_file(), kDefaultFile);
    }

    void close_request_from_behind_is_ignored() {
        write_data_file(kDefaultFile);
        MessageBoxAnswerer answerer;
        start();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));

        window().close();
        settle();
        QVERIFY(!program_->has_ended());
        QVERIFY(window().isVisible());
        QVERIFY(answerer.shown.isEmpty());
    }

    void failed_save_keeps_program_open_and_modified() {
        write_data_file(kDefaultFile);
        MessageBoxAnswerer answerer{Button::Ok, Button::Yes, Button::Ok, Button::Yes};
        start();
        QTest::mouseClick(controls().add_ip, Qt::LeftButton);
        // A non-empty folder in the file's place cannot be replaced by a save.
        QVERIFY(QFile::remove(QStringLiteral("IPs.td")));
        QVERIFY(QDir().mkpath(QStringLiteral("IPs.td/in-the-way")));

        tindrel::testing::choose_menu_item(window(), window().menu().save);
        settle();
        QCOMPARE(answerer.shown.size(), 1);
        QCOMPARE(answerer.shown[0].title, QStringLiteral("Warning !"));
        QCOMPARE(answerer.shown[0].text, kNotSaved);
        QCOMPARE(modified(), 1);

        quit_through_menu();
        settle();
        QCOMPARE(answerer.shown.size(), 3);
        QCOMPARE(answerer.shown[1].text, kSaveQuestion);
        QCOMPARE(answerer.shown[2].text, kNotSaved);
        QVERIFY(!program_->has_ended());
        QVERIFY(window().isVisible());
        QCOMPARE(modified(), 1);
        QCOMPARE(window().hosts().stringList(), QStringList{"0.0.0.0"});

        // Once the way is clear again, quitting saves the list that was kept.
        QVERIFY(QDir(QStringLiteral("IPs.td")).removeRecursively());
        quit_through_menu();
        QVERIFY(ended_->wait());
        QCOMPARE(data_file(), kDefaultFile + "0.0.0.0\r\n");
    }

    void shut_down_releases_in_order() {
        write_data_file(kDefaultFile);
        start();
        facilities_->calls.clear();

        quit_through_menu();
        QVERIFY(ended_->wait());
        using Call = FakeFacilities::Call;
        const std::vector<Call> expected{{"release_sound", 1},
                                         {"release_mail_messages", 1},
                                         {"end_network", 1},
                                         {"release_pictures", 0},
                                         {"close_files", 0}};
        QCOMPARE(facilities_->calls, expected);
    }

    void bytes_round_trip_through_the_list() {
        const QByteArray file = kDefaultFile + "\xE9t\xE9\r\n@h\xF4te\r\n\r\n \t;x\r\n\x80\xFF\r\n";
        write_data_file(file);
        start();
        tindrel::testing::choose_menu_item(window(), window().menu().save);
        QCOMPARE(data_file(), file);
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
