#pragma once

#include "call_journal.h"
#include "core/monitor/scan_view.h"
#include "fake_clock.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tindrel::testing {

// The main window as the scan sees it, in plain containers.
class FakeScanView final : public ScanView {
public:
    std::vector<std::string> hosts;
    std::vector<std::string> log;
    std::string start_stop_text = "Start";
    bool locked_items_enabled = true;
    bool minimised = false;
    // Every progress title set, with the fake clock's tick at that moment.
    std::vector<std::pair<uint32_t, std::string>> titles;
    const FakeClock* clock = nullptr;
    CallJournal* journal = nullptr;

    void set_progress_title(const std::string& title) override {
        titles.emplace_back(clock != nullptr ? clock->now : 0, title);
        note("title " + title);
    }
    void set_start_stop_text(const std::string& text) override {
        start_stop_text = text;
        note("label " + text);
    }
    void set_locked_menu_items_enabled(bool enabled) override {
        locked_items_enabled = enabled;
        note(enabled ? "items enabled" : "items disabled");
    }
    void append_log_line(const std::string& line) override {
        log.push_back(line);
        note("log " + line);
    }
    void remove_first_log_line() override {
        if (!log.empty()) {
            log.erase(log.begin());
        }
        note("log remove first");
    }
    int log_line_count() override { return static_cast<int>(log.size()); }
    void clear_log() override {
        log.clear();
        note("log clear");
    }
    int host_count() override { return static_cast<int>(hosts.size()); }
    std::string host_text(int index) override {
        return index >= 0 && index < host_count() ? hosts[static_cast<size_t>(index)] : "";
    }
    bool is_minimised() override { return minimised; }

    std::string last_title() const { return titles.empty() ? "" : titles.back().second; }

private:
    void note(const std::string& call) {
        if (journal != nullptr) {
            journal->note(call);
        }
    }
};

} // namespace tindrel::testing
