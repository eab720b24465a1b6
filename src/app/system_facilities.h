#pragma once

#include "app/facilities.h"

#include <memory>

namespace tindrel {

// The program's real facilities: the network check, the SDL sound output with the alert
// clip, the embedded pictures, the ICMP probe, the system's clock and name resolver.
class SystemFacilities final : public Facilities {
public:
    SystemFacilities();
    ~SystemFacilities() override;
    SystemFacilities(const SystemFacilities&) = delete;
    SystemFacilities& operator=(const SystemFacilities&) = delete;

    // Starts bringing the sound up on a helper thread: loading SDL, opening the output
    // and preparing the alert clip take a few milliseconds that can overlap the start of
    // Qt. start_sound() waits for it and gives its result; load_alert_clip() then finds
    // the clip ready. Every other use of the sound waits for it too.
    void begin_sound_start();

    // Writes the technical cause of a failure to standard error; the user sees the warning.
    bool start_network() override;
    bool start_sound() override;
    Pictures load_pictures() override;
    void load_alert_clip() override;

    ScanPlatform scan_platform() override;
    void play_alert_sound() override;

    void release_sound() override;
    void release_mail_messages() override;
    void end_network() override;
    void release_pictures() override;
    void close_files() override;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace tindrel
