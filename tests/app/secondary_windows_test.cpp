#include "app/main_window.h"
#include "app/program.h"
#include "app/secondary_window.h"
#include "fake_facilities.h"
#include "menu_driver.h"
#include "qt_warnings.h"
#include "scratch_working_folder.h"
#include "secondary_window_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

using tindrel::MainWindow;
using tindrel::Program;
using tindrel::SecondaryWindow;
using tindrel::testing::FakeFacilities;
using tindrel::testing::WhenOpen;

namespace {

enum class Item { smtp_settings, ping_options, about };

const QByteArray kDefaultFile = ";scan_every=10\r\n;play_sound=1\r\n;send_email=0\r\n;smtp=\r\n"
                                ";port=25\r\n;1recipient=\r\n;2recipient=\r\n";

// The width a control's text may take: its own, up to where a control made after it covers
// it from the right.
int room_for_text(const QWidget* control) {
    int room = control->width();
    const QObjectList& siblings = control->parent()->children();
    for (qsizetype later = siblings.indexOf(control) + 1; later < siblings.size(); ++later) {
        const auto* over = qobject_cast<const QWidget*>(siblings[later]);
        if (over != nullptr && over->geometry().intersects(control->geometry()) &&
            over->x() > control->x()) {
            room = qMin(room, over->x() - control->x());
        }
    }
    return room;
}

// The width a control needs to show its whole text.
int width_of_text(const QWidget* control) {
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
        return box->sizeHint().width();
    }
    const QString text = control->property("text").toString();
    return control->fontMetrics().horizontalAdvance(text.trimmed());
}

} // namespace

Q_DECLARE_METATYPE(Item)

