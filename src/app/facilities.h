#pragma once

#include "core/monitor/beeper.h"
#include "core/monitor/prober.h"
#include "core/monitor/sleeper.h"
#include "core/platform/clock.h"
#include "core/platform/resolver.h"

#include <QPixmap>

namespace tindrel {

// The five pictures of the windows. A picture that could not be loaded stays null and its
// control shows nothing.
struct Pictures {
    QPixmap left_arrow; // beside the address and host name fields
    QPixmap on_ball;    // an indicator whose switch is on
    QPixmap off_ball;   // an indicator whose switch is off
    QPixmap logo;       // About window
    QPixmap banner;     // About window
};

// What a scan runs on. Every part lives as long as the Facilities that gave it.
struct ScanPlatform {
    Clock& clock;       // the scan's deadlines and the dates it logs; the alert mail's too
    Prober& prober;     // asks whether an address answers
    Resolver& resolver; // host-name targets and the mail server
    Beeper& beeper;     // the two tones of Stop
    Sleeper& sleeper;   // the short pause after each probe step
};

// What the program brings up outside its windows at start-up and releases at shut-down,
// behind one interface so that the order is testable and every step can fail in a test.
// Start-up calls the first group in the order written; shut-down calls the second group in
// its order, with the windows closed between end_network and release_pictures.
class Facilities {
public:
    virtual ~Facilities() = default;

    // False when the network cannot be used: the program ends after its warning.
    virtual bool start_network() = 0;
    // False when there is no usable sound device: the program runs on without sound.
    virtual bool start_sound() = 0;
    // Makes JPEG pictures decodable and decodes the five pictures; never fails as a whole.
    virtual Pictures load_pictures() = 0;
    // Loads the alert clip; only called when start_sound succeeded. Its result is not used.
    virtual void load_alert_clip() = 0;

    // What a scan runs on. Ask after start_sound: without sound, Stop's tones keep their
    // time in silence.
    virtual ScanPlatform scan_platform() = 0;
    // Starts the alert clip once at its recorded level and returns at once; silent when
    // there is no sound device or no clip.
    virtual void play_alert_sound() = 0;

    virtual void release_sound() = 0;
    virtual void release_mail_messages() = 0;
    virtual void end_network() = 0;
    virtual void release_pictures() = 0;
    virtual void close_files() = 0;
};

} // namespace tindrel
