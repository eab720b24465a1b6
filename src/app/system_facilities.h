#pragma once

#include "app/facilities.h"

namespace tindrel {

// The program's real facilities.
class SystemFacilities final : public Facilities {
public:
    bool start_network() override;
    bool start_sound() override;
    Pictures load_pictures() override;
    void load_alert_clip() override;

    void release_sound() override;
    void release_mail_messages() override;
    void end_network() override;
    void release_pictures() override;
    void close_files() override;
};

} // namespace tindrel
