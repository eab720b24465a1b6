#pragma once

#include "core/monitor/scan_view.h"

namespace tindrel {

class MainWindow;

// The main window as a scan sees it: the progress frame, the Start/Stop button and menu
// item, the menu items a scan locks, the alert log and the host list. Texts cross as bytes,
// one Latin-1 character per byte, like everywhere else in the windows.
class MainWindowScanView final : public ScanView {
public:
    explicit MainWindowScanView(MainWindow& window) : window_(window) {}

    // Sets the title and paints the frame before returning, as the scan may block next.
    void set_progress_title(const std::string& title) override;
    void set_start_stop_text(const std::string& text) override;
    void set_locked_menu_items_enabled(bool enabled) override;

    void append_log_line(const std::string& line) override;
    void remove_first_log_line() override;
    int log_line_count() override;
    void clear_log() override;

    int host_count() override;
    std::string host_text(int index) override;

    bool is_minimised() override;

private:
    MainWindow& window_;
};

} // namespace tindrel
