#include "app/main_window.h"

#include "app/byte_text.h"
#include "app/ipv4_address_field.h"
#include "app/widest_line_delegate.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace tindrel {
namespace {

// The window's inner size; the menu bar takes its height out of it.
constexpr int kInnerWidth = 435;
constexpr int kInnerHeight = 361;

template <typename Widget>
Widget* place(Widget* widget, const char* name, int x, int y, int width, int height) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, width, height);
    return widget;
}

QPushButton* button(QWidget* area, const char* text, const char* name, int x, int y, int width,
                    int height) {
    auto* pushed = new QPushButton(QLatin1String(text), area);
    pushed->setAutoDefault(false); // the window has no default button
    return place(pushed, name, x, y, width, height);
}

QLabel* label(QWidget* area, const char* text, const QFont* font, const char* name, int x, int y,
              int width, int height) {
    auto* shown = new QLabel(QLatin1String(text), area);
    if (font != nullptr) {
        shown->setFont(*font);
    }
    return place(shown, name, x, y, width, height);
}

QLabel* picture(QWidget* area, const QPixmap& pixmap, const char* name, int x, int y, int width,
                int height) {
    auto* shown = new QLabel(area);
    shown->setAlignment(Qt::AlignLeft | Qt::AlignTop); // shown as it is, never scaled
    shown->setPixmap(pixmap);
    return place(shown, name, x, y, width, height);
}

QGroupBox* group_frame(QWidget* area, const char* title, const char* name, int x, int y, int width,
                       int height) {
    auto* frame = new QGroupBox(QLatin1String(title), area);
    // A frame only draws: clicks reach the controls inside it.
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return place(frame, name, x, y, width, height);
}

QListView* list_box(QWidget* area, QStringListModel* model, const char* name, int x, int y,
                    int width, int height) {
    auto* list = new QListView(area);
    list->setModel(model);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return place(list, name, x, y, width, height);
}

} // namespace

MainWindow::MainWindow(const WindowFonts& fonts, const Pictures& pictures) : pictures_(pictures) {
    setWindowTitle(QStringLiteral("Tindrel"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kInnerWidth, kInnerHeight);
    // The controls' sizes were drawn for a small dialog font; larger ones would clip texts.
    setFont(fonts.controls);
    create_menu();
    create_controls(fonts);
}

void MainWindow::create_menu() {
    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false);
    bar->setFont(QApplication::font()); // menus keep the system's menu size

    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    menu_.start = file->addAction(QStringLiteral("Start"));
    menu_.save = file->addAction(QStringLiteral("Save IP list and Settings"));
    file->addSeparator();
    menu_.quit = file->addAction(QStringLiteral("Quit"));
    QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    menu_.smtp_settings = edit->addAction(QStringLiteral("SMTP settings"));
    menu_.ping_options = edit->addAction(QStringLiteral("Ping options"));
    QMenu* about = bar->addMenu(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("aboutMenu"));
    menu_.about = about->addAction(QStringLiteral("About Tindrel..."));

    menu_.start->setObjectName(QStringLiteral("startAction"));
    menu_.save->setObjectName(QStringLiteral("saveAction"));
    menu_.quit->setObjectName(QStringLiteral("quitAction"));
    menu_.smtp_settings->setObjectName(QStringLiteral("smtpSettingsAction"));
    menu_.ping_options->setObjectName(QStringLiteral("pingOptionsAction"));
    menu_.about->setObjectName(QStringLiteral("aboutAction"));
}

