#pragma once

#include "call_journal.h"
#include "core/monitor/scan_alerts.h"

#include <string>
#include <vector>

namespace tindrel::testing {

// Counts sounds and keeps mail bodies; every mail gets `mail_result`.
class FakeScanAlerts final : public ScanAlerts {
public:
    int sounds = 0;
    std::vector<std::string> mails;
    int mail_result = kMailSent;
    CallJournal* journal = nullptr;

    void sound_play() override {
        ++sounds;
        if (journal != nullptr) {
            journal->note("sound");
        }
    }
    int send_alert_mail(const std::string& body) override {
        mails.push_back(body);
        if (journal != nullptr) {
            journal->note("mail " + body);
        }
        return mail_result;
    }
};

} // namespace tindrel::testing
