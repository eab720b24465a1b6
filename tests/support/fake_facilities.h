#pragma once

#include "app/facilities.h"
#include "app/main_window.h"
#include "fake_beeper.h"
#include "fake_clock.h"
#include "fake_prober.h"
#include "fake_resolver.h"
#include "fake_sleeper.h"

#include <QApplication>
#include <string>
#include <vector>

namespace tindrel::testing {

// Facilities that do nothing but record each call, with how many main windows were open at
// that moment; the network and the sound device fail when told to. A scan runs on fakes:
// time moves only when the test advances `clock` (or a tone or pause passes on it), and
// every address answers unless the prober is told otherwise.
class FakeFacilities final : public Facilities {
public:
    struct Call {
        std::string name;
        int main_windows_open = 0;
        bool operator==(const Call&) const = default;
    };

    bool network_works = true;
    bool sound_works = true;
    std::vector<Call> calls;
    FakeClock clock;
    FakeProber prober;
    FakeResolver resolver;
    FakeBeeper beeper;
    FakeSleeper sleeper;
    int alert_sounds = 0;

    FakeFacilities() {
        beeper.clock = &clock;
        sleeper.clock = &clock;
        prober.clock = &clock;
    }
    FakeFacilities(const FakeFacilities&) = delete;
    FakeFacilities& operator=(const FakeFacilities&) = delete;

    std::vector<std::string> names() const {
        std::vector<std::string> only_names;
        for (const Call& call : calls) {
            only_names.push_back(call.name);
        }
        return only_names;
    }

    bool start_network() override { return record("start_network"), network_works; }
    bool start_sound() override { return record("start_sound"), sound_works; }
    Pictures load_pictures() override { return record("load_pictures"), Pictures{}; }
    void load_alert_clip() override { record("load_alert_clip"); }
    ScanPlatform scan_platform() override { return {clock, prober, resolver, beeper, sleeper}; }
    void play_alert_sound() override { ++alert_sounds; }
    void release_sound() override { record("release_sound"); }
    void release_mail_messages() override { record("release_mail_messages"); }
    void end_network() override { record("end_network"); }
    void release_pictures() override { record("release_pictures"); }
    void close_files() override { record("close_files"); }

private:
    void record(const char* name) {
        int open = 0;
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            open += qobject_cast<const MainWindow*>(window) != nullptr ? 1 : 0;
        }
        calls.push_back({name, open});
    }
};

} // namespace tindrel::testing
