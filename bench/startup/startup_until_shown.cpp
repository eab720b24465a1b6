// The program's own start-up, ended as soon as the main window is on screen. Run it in a
// folder that holds an IPs.td, so that no message box waits for an answer.
// It runs run_application() itself, so it times exactly what the program does.
// With --without-resources the facilities bring nothing up (no sound device, pictures,
// clip or icon; the network counts as there): what start-up costs without them.
#include "app/application.h"
#include "app/main_window.h"
#include "app/program.h"
#include "core/monitor/icmp_prober.h"
#include "quit_when_shown.h"

#include <QApplication>
#include <cstring>

namespace {

class WithoutResources final : public tindrel::Facilities {
public:
    bool start_network() override { return true; }
    bool start_sound() override { return true; }
    tindrel::Pictures load_pictures() override { return {}; }
    void load_alert_clip() override {}
    tindrel::ScanPlatform scan_platform() override {
        return {clock_, prober_, resolver_, beeper_, sleeper_};
    }
    void play_alert_sound() override {}
    void release_sound() override {}
    void release_mail_messages() override {}
    void end_network() override {}
    void release_pictures() override {}
    void close_files() override {}

private:
    tindrel::SystemClock clock_;
    tindrel::SystemResolver resolver_;
    tindrel::IcmpProber prober_{clock_};
    tindrel::SystemSleeper sleeper_;
    tindrel::SilentBeeper beeper_{sleeper_};
};

// Watches every window of the application for the main window's first exposure.
class MainWindowWatcher final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Expose || !watched->isWindowType() ||
            !static_cast<QWindow*>(watched)->isExposed()) {
            return false;
        }
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->windowHandle() == watched &&
                qobject_cast<tindrel::MainWindow*>(widget) != nullptr) {
                tindrel::bench::quit_soon();
            }
        }
        return false;
    }
};

void watch_for_the_main_window() {
    QCoreApplication::instance()->installEventFilter(new MainWindowWatcher);
}

int run_without_resources(int argc, char** argv) {
    WithoutResources facilities;
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tindrel::Program program(facilities);
    if (!program.start_up()) {
        return 1;
    }
    tindrel::bench::QuitWhenShown quit(*program.main_window());
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--without-resources") == 0) {
        return run_without_resources(argc, argv);
    }
    qAddPreRoutine(watch_for_the_main_window);
    return tindrel::run_application(argc, argv);
}
