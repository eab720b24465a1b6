#pragma once

#include "app/facilities.h"
#include "core/monitor/scan_alerts.h"
#include "core/store/settings.h"

namespace tindrel {

// The alarms of a target that does not answer: the alert clip through the facilities and
// the alert mail through the mail dispatcher, on the platform's resolver and clock. While a
// mail is under way the windows repaint but take no input (wait_for_mail).
class AlertChannels final : public ScanAlerts {
public:
    // `settings` are read when a mail is sent; everything given must outlive the channels.
    AlertChannels(Facilities& facilities, const Settings& settings, const ScanPlatform& platform)
        : facilities_(facilities), settings_(settings), platform_(platform) {}

    void sound_play() override;
    int send_alert_mail(const std::string& body) override;

private:
    Facilities& facilities_;
    const Settings& settings_;
    ScanPlatform platform_;
};

} // namespace tindrel
