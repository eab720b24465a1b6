#include "app/alert_channels.h"

#include "app/mail_wait.h"
#include "core/alerts/mail/alert_mail.h"

namespace tindrel {

void AlertChannels::sound_play() {
    facilities_.play_alert_sound();
}

int AlertChannels::send_alert_mail(const std::string& body) {
    const MailDependencies dependencies{platform_.resolver, platform_.clock, wait_for_mail};
    return tindrel::send_alert_mail(settings_, body, dependencies);
}

} // namespace tindrel
