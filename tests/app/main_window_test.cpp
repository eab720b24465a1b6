#include "app/fonts.h"
#include "app/ipv4_address_field.h"
#include "app/main_window.h"
#include "qt_warnings.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

using tindrel::MainWindow;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    static MainWindow* open_window() {
        auto* window = new MainWindow(tindrel::load_window_fonts(), tindrel::Pictures{});
        window->show();
        return window;
    }

private slots:
    void initTestCase() { tindrel::testing::drop_offscreen_platform_notices(); }
    void init() { tindrel::testing::fail_on_qt_warnings(); }

    void window_is_fixed_and_titled() {
        std::unique_ptr<MainWindow> window(open_window());
        QCOMPARE(window->windowTitle(), QStringLiteral("Tindrel"));
        QCOMPARE(window->size(), QSize(435, 361));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
        // The menu bar takes its height out of the inner area; the controls get the rest.
        const QWidget* area = window->centralWidget();
        QCOMPARE(area->geometry().top(), window->menuBar()->geometry().bottom() + 1);
        QCOMPARE(area->height(), 361 - window->menuBar()->height());
    }

    void window_is_centred_on_screen() {
        std::unique_ptr<MainWindow> window(open_window());
        window->centre_on_screen();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect outer = window->frameGeometry();
        QVERIFY(qAbs((outer.left() - screen.left()) - (screen.right() - outer.right())) <= 1);
        QVERIFY(qAbs((outer.top() - screen.top()) - (screen.bottom() - outer.bottom())) <= 1);
    }

    void controls_stand_where_drawn_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const char* kind, int x, int y, int w, int h,
                            const char* text) {
            QTest::newRow(name) << QString::fromLatin1(kind) << QRect(x, y, w, h)
                                << QString::fromLatin1(text);
        };
        row("hostList", "QListView", 10, 40, 160, 260, "");
        row("ipTitleLabel", "QLabel", 10, 10, 160, 20, "IPs/Hosts");
        row("addIpButton", "QPushButton", 350, 50, 80, 20, "Add IP");
        row("deleteSelectedButton", "QPushButton", 20, 310, 140, 20, "Delete selected");
        row("addressField", "tindrel::Ipv4AddressField", 200, 50, 140, 20, "");
        row("startButton", "QPushButton", 320, 310, 100, 20, "Start");
        row("hostNameField", "QLineEdit", 200, 90, 140, 20, "");
        row("addHostnameButton", "QPushButton", 350, 90, 80, 20, "Add Hostname");
        row("progressFrame", "QGroupBox", 180, 120, 250, 180, "Pinging : ");
        row("addressArrow", "QLabel", 179, 53, 9, 15, "");
        row("hostNameArrow", "QLabel", 179, 93, 9, 15, "");
        row("cleanListButton", "QPushButton", 190, 310, 100, 20, "Clean list");
        row("logList", "QListView", 190, 140, 230, 150, "");
        row("playSoundLabel", "QLabel", 370, 10, 56, 17, "Play sound");
        row("sendEmailLabel", "QLabel", 369, 26, 58, 19, "Send EMail");
        row("playSoundBall", "QLabel", 350, 10, 14, 14, "");
        row("sendEmailBall", "QLabel", 350, 28, 14, 14, "");
        row("scanEveryLabel", "QLabel", 194, 17, 60, 17, "Scan every ");
        row("secLabel", "QLabel", 312, 17, 24, 17, "Sec");
        row("scanIntervalField", "QLineEdit", 254, 15, 51, 22, "");
        row("indicatorFrame", "QGroupBox", 182, -1, 252, 49, "");
    }

    void controls_stand_where_drawn() {
        QFETCH(QString, kind);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        std::unique_ptr<MainWindow> window(open_window());
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        auto* control = window->centralWidget()->findChild<QWidget*>(name);
        QVERIFY2(control != nullptr, qPrintable(name));
        QCOMPARE(control->parentWidget(), window->centralWidget());
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
        QCOMPARE(control->geometry(), geometry);
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(control)) {
            shown = label->text();
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            shown = button->text();
        } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
            shown = frame->title();
        } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
            shown = field->text();
        }
        QCOMPARE(shown, text);
    }

    void controls_are_created_in_order() {
        std::unique_ptr<MainWindow> window(open_window());
        QStringList names;
        for (const QObject* child : window->centralWidget()->children()) {
            if (child->isWidgetType()) {
                names << child->objectName();
            }
        }
        const QStringList expected{
            "hostList",      "ipTitleLabel",   "addIpButton",    "deleteSelectedButton",
            "addressField",  "startButton",    "hostNameField",  "addHostnameButton",
            "progressFrame", "addressArrow",   "hostNameArrow",  "cleanListButton",
            "logList",       "playSoundLabel", "sendEmailLabel", "playSoundBall",
            "sendEmailBall", "scanEveryLabel", "secLabel",       "scanIntervalField",
            "indicatorFrame"};
        QCOMPARE(names, expected);
    }

    void list_boxes_pick_one_line_and_never_edit() {
        std::unique_ptr<MainWindow> window(open_window());
        for (QListView* list : {window->controls().host_list, window->controls().log_list}) {
            QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
            QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
        }
        window->hosts().setStringList({"b", "a"});
        QTest::mouseDClick(
            window->controls().host_list->viewport(), Qt::LeftButton, {},
            window->controls().host_list->visualRect(window->hosts().index(0)).center());
        QVERIFY(window->controls().host_list->findChild<QLineEdit*>() == nullptr);
        QCOMPARE(window->hosts().stringList(), QStringList({"b", "a"})); // never sorted
        QVERIFY(window->controls().scan_interval->isReadOnly());
    }

    void longest_host_line_can_be_scrolled_to() {
        std::unique_ptr<MainWindow> window(open_window());
        QListView* list = window->controls().host_list;
        QScrollBar* sideways = list->horizontalScrollBar();
        const std::string long_name = "@" + std::string(60, 'w') + ".example";
        window->append_host_lines({long_name, "10.0.0.1", "10.0.0.2"});
        QTRY_VERIFY(sideways->maximum() > 0);
        const int scroll_for_long_line = sideways->maximum();

        window->hosts().removeRows(0, 1);
        QTRY_COMPARE(sideways->maximum(), 0);
        window->append_host(QString::fromStdString(long_name + "-longer"));
        QTRY_VERIFY(sideways->maximum() > scroll_for_long_line);
    }

    void frames_let_clicks_through() {
        std::unique_ptr<MainWindow> window(open_window());
        QLineEdit* interval = window->controls().scan_interval;
        QCOMPARE(window->centralWidget()->childAt(interval->geometry().center()), interval);
    }

    void menus_hold_their_items() {
        std::unique_ptr<MainWindow> window(open_window());
        QStringList seen;
        for (QAction* title : window->menuBar()->actions()) {
            seen << "[" + title->text() + "]";
            for (QAction* item : title->menu()->actions()) {
                seen << (item->isSeparator() ? "-" : item->text());
                QVERIFY(item->shortcut().isEmpty());
                QVERIFY(item->isEnabled());
            }
        }
        const QStringList expected{"[File]",
                                   "Start",
                                   "Save IP list and Settings",
                                   "-",
                                   "Quit",
                                   "[Edit]",
                                   "SMTP settings",
                                   "Ping options",
                                   "[About]",
                                   "About Tindrel..."};
        QCOMPARE(seen, expected);
    }

    void tab_moves_through_controls_as_created() {
        std::unique_ptr<MainWindow> window(open_window());
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->controls().host_list->setFocus();
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        const QStringList expected{"hostList",          "addIpButton",     "deleteSelectedButton",
                                   "addressPart0",      "startButton",     "hostNameField",
                                   "addHostnameButton", "cleanListButton", "logList",
                                   "scanIntervalField", "hostList"};
        QCOMPARE(visited, expected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("scanIntervalField"));
    }

    void font_height_follows_screen_resolution_data() {
        QTest::addColumn<int>("points");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("heading at 96") << 10 << 96.0 << 13;
        QTest::newRow("label at 96, rounded up") << 8 << 96.0 << 11;
        QTest::newRow("heading at 120, rounded up") << 10 << 120.0 << 17;
        QTest::newRow("label at 120") << 8 << 120.0 << 13;
        QTest::newRow("heading at 144") << 10 << 144.0 << 20;
    }

    void font_height_follows_screen_resolution() {
        QFETCH(int, points);
        QFETCH(double, dpi);
        QFETCH(int, pixels);
        QCOMPARE(tindrel::font_pixel_height(points, dpi), pixels);
    }

    void heading_and_labels_get_their_fonts() {
        std::unique_ptr<MainWindow> window(open_window());
        const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        const tindrel::MainControls& c = window->controls();
        QCOMPARE(c.ip_title->font().pixelSize(), tindrel::font_pixel_height(10, dpi));
        QCOMPARE(c.ip_title->font().family(), QStringLiteral("Arial Black"));
        QCOMPARE(c.ip_title->font().weight(), QFont::Normal);
        QVERIFY(!c.ip_title->font().italic());
        for (const QLabel* label :
             {c.play_sound_label, c.send_email_label, c.scan_every_label, c.sec_label}) {
            QCOMPARE(label->font().family(), QStringLiteral("Arial Narrow"));
            QCOMPARE(label->font().pixelSize(), tindrel::font_pixel_height(8, dpi));
        }
    }

    void indicators_show_interval_and_switches_data() {
        QTest::addColumn<int>("interval_ms");
        QTest::addColumn<int>("play_sound");
        QTest::addColumn<int>("send_email");
        QTest::addColumn<QString>("interval_text");
        QTest::addColumn<bool>("sound_on");
        QTest::addColumn<bool>("mail_on");
        QTest::newRow("defaults") << 10000 << 1 << 0 << "10" << true << false;
        QTest::newRow("longest pause, switches swapped")
            << 3600000 << 0 << 1 << "3600" << false << true;
        QTest::newRow("hand-edited switch values count as on")
            << 5000 << 5 << -1 << "5" << true << true;
        QTest::newRow("part seconds cut toward zero") << 1999 << 0 << 0 << "1" << false << false;
        QTest::newRow("negative cut toward zero") << -1999 << 0 << 0 << "-1" << false << false;
        QTest::newRow("wrapped interval") << -1294967296 << 1 << 1 << "-1294967" << true << true;
    }

    void indicators_show_interval_and_switches() {
        QFETCH(int, interval_ms);
        QFETCH(int, play_sound);
        QFETCH(int, send_email);
        QFETCH(QString, interval_text);
        QFETCH(bool, sound_on);
        QFETCH(bool, mail_on);
        QPixmap on(14, 14);
        on.fill(Qt::green);
        QPixmap off(14, 14);
        off.fill(Qt::red);
        tindrel::Pictures pictures;
        pictures.on_ball = on;
        pictures.off_ball = off;
        MainWindow window(tindrel::load_window_fonts(), pictures);

        tindrel::Settings settings;
        settings.scan_interval_ms = interval_ms;
        settings.play_sound = static_cast<int16_t>(play_sound);
        settings.send_email = static_cast<int16_t>(send_email);
        window.refresh_indicators(settings);

        const tindrel::MainControls& c = window.controls();
        QCOMPARE(c.scan_interval->text(), interval_text);
        QCOMPARE(c.play_sound_ball->property(MainWindow::kSwitchedOn).toBool(), sound_on);
        QCOMPARE(c.send_email_ball->property(MainWindow::kSwitchedOn).toBool(), mail_on);
        QCOMPARE(c.play_sound_ball->pixmap().cacheKey(), (sound_on ? on : off).cacheKey());
        QCOMPARE(c.send_email_ball->pixmap().cacheKey(), (mail_on ? on : off).cacheKey());
    }

    void balls_start_as_on_and_off() {
        std::unique_ptr<MainWindow> window(open_window());
        QCOMPARE(window->controls().play_sound_ball->property(MainWindow::kSwitchedOn), true);
        QCOMPARE(window->controls().send_email_ball->property(MainWindow::kSwitchedOn), false);
    }

    void host_lines_keep_every_byte() {
        std::unique_ptr<MainWindow> window(open_window());
        std::vector<std::string> lines{"10.0.0.7", "@h\xF4te", "", " ;not a setting", "\x7F\xFF"};
        window->append_host_lines(lines);
        window->append_host(QString::fromLatin1("@caf\xE9"));
        lines.push_back("@caf\xE9");
        QCOMPARE(window->host_lines(), lines);
        QCOMPARE(window->hosts().rowCount(), 6);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
