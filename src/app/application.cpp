#include "app/application.h"

#include "app/program.h"
#include "app/program_icon.h"
#include "app/system_facilities.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace tindrel {
namespace {

// Without a usable display Qt gives up inside QApplication's constructor with a fatal
// message, which would abort the process. The program says why and still ends with exit
// code 0, as on every other path.
void end_if_no_display(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    if (type == QtFatalMsg) {
        std::_Exit(0);
    }
}

} // namespace

int run_application(int argc, char** argv) {
    // Loading SDL and opening the sound card take a few milliseconds: they run while Qt
    // connects to the display, and start-up takes the result at its sound step.
    SystemFacilities facilities;
    facilities.begin_sound_start();

    const QtMessageHandler usual_handler = qInstallMessageHandler(end_if_no_display);
    QApplication app(argc, argv);
    qInstallMessageHandler(usual_handler);
    // The program ends through its quit sequence only, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window shows it from the first, the start-up warnings included.
    QApplication::setWindowIcon(program_icon());

    Program program(facilities);
    QObject::connect(&program, &Program::ended, &app, [] { QCoreApplication::exit(0); });
    if (program.start_up()) {
        QApplication::exec();
    }
    return 0;
}

} // namespace tindrel
