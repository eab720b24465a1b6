#include "app/system_facilities.h"

namespace tindrel {

// The network, sound, picture and mail layers plug in here; until they do, each step
// succeeds without doing anything.

bool SystemFacilities::start_network() {
    return true;
}

bool SystemFacilities::start_sound() {
    return true;
}

Pictures SystemFacilities::load_pictures() {
    return {};
}

void SystemFacilities::load_alert_clip() {}

void SystemFacilities::release_sound() {}

void SystemFacilities::release_mail_messages() {}

void SystemFacilities::end_network() {}

void SystemFacilities::release_pictures() {}

// The data file is open only inside a load or a save, so nothing is left open here.
void SystemFacilities::close_files() {}

} // namespace tindrel
