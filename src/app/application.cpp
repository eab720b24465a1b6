#include "app/application.h"

#include "app/program.h"
#include "app/system_facilities.h"

#include <QApplication>

namespace tindrel {

int run_application(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program ends through its quit sequence only, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemFacilities facilities;
    Program program(facilities);
    QObject::connect(&program, &Program::ended, &app, [] { QCoreApplication::exit(0); });
    if (program.start_up()) {
        QApplication::exec();
    }
    return 0;
}

} // namespace tindrel
