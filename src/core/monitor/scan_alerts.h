#pragma once

#include <string>

namespace tindrel {

// The alarms a failed probe raises; the front end connects them to the alert modules.
class ScanAlerts {
public:
    static constexpr int kMailSent = -3;

    virtual ~ScanAlerts() = default;
    // Starts the alert clip once at full volume and returns at once.
    virtual void sound_play() = 0;
    // Sends the alert mail with `body` and blocks until the outcome is known:
    // kMailSent when it was sent, any other value when it was not.
    virtual int send_alert_mail(const std::string& body) = 0;
};

} // namespace tindrel