void MainWindow::create_controls(const WindowFonts& fonts) {
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("controlArea"));
    setCentralWidget(area);
    MainControls& c = controls_;

    c.host_list = list_box(area, &hosts_, "hostList", 10, 40, 160, 260);
    // One size for all rows keeps a list of 100 000 targets quick to lay out; the delegate
    // makes it the widest line's size, so long names can still be scrolled into view.
    c.host_list->setUniformItemSizes(true);
    auto* widest = new WidestLineDelegate(c.host_list);
    widest->watch(&hosts_);
    c.host_list->setItemDelegate(widest);
    c.ip_title = label(area, "IPs/Hosts", &fonts.heading, "ipTitleLabel", 10, 10, 160, 20);
    c.ip_title->setAlignment(Qt::AlignCenter);
    c.add_ip = button(area, "Add IP", "addIpButton", 350, 50, 80, 20);
    c.delete_selected = button(area, "Delete selected", "deleteSelectedButton", 20, 310, 140, 20);
    c.address = place(new Ipv4AddressField(area), "addressField", 200, 50, 140, 20);
    c.start = button(area, "Start", "startButton", 320, 310, 100, 20);
    c.host_name = place(new QLineEdit(area), "hostNameField", 200, 90, 140, 20);
    c.add_hostname = button(area, "Add Hostname", "addHostnameButton", 350, 90, 80, 20);
    c.progress_frame = group_frame(area, "Pinging : ", "progressFrame", 180, 120, 250, 180);
    c.address_arrow = picture(area, pictures_.left_arrow, "addressArrow", 179, 53, 9, 15);
    c.host_name_arrow = picture(area, pictures_.left_arrow, "hostNameArrow", 179, 93, 9, 15);
    c.clean_list = button(area, "Clean list", "cleanListButton", 190, 310, 100, 20);
    c.log_list = list_box(area, &log_, "logList", 190, 140, 230, 150);
    c.play_sound_label = label(area, "Play sound", &fonts.label, "playSoundLabel", 370, 10, 56, 17);
    c.send_email_label = label(area, "Send EMail", &fonts.label, "sendEmailLabel", 369, 26, 58, 19);
    c.play_sound_ball = picture(area, pictures_.on_ball, "playSoundBall", 350, 10, 14, 14);
    c.send_email_ball = picture(area, pictures_.off_ball, "sendEmailBall", 350, 28, 14, 14);
    c.scan_every_label =
        label(area, "Scan every ", &fonts.label, "scanEveryLabel", 194, 17, 60, 17);
    c.sec_label = label(area, "Sec", &fonts.label, "secLabel", 312, 17, 24, 17);
    c.scan_interval = place(new QLineEdit(area), "scanIntervalField", 254, 15, 51, 22);
    c.scan_interval->setReadOnly(true);
    c.indicator_frame = group_frame(area, "", "indicatorFrame", 182, -1, 252, 49);

    c.play_sound_ball->setProperty(kSwitchedOn, true);
    c.send_email_ball->setProperty(kSwitchedOn, false);
    // The log's background is the light shade of the window's 3-D edges.
    QPalette log_palette = c.log_list->palette();
    log_palette.setColor(QPalette::Base, log_palette.color(QPalette::Light));
    c.log_list->setPalette(log_palette);
}

std::vector<std::string> MainWindow::host_lines() const {
    const QStringList lines = hosts_.stringList();
    std::vector<std::string> bytes;
    bytes.reserve(static_cast<size_t>(lines.size()));
    for (const QString& line : lines) {
        bytes.push_back(to_bytes(line));
    }
    return bytes;
}

void MainWindow::append_host_lines(const std::vector<std::string>& lines) {
    QStringList all = hosts_.stringList();
    all.reserve(all.size() + static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) {
        all.append(to_display(line));
    }
    hosts_.setStringList(all);
}

void MainWindow::append_host(const QString& line) {
    const int row = hosts_.rowCount();
    hosts_.insertRows(row, 1);
    hosts_.setData(hosts_.index(row), line);
}

void MainWindow::show_ball(QLabel* ball, bool on) {
    ball->setProperty(kSwitchedOn, on);
    ball->setPixmap(on ? pictures_.on_ball : pictures_.off_ball);
}

void MainWindow::refresh_indicators(const Settings& settings) {
    controls_.scan_interval->setText(QString::number(settings.scan_interval_ms / 1000));
    show_ball(controls_.play_sound_ball, settings.play_sound != 0);
    show_ball(controls_.send_email_ball, settings.send_email != 0);
}

void MainWindow::set_log_text_colour(const QColor& colour) {
    QPalette palette = controls_.log_list->palette();
    palette.setColor(QPalette::Text, colour);
    controls_.log_list->setPalette(palette);
}

void MainWindow::centre_on_screen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect whole = screen->geometry();
    const QSize outer = frameGeometry().size().boundedTo(whole.size());
    move(whole.x() + (whole.width() - outer.width()) / 2,
         whole.y() + (whole.height() - outer.height()) / 2);
}

void MainWindow::close_for_good() {
    closing_for_good_ = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closing_for_good_) {
        event->accept();
        return;
    }
    event->ignore();
    emit close_requested();
}

} // namespace tindrel
