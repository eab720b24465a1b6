// The yardstick: a Qt window that does nothing, ended as soon as it is on screen. With
// --with-text it also shows one label, which costs what any window with text pays once:
// loading the system's font database.
#include "quit_when_shown.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tindrel"));
    window.resize(435, 361);
    if (argc > 1 && std::strcmp(argv[1], "--with-text") == 0) {
        new QLabel(QStringLiteral("IPs/Hosts"), &window);
    }
    window.show();
    tindrel::bench::QuitWhenShown quit(window);
    return QApplication::exec();
}
