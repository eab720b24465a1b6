#include "app/about_window.h"

#include "app/main_window.h"
#include "app/secondary_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QtGlobal>

namespace tindrel {
namespace {

QLabel* picture(QWidget* window, const QPixmap& pixmap, const char* name, int x, int y, int width,
                int height) {
    QLabel* shown = make_label(window, "", name, x, y, width, height, Qt::AlignLeft | Qt::AlignTop);
    shown->setPixmap(pixmap); // 1:1, never scaled; a picture that failed to load shows nothing
    return shown;
}

QLabel* white_label(QWidget* window, const QString& text, const char* name, int x, int y, int width,
                    int height) {
    QLabel* label = make_label(window, "", name, x, y, width, height, Qt::AlignCenter);
    label->setText(text);
    QPalette white = label->palette();
    white.setColor(QPalette::Window, Qt::white);
    label->setPalette(white);
    label->setAutoFillBackground(true);
    return label;
}

} // namespace

QString development_tools() {
#if defined(__clang__)
    const QString compiler = QStringLiteral("Clang %1.%2.%3")
                                 .arg(__clang_major__)
                                 .arg(__clang_minor__)
                                 .arg(__clang_patchlevel__);
#elif defined(__GNUC__)
    const QString compiler = QStringLiteral("GCC " __VERSION__);
#else
    const QString compiler = QStringLiteral("C++");
#endif
    return compiler + QStringLiteral(", Qt " QT_VERSION_STR);
}

AboutWindow::AboutWindow(QWidget& main_window, const Pictures& pictures)
    : SecondaryWindow(main_window, {QStringLiteral("About..."), QSize(254, 334), true}) {
    create_controls(pictures);
    lines_.setStringList({QStringLiteral("1- Fill or complete the list of IP to check,"),
                          QStringLiteral("2- Set the alert option,"),
                          QStringLiteral("3- Set the SMTP (if needed),"),
                          QStringLiteral("4- Start the scan"), QStringLiteral(" "), QString()});
    auto* close_keys = new QShortcut(this);
    // Both Return keys, as the keyboard's main and keypad Return are one key to most users.
    close_keys->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connect(close_keys, &QShortcut::activated, this, &AboutWindow::close_window);
    connect(controls_.close, &QPushButton::clicked, this, &AboutWindow::close_window);
    controls_.close->setFocus();
}

void AboutWindow::create_controls(const Pictures& pictures) {
    AboutControls& c = controls_;
    c.logo = picture(this, pictures.logo, "logoPicture", 150, 204, 84, 108);
    c.banner = picture(this, pictures.banner, "bannerPicture", 10, 2, 235, 92);
    c.product = white_label(this, QStringLiteral("Tindrel v1.0"), "productLabel", 18, 199, 130, 18);
    c.credit =
        white_label(this, QStringLiteral("By the Tindrel team"), "creditLabel", 14, 219, 131, 18);
    c.contact =
        white_label(this, QStringLiteral("(see the README)"), "contactLabel", 14, 235, 131, 18);
    c.developed_with = white_label(this, QStringLiteral("Developped with"), "developedWithLabel",
                                   14, 253, 131, 18);
    c.tools = white_label(this, development_tools(), "toolsLabel", 14, 269, 131, 18);

    c.credit_frame = new QGroupBox(this);
    c.credit_frame->setObjectName(QStringLiteral("creditFrame"));
    c.credit_frame->setGeometry(9, 188, 237, 137);
    // A frame only draws: clicks reach the controls inside it.
    c.credit_frame->setAttribute(Qt::WA_TransparentForMouseEvents);

    c.instructions = new QListView(this);
    c.instructions->setObjectName(QStringLiteral("instructionList"));
    c.instructions->setGeometry(10, 100, 236, 90);
    c.instructions->setModel(&lines_);
    c.instructions->setSelectionMode(QAbstractItemView::SingleSelection);
    c.instructions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.instructions->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    c.close = make_button(this, "Close", "closeButton", 52, 294, 51, 21);
}

void AboutWindow::paintEvent(QPaintEvent* /*event*/) {
    // Only the window itself is white: the frame, the list and the button keep their colours.
    QPainter(this).fillRect(rect(), Qt::white);
}

void show_about_window(MainWindow& main_window) {
    AboutWindow window(main_window, main_window.pictures());
    window.run();
}

} // namespace tindrel
