// The program's own start-up, ended as soon as the main window is on screen. Run it in a
// folder that holds an IPs.td, so that no message box waits for an answer.
#include "app/main_window.h"
#include "app/program.h"
#include "app/system_facilities.h"
#include "quit_when_shown.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tindrel::SystemFacilities facilities;
    tindrel::Program program(facilities);
    if (!program.start_up()) {
        return 1;
    }
    tindrel::bench::QuitWhenShown quit(*program.main_window());
    return QApplication::exec();
}