// The three secondary windows as the menu opens them in the running program.
class SecondaryWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<tindrel::testing::ScratchWorkingFolder> folder_;
    std::unique_ptr<FakeFacilities> facilities_;
    std::unique_ptr<Program> program_;

    MainWindow& main() { return *program_->main_window(); }

    QAction* action(Item item) {
        const tindrel::MainMenu& menu = main().menu();
        switch (item) {
        case Item::smtp_settings:
            return menu.smtp_settings;
        case Item::ping_options:
            return menu.ping_options;
        case Item::about:
            return menu.about;
        }
        return nullptr;
    }

    // Opens the window through its menu item and acts on it; checks that the actions closed
    // it and that the main window takes input again.
    void open(Item item, std::function<void(SecondaryWindow&)> act) {
        WhenOpen<SecondaryWindow> driver(std::move(act));
        tindrel::testing::choose_menu_item(main(), action(item));
        QTRY_VERIFY(driver.acted);
        QVERIFY2(!driver.left_open, "the window was still open after the test's actions");
        QVERIFY(main().isEnabled());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

private slots:
    void initTestCase() { tindrel::testing::drop_offscreen_platform_notices(); }

    void init() {
        tindrel::testing::fail_on_qt_warnings();
        folder_ = std::make_unique<tindrel::testing::ScratchWorkingFolder>();
        QVERIFY(folder_->entered());
        QFile file(QStringLiteral("IPs.td"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kDefaultFile);
        file.close();
        facilities_ = std::make_unique<FakeFacilities>();
        program_ = std::make_unique<Program>(*facilities_);
        QVERIFY(program_->start_up());
        main().move(100, 100);
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
    }

    void cleanup() {
        program_.reset();
        folder_.reset();
    }

    void window_opens_modal_over_the_disabled_main_window_data() {
        QTest::addColumn<Item>("item");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("inner_size");
        QTest::addColumn<Qt::WindowType>("type");
        QTest::addColumn<QStringList>("tab_order");
        QTest::newRow("SMTP settings")
            << Item::smtp_settings << "SMTP settings" << QSize(246, 179) << Qt::Dialog
            << QStringList{"closeButton", "serverField", "portField", "recipientField",
                           "copyRecipientField"};
        QTest::newRow("Ping options")
            << Item::ping_options << "Options" << QSize(251, 131) << Qt::Dialog
            << QStringList{"playSoundBox", "sendEmailBox", "scanIntervalBox", "closeButton"};
        QTest::newRow("About") << Item::about << "About..." << QSize(254, 334) << Qt::Tool
                               << QStringList{"closeButton", "instructionList"};
    }

    void window_opens_modal_over_the_disabled_main_window() {
        QFETCH(Item, item);
        QFETCH(QString, title);
        QFETCH(QSize, inner_size);
        QFETCH(Qt::WindowType, type);
        QFETCH(QStringList, tab_order);
        const int16_t modified = program_->app_state().modified;

        open(item, [&](SecondaryWindow& window) {
            QCOMPARE(window.windowTitle(), title);
            QCOMPARE(window.size(), inner_size);
            QCOMPARE(window.minimumSize(), inner_size);
            QCOMPARE(window.maximumSize(), inner_size);
            QCOMPARE(window.windowType(), type);
            const Qt::WindowFlags flags = window.windowFlags();
            QVERIFY(flags.testFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint));
            for (const Qt::WindowType button :
                 {Qt::WindowSystemMenuHint, Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint,
                  Qt::WindowMaximizeButtonHint}) {
                QVERIFY(!flags.testFlag(button));
            }
            QCOMPARE(window.font().family(), main().font().family());
            QCOMPARE(window.frameGeometry().topLeft(),
                     main().frameGeometry().topLeft() + QPoint(200, 80));
            QCOMPARE(window.windowHandle()->transientParent(), main().windowHandle());
            QVERIFY(!main().isEnabled());

            QStringList visited;
            for (QWidget* focus = QApplication::focusWidget();
                 focus != nullptr && !visited.contains(focus->objectName());
                 focus = QApplication::focusWidget()) {
                visited << focus->objectName();
                QTest::keyClick(focus, Qt::Key_Tab);
            }
            QCOMPARE(visited, tab_order);

            // Neither Escape nor a close request (Alt+F4, the window manager) closes it.
            QTest::keyClick(&window, Qt::Key_Escape);
            QVERIFY(!window.close());
            QVERIFY(window.isVisible());
            QVERIFY(window.is_open());

            // The main window takes no clicks meanwhile.
            QTest::mouseClick(main().controls().add_ip, Qt::LeftButton);
            QCOMPARE(main().hosts().rowCount(), 0);

            QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("closeButton")),
                              Qt::LeftButton);
            QVERIFY(!window.isVisible());
        });
        QCOMPARE(program_->app_state().modified, modified);
        QTest::mouseClick(main().controls().add_ip, Qt::LeftButton);
        QCOMPARE(main().hosts().rowCount(), 1);
    }

    void controls_stand_where_drawn_data() {
        QTest::addColumn<Item>("item");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        const auto row = [](Item item, const char* name, const char* kind, int x, int y, int w,
                            int h, const char* text) {
            const char* window = item == Item::ping_options    ? "Options"
                                 : item == Item::smtp_settings ? "SMTP"
                                                               : "About";
            QTest::addRow("%s %s", window, name)
                << item << QString::fromLatin1(name) << QString::fromLatin1(kind)
                << QRect(x, y, w, h) << QString::fromLatin1(text);
        };
        const Item options = Item::ping_options;
        row(options, "scanEveryLabel", "QLabel", 10, 20, 90, 20, "Scan list every : ");
        row(options, "playSoundBox", "QCheckBox", 10, 50, 110, 20, "Send sound alert");
        row(options, "sendEmailBox", "QCheckBox", 10, 70, 110, 20, "Send EMail ");
        row(options, "scanIntervalBox", "QSpinBox", 90, 20, 80, 20, "10");
        row(options, "secondsLabel", "QLabel", 180, 20, 40, 20, "Sec.");
        row(options, "closeButton", "QPushButton", 170, 100, 70, 20, "Close");
        const Item smtp = Item::smtp_settings;
        row(smtp, "serverLabel", "QLabel", 10, 87, 75, 20, "SMTP server :");
        row(smtp, "closeButton", "QPushButton", 96, 149, 70, 20, "Close");
        row(smtp, "serverField", "QLineEdit", 87, 85, 147, 20, "");
        row(smtp, "portLabel", "QLabel", 51, 110, 38, 20, "Port :");
        row(smtp, "portField", "QLineEdit", 87, 115, 46, 20, "25");
        row(smtp, "testButton", "QPushButton", 166, 115, 69, 20, "Test");
        row(smtp, "recipientLabel", "QLabel", 10, 10, 75, 20, "Recipient :");
        row(smtp, "recipientField", "QLineEdit", 87, 8, 147, 20, "");
        row(smtp, "copyRecipientField", "QLineEdit", 87, 38, 147, 20, "");
        row(smtp, "copyRecipientLabel", "QLabel", 10, 40, 75, 20, "CC Recipient :");
        row(smtp, "optionalLabel", "QLabel", 87, 62, 149, 13, "(Optional)");
        const Item about = Item::about;
        row(about, "logoPicture", "QLabel", 150, 204, 84, 108, "");
        row(about, "bannerPicture", "QLabel", 10, 2, 235, 92, "");
        row(about, "productLabel", "QLabel", 18, 199, 130, 18, "Tindrel v1.0");
        row(about, "creditLabel", "QLabel", 14, 219, 131, 18, nullptr);
        row(about, "contactLabel", "QLabel", 14, 235, 131, 18, nullptr);
        row(about, "developedWithLabel", "QLabel", 14, 253, 131, 18, "Developped with");
        row(about, "toolsLabel", "QLabel", 14, 269, 131, 18, nullptr);
        row(about, "creditFrame", "QGroupBox", 9, 188, 237, 137, "");
        row(about, "instructionList", "QListView", 10, 100, 236, 90, "");
        row(about, "closeButton", "QPushButton", 52, 294, 51, 21, "Close");
    }

    // A null text is one of this program's own choosing, checked elsewhere.
    void controls_stand_where_drawn() {
        QFETCH(Item, item);
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        open(item, [&](SecondaryWindow& window) {
            const QList<QWidget*> found = window.findChildren<QWidget*>(name);
            QCOMPARE(found.size(), 1);
            QWidget* control = found.first();
            QCOMPARE(control->parentWidget(), &window);
            QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
            QCOMPARE(control->geometry(), geometry);
            QCOMPARE(control->font(), window.font());
            if (!text.isNull()) {
                QCOMPARE(control->property("text").toString(), text);
            }
            QVERIFY2(width_of_text(control) <= room_for_text(control),
                     qPrintable(QStringLiteral("%1 of %2 pixels")
                                    .arg(width_of_text(control))
                                    .arg(room_for_text(control))));
            QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("closeButton")),
                              Qt::LeftButton);
        });
    }
};

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
