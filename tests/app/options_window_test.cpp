#include "app/main_window.h"
#include "app/options_window.h"
#include "qt_warnings.h"
#include "secondary_window_driver.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleOptionSpinBox>
#include <QtTest>

using tindrel::AppState;
using tindrel::MainWindow;
using tindrel::OptionsWindow;
using tindrel::Settings;
using tindrel::testing::WhenOpen;

namespace {

QPoint up_arrow(const QSpinBox* box) {
    QStyleOptionSpinBox option;
    option.initFrom(box);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.buttonSymbols = box->buttonSymbols();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    option.frame = box->hasFrame();
    return box->style()
        ->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, box)
        .center();
}

} // namespace

// The Ping options window over a real main window, driven by clicks and keys.
class OptionsWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> main_;
    Settings settings_;
    AppState state_;

    // Runs the window with `act` and checks that the actions themselves closed it.
    void run(std::function<void(OptionsWindow&)> act) {
        WhenOpen<OptionsWindow> driver(std::move(act));
        tindrel::run_options_window(*main_, settings_, state_);
        QVERIFY(driver.acted);
        QVERIFY2(!driver.left_open, "the window was still open after the test's actions");
        QVERIFY(main_->isEnabled());
    }

    static void close(OptionsWindow& window) {
        QTest::mouseClick(window.controls().close, Qt::LeftButton);
    }

    QString shown_interval() const { return main_->controls().scan_interval->text(); }
    bool shown_on(QLabel* ball) const { return ball->property(MainWindow::kSwitchedOn).toBool(); }

