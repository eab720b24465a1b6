#include "app/application.h"

#include "app/program.h"
#include "app/program_icon.h"
#include "app/system_facilities.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <system_error>
#include <thread>

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

// Reading the system's font configuration and font caches is most of what the first window
// with text waits for. A helper thread does it while Qt connects to the display, and Qt's
// font database then finds it done. Nothing is lost when no thread can be started.
std::jthread read_font_configuration() {
    try {
        return std::jthread([] { FcInit(); });
    } catch (const std::system_error&) {
        return {};
    }
}

} // namespace

int run_application(int argc, char** argv) {
    // Loading SDL and opening the sound card take a few milliseconds: they run while Qt
    // connects to the display, and start-up takes the result at its sound step.
    SystemFacilities facilities;
    facilities.begin_sound_start();
    const std::jthread font_configuration = read_font_configuration();

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
