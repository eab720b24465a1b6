// The program's own start-up, ended as soon as the main window is on screen. Run it in a
// folder that holds an IPs.td, so that no message box waits for an answer.
// With --without-resources the facilities bring nothing up (no sound device, no pictures,
// no alert clip, no icon; the network counts as there): what start-up costs without them.
#include "app/main_window.h"
#include "app/program.h"
#include "app/program_icon.h"
#include "app/system_facilities.h"
#include "core/monitor/icmp_prober.h"
#include "quit_when_shown.h"

#include <QApplication>
#include <cstring>
#include <memory>

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

} // namespace

int main(int argc, char** argv) {
    const bool with_resources = !(argc > 1 && std::strcmp(argv[1], "--without-resources") == 0);
    // In the order run_application() brings them up.
    std::unique_ptr<tindrel::Facilities> facilities;
    if (with_resources) {
        auto system = std::make_unique<tindrel::SystemFacilities>();
        system->begin_sound_start();
        facilities = std::move(system);
    } else {
        facilities = std::make_unique<WithoutResources>();
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (with_resources) {
        QApplication::setWindowIcon(tindrel::program_icon());
    }
    tindrel::Program program(*facilities);
    if (!program.start_up()) {
        return 1;
    }
    tindrel::bench::QuitWhenShown quit(*program.main_window());
    return QApplication::exec();
}
