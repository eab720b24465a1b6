// The program's own cost while it scans: the real start-up (network, sound, pictures, data
// file) in the current folder, then Start, then nothing but the scan for the given number
// of seconds (60 by default). Prints the processor time of the whole process, all threads
// included, against the wall time of the scan. Run it in a folder that holds an IPs.td, so
// that no message box waits for an answer; measure_scan_cpu.sh sets one up.
#include "app/main_window.h"
#include "app/program.h"
#include "app/program_icon.h"
#include "app/system_facilities.h"

#include <QApplication>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

double processor_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv) {
    const int scan_seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(tindrel::program_icon());
    tindrel::SystemFacilities facilities;
    tindrel::Program program(facilities);
    if (!program.start_up()) {
        return 1;
    }

    const double startup_cpu = processor_seconds();
    const auto scan_began = std::chrono::steady_clock::now();
    program.main_window()->controls().start->click();
    QTimer::singleShot(scan_seconds * 1000, &app, [] { QCoreApplication::exit(0); });
    QApplication::exec();

    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - scan_began).count();
    const double scan_cpu = processor_seconds() - startup_cpu;
    std::printf("scan: %.1f s wall, %.3f s processor (user + system, all threads) = %.3f %%\n",
                wall, scan_cpu, 100.0 * scan_cpu / wall);
    std::printf("start-up before it: %.3f s processor\n", startup_cpu);
    std::printf("alert log lines: %d\n", program.main_window()->log().rowCount());
    std::fflush(stdout);
    return 0;
}
