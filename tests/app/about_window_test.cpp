#include "app/about_window.h"
#include "app/main_window.h"
#include "qt_warnings.h"
#include "secondary_window_driver.h"

#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

using tindrel::AboutWindow;
using tindrel::MainWindow;
using tindrel::testing::WhenOpen;

namespace {

const QStringList kInstructions = {"1- Fill or complete the list of IP to check,",
                                   "2- Set the alert option,",
                                   "3- Set the SMTP (if needed),",
                                   "4- Start the scan",
                                   " ",
                                   ""};

// Within the faint shade that the style's group frame lays over what it encloses.
bool looks_like(const QImage& image, int x, int y, QColor expected) {
    const QColor seen = image.pixelColor(x, y);
    return qAbs(seen.red() - expected.red()) <= 8 && qAbs(seen.green() - expected.green()) <= 8 &&
           qAbs(seen.blue() - expected.blue()) <= 8;
}

// A picture of `colour` over its first `width` x `height` pixels and green beyond them, so
// that a picture scaled down to its control would show green at the control's far corner.
QPixmap oversized(int width, int height, QColor colour) {
    QPixmap pixmap(width + 40, height + 40);
    pixmap.fill(Qt::green);
    QPainter(&pixmap).fillRect(0, 0, width, height, colour);
    return pixmap;
}

} // namespace

// The About window over a real main window, driven by clicks and keys.
class AboutWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> main_;

    // Runs the window with `act`; true when the actions themselves closed it.
    bool closed_by(std::function<void(AboutWindow&)> act) {
        WhenOpen<AboutWindow> driver(std::move(act));
        tindrel::show_about_window(*main_);
        return driver.acted && !driver.left_open && main_->isEnabled();
    }

private slots:
    void initTestCase() { tindrel::testing::drop_offscreen_platform_notices(); }

    void init() {
        tindrel::testing::fail_on_qt_warnings();
        tindrel::Pictures pictures;
        pictures.banner = oversized(235, 92, Qt::red);
        pictures.logo = oversized(84, 108, Qt::blue);
        main_ = tindrel::testing::open_main_window(pictures);
        QVERIFY(main_ != nullptr);
    }

    void cleanup() { main_.reset(); }

    void close_button_has_the_focus_when_ready() {
        QVERIFY(closed_by([](AboutWindow& window) {
            QCOMPARE(QApplication::focusWidget(), window.controls().close);
            QTest::mouseClick(window.controls().close, Qt::LeftButton);
        }));
    }

    void return_closes_it_wherever_the_focus_is_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Return on Close") << "closeButton" << int{Qt::Key_Return} << 0 << true;
        QTest::newRow("Return on the list")
            << "instructionList" << int{Qt::Key_Return} << 0 << true;
        QTest::newRow("keypad Enter on the list")
            << "instructionList" << int{Qt::Key_Enter} << int{Qt::KeypadModifier} << true;
        QTest::newRow("Shift+Return")
            << "closeButton" << int{Qt::Key_Return} << int{Qt::ShiftModifier} << false;
        QTest::newRow("Space on Close") << "closeButton" << int{Qt::Key_Space} << 0 << true;
        QTest::newRow("Space on the list") << "instructionList" << int{Qt::Key_Space} << 0 << false;
        QTest::newRow("Escape") << "closeButton" << int{Qt::Key_Escape} << 0 << false;
    }

    void return_closes_it_wherever_the_focus_is() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        bool still_open = false;
        closed_by([&](AboutWindow& window) {
            auto* target = window.findChild<QWidget*>(focus);
            QVERIFY(target != nullptr);
            target->setFocus();
            QTest::keyClick(target, static_cast<Qt::Key>(key),
                            static_cast<Qt::KeyboardModifiers>(modifiers));
            still_open = window.isVisible() && window.is_open();
        });
        QCOMPARE(!still_open, closes);
        QVERIFY(main_->isEnabled());
    }

    void every_showing_is_built_anew() {
        for (int showing = 0; showing < 2; ++showing) {
            QVERIFY(closed_by([](AboutWindow& window) {
                QCOMPARE(window.instructions(), kInstructions);
                QCOMPARE(window.controls().instructions->model()->rowCount(), 6);
                QTest::mouseClick(window.controls().close, Qt::LeftButton);
            }));
        }
    }

    void pictures_stand_at_one_to_one_on_white() {
        QVERIFY(closed_by([](AboutWindow& window) {
            const QImage shown = window.grab().toImage();
            QCOMPARE(shown.size(), QSize(254, 334));
            // The banner fills 235 x 92 at (10, 2) and is cut there, not scaled.
            QVERIFY(looks_like(shown, 10, 2, Qt::red));
            QVERIFY(looks_like(shown, 244, 93, Qt::red));
            QVERIFY(looks_like(shown, 9, 50, Qt::white));
            QVERIFY(looks_like(shown, 245, 50, Qt::white));
            QVERIFY(looks_like(shown, 120, 94, Qt::white));
            // The logo fills 84 x 108 at (150, 204).
            QVERIFY(looks_like(shown, 150, 204, Qt::blue));
            QVERIFY(looks_like(shown, 233, 311, Qt::blue));
            QVERIFY(looks_like(shown, 234, 250, Qt::white));
            QVERIFY(looks_like(shown, 150, 312, Qt::white));
            // The credit labels are white behind their text.
            QVERIFY(looks_like(shown, 15, 270, Qt::white));
            QTest::mouseClick(window.controls().close, Qt::LeftButton);
        }));
    }

    void missing_pictures_leave_their_places_empty() {
        main_ = tindrel::testing::open_main_window();
        QVERIFY(main_ != nullptr);
        QVERIFY(closed_by([](AboutWindow& window) {
            QVERIFY(window.controls().banner->pixmap().isNull());
            QVERIFY(window.controls().logo->pixmap().isNull());
            QVERIFY(looks_like(window.grab().toImage(), 100, 50, Qt::white));
            QTest::mouseClick(window.controls().close, Qt::LeftButton);
        }));
    }

    void contact_in_parentheses_and_tools_with_versions() {
        QVERIFY(closed_by([](AboutWindow& window) {
            const tindrel::AboutControls& c = window.controls();
            QVERIFY(c.contact->text().startsWith(QLatin1Char('(')));
            QVERIFY(c.contact->text().endsWith(QLatin1Char(')')));
            const QString tools = c.tools->text();
            QVERIFY2(tools.startsWith(QLatin1String("GCC ")) ||
                         tools.startsWith(QLatin1String("Clang ")),
                     qPrintable(tools));
            QVERIFY(tools.endsWith(QStringLiteral(", Qt " QT_VERSION_STR)));
            QTest::mouseClick(c.close, Qt::LeftButton);
        }));
    }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
