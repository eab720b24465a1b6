#include "app/system_facilities.h"

#include "core/alerts/mail/network_facility.h"
#include "core/alerts/sound/sdl_audio_device.h"
#include "core/alerts/sound/sound_output.h"
#include "core/monitor/icmp_prober.h"
#include "core/resources/embedded_resources.h"
#include "core/resources/picture_table.h"

#include <QImage>
#include <cstdio>
#include <system_error>
#include <thread>

namespace tindrel {
namespace {

// Stop's tones on the sound output, over the alert clip if it still plays.
class SoundBeeper final : public Beeper {
public:
    explicit SoundBeeper(SoundOutput& sound) : sound_(sound) {}
    void beep(int frequency_hz, int duration_ms) override {
        sound_.beep(frequency_hz, duration_ms);
    }

private:
    SoundOutput& sound_;
};

// Decodes picture `number` into the picture table and gives the windows their copy of it;
// a picture that cannot be decoded gives a null pixmap.
QPixmap load_pixmap(int number) {
    const Picture* picture = load_picture(number, picture_jpeg(number));
    if (picture == nullptr) {
        return {};
    }
    const QImage image(picture->pixels.data(), picture->width, picture->height,
                       static_cast<qsizetype>(picture->stride), QImage::Format_RGB888);
    return QPixmap::fromImage(image);
}

} // namespace

struct SystemFacilities::Parts {
    SystemClock clock;
    SystemResolver resolver;
    IcmpProber prober{clock};
    SystemSleeper sleeper;
    SilentBeeper silent_beeper{sleeper};
    SdlAudioDevice audio; // before the output, which closes it when destroyed
    SoundOutput sound{audio};
    SoundBeeper sound_beeper{sound};
    // Brings the sound up ahead of start-up's sound step; `sound` is touched by nobody
    // else until it has been joined.
    std::thread sound_start;
    bool alert_clip_loaded = false;

    // The sound step: the output opened and, if it was, the alert clip prepared.
    void bring_sound_up() {
        if (sound.sound_init()) {
            alert_clip_loaded = sound.sound_load(alert_clip, alert_wav());
        }
    }
    void finish_sound_start() {
        if (sound_start.joinable()) {
            sound_start.join();
        }
    }
    ~Parts() { finish_sound_start(); }
};

SystemFacilities::SystemFacilities() : parts_(std::make_unique<Parts>()) {}

SystemFacilities::~SystemFacilities() = default;

bool SystemFacilities::start_network() {
    std::string problem;
    if (!init_network(&problem)) {
        std::fprintf(stderr, "tindrel: the network cannot be used: %s\n", problem.c_str());
        return false;
    }
    return true;
}

void SystemFacilities::begin_sound_start() {
    Parts& p = *parts_;
    if (p.sound_start.joinable()) {
        return;
    }
    try {
        p.sound_start = std::thread([&p] { p.bring_sound_up(); });
    } catch (const std::system_error&) {
        // No thread to spare: start_sound() does it all itself.
    }
}

bool SystemFacilities::start_sound() {
    parts_->finish_sound_start();
    return parts_->sound.sound_init();
}

Pictures SystemFacilities::load_pictures() {
    enable_jpeg_decoding();
    Pictures pictures;
    pictures.left_arrow = load_pixmap(arrow_picture);
    pictures.on_ball = load_pixmap(on_ball_picture);
    pictures.off_ball = load_pixmap(off_ball_picture);
    pictures.logo = load_pixmap(logo_picture);
    pictures.banner = load_pixmap(banner_picture);
    return pictures;
}

void SystemFacilities::load_alert_clip() {
    Parts& p = *parts_;
    p.finish_sound_start();
    if (!p.alert_clip_loaded) {
        p.alert_clip_loaded = p.sound.sound_load(alert_clip, alert_wav());
    }
}

ScanPlatform SystemFacilities::scan_platform() {
    Parts& p = *parts_;
    p.finish_sound_start();
    Beeper& beeper = p.sound.is_open() ? static_cast<Beeper&>(p.sound_beeper) : p.silent_beeper;
    return ScanPlatform{p.clock, p.prober, p.resolver, beeper, p.sleeper};
}

void SystemFacilities::play_alert_sound() {
    parts_->finish_sound_start();
    parts_->sound.sound_play(alert_clip, 0, 100);
}

void SystemFacilities::release_sound() {
    parts_->finish_sound_start();
    parts_->sound.sound_shutdown();
    parts_->alert_clip_loaded = false;
}

// An alert mail's message lives only inside the call that sends it, so none is ever left
// over for shut-down to release.
void SystemFacilities::release_mail_messages() {}

void SystemFacilities::end_network() {
    tindrel::end_network();
}

void SystemFacilities::release_pictures() {
    release_all_pictures();
}

// The data file is open only inside a load or a save, so nothing is left open here.
void SystemFacilities::close_files() {}

} // namespace tindrel