private slots:
    void initTestCase() { tindrel::testing::drop_offscreen_platform_notices(); }

    void init() {
        tindrel::testing::fail_on_qt_warnings();
        main_ = tindrel::testing::open_main_window();
        QVERIFY(main_ != nullptr);
        settings_ = Settings{};
        state_ = AppState{};
        state_.sound_available = 1;
        main_->refresh_indicators(settings_);
    }

    void cleanup() { main_.reset(); }

    void untouched_window_changes_nothing_data() {
        QTest::addColumn<int>("interval_ms");
        QTest::addColumn<int>("play_sound");
        QTest::addColumn<int>("send_email");
        QTest::addColumn<int>("shown_seconds");
        QTest::newRow("defaults") << 10000 << 1 << 0 << 10;
        QTest::newRow("lowest, switches swapped") << 1000 << 0 << 1 << 1;
        QTest::newRow("highest") << 3600000 << 1 << 1 << 3600;
        // Only a hand-edited file holds these: shown as the nearest bound, kept as they are.
        QTest::newRow("beyond the range") << 7200000 << 0 << 0 << 3600;
        QTest::newRow("below the range") << -5000 << 0 << 0 << 1;
    }

    void untouched_window_changes_nothing() {
        QFETCH(int, interval_ms);
        QFETCH(int, play_sound);
        QFETCH(int, send_email);
        QFETCH(int, shown_seconds);
        settings_.scan_interval_ms = interval_ms;
        settings_.play_sound = static_cast<int16_t>(play_sound);
        settings_.send_email = static_cast<int16_t>(send_email);
        main_->refresh_indicators(settings_);
        const QString interval_before = shown_interval();
        const Settings before = settings_;

        run([&](OptionsWindow& window) {
            QCOMPARE(window.controls().scan_interval->value(), shown_seconds);
            QCOMPARE(window.controls().play_sound->isChecked(), play_sound != 0);
            QCOMPARE(window.controls().send_email->isChecked(), send_email != 0);
            close(window);
        });
        QVERIFY(settings_ == before);
        QCOMPARE(state_.modified, 0);
        QCOMPARE(shown_interval(), interval_before);
        QCOMPARE(shown_on(main_->controls().play_sound_ball), play_sound != 0);
        QCOMPARE(shown_on(main_->controls().send_email_ball), send_email != 0);
    }

    void up_arrow_is_stored_at_once_and_shown_after_close() {
        run([&](OptionsWindow& window) {
            QSpinBox* box = window.controls().scan_interval;
            QTest::mouseClick(box, Qt::LeftButton, {}, up_arrow(box));
            QCOMPARE(box->value(), 11);
            QCOMPARE(settings_.scan_interval_ms, 11000); // before Close
            QCOMPARE(state_.modified, 1);
            close(window);
        });
        QCOMPARE(settings_.scan_interval_ms, 11000);
        QCOMPARE(state_.modified, 1);
        QCOMPARE(shown_interval(), QStringLiteral("11"));
    }

    void step_back_to_the_start_stays_modified() {
        run([&](OptionsWindow& window) {
            QSpinBox* box = window.controls().scan_interval;
            QTest::keyClick(box, Qt::Key_Up);
            QTest::keyClick(box, Qt::Key_Down);
            QCOMPARE(box->value(), 10);
            close(window);
        });
        QCOMPARE(settings_.scan_interval_ms, 10000);
        QCOMPARE(state_.modified, 1);
    }

    void arrows_stop_at_the_bounds() {
        settings_.scan_interval_ms = 3600000;
        run([&](OptionsWindow& window) {
            QSpinBox* box = window.controls().scan_interval;
            QTest::keyClick(box, Qt::Key_Up);
            QCOMPARE(box->value(), 3600);
            box->setValue(1);
            QTest::keyClick(box, Qt::Key_Down);
            QCOMPARE(box->value(), 1);
            close(window);
        });
        QCOMPARE(settings_.scan_interval_ms, 1000);
    }

    void typed_interval_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored_ms");
        QTest::newRow("a number in range") << "25" << 25000;
        QTest::newRow("the highest") << "3600" << 3600000;
        QTest::newRow("letters") << "ab" << 10000;
        QTest::newRow("zero") << "0" << 10000;
        // A key that would leave the range is refused: the minus sign, the fourth 0 here.
        QTest::newRow("minus sign") << "-3" << 3000;
        QTest::newRow("beyond the range") << "4000" << 400000;
        // Read as the user meant it, and shown without the separator afterwards.
        QTest::newRow("thousands separator") << "1,000" << 1000000;
    }

    void typed_interval() {
        QFETCH(QString, typed);
        QFETCH(int, stored_ms);
        run([&](OptionsWindow& window) {
            QSpinBox* box = window.controls().scan_interval;
            box->setFocus();
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, typed);
            QCOMPARE(settings_.scan_interval_ms, stored_ms); // taken as typed, before Close
            close(window);
            // Leaving the field puts the last valid number back in it.
            QCOMPARE(box->value() * 1000, stored_ms);
            QCOMPARE(box->text(), QString::number(stored_ms / 1000));
        });
        QCOMPARE(settings_.scan_interval_ms, stored_ms);
        QCOMPARE(state_.modified, stored_ms != 10000 ? 1 : 0);
        QCOMPARE(shown_interval(), QString::number(stored_ms / 1000));
    }

    void out_of_range_interval_is_stored_once_the_box_is_used() {
        settings_.scan_interval_ms = 7200000;
        run([&](OptionsWindow& window) {
            window.controls().scan_interval->setFocus(Qt::TabFocusReason);
            close(window);
        });
        QCOMPARE(settings_.scan_interval_ms, 3600000);
        QCOMPARE(state_.modified, 1);
    }

    void switches_are_taken_on_close_only() {
        run([&](OptionsWindow& window) {
            QTest::mouseClick(window.controls().play_sound, Qt::LeftButton);
            QTest::mouseClick(window.controls().send_email, Qt::LeftButton);
            QCOMPARE(settings_.play_sound, 1);
            QCOMPARE(settings_.send_email, 0);
            QCOMPARE(state_.modified, 0);
            close(window);
        });
        QCOMPARE(settings_.play_sound, 0);
        QCOMPARE(settings_.send_email, 1);
        QCOMPARE(state_.modified, 1);
        QVERIFY(!shown_on(main_->controls().play_sound_ball));
        QVERIFY(shown_on(main_->controls().send_email_ball));
    }

    void switch_ticked_and_cleared_changes_nothing() {
        run([&](OptionsWindow& window) {
            QTest::mouseClick(window.controls().play_sound, Qt::LeftButton);
            QTest::keyClick(window.controls().play_sound, Qt::Key_Space);
            close(window);
        });
        QCOMPARE(settings_.play_sound, 1);
        QCOMPARE(state_.modified, 0);
    }

    void no_sound_device_greys_the_sound_switch() {
        state_.sound_available = 0;
        settings_.play_sound = 0; // what start-up leaves without a device
        run([&](OptionsWindow& window) {
            QCheckBox* sound = window.controls().play_sound;
            QVERIFY(!sound->isEnabled());
            QVERIFY(!sound->isChecked());
            QTest::mouseClick(sound, Qt::LeftButton);
            QVERIFY(!sound->isChecked());
            QVERIFY(window.controls().send_email->isEnabled());
            close(window);
        });
        QCOMPARE(settings_.play_sound, 0);
        QCOMPARE(state_.modified, 0);
    }

    void any_non_zero_switch_reads_as_ticked_and_is_stored_as_one() {
        settings_.play_sound = 5;
        run([&](OptionsWindow& window) {
            QVERIFY(window.controls().play_sound->isChecked());
            close(window);
        });
        QCOMPARE(settings_.play_sound, 1);
        QCOMPARE(state_.modified, 1);
    }

    void mail_switch_can_be_set_without_smtp_settings() {
        state_.smtp_configured = 0;
        run([&](OptionsWindow& window) {
            QTest::mouseClick(window.controls().send_email, Qt::LeftButton);
            close(window);
        });
        QCOMPARE(settings_.send_email, 1);
        QVERIFY(shown_on(main_->controls().send_email_ball));
    }
};

QTEST_MAIN(OptionsWindowTest)
#include "options_window_test.moc"
