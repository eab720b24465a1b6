#include "app/main_window_scan_view.h"

#include "app/byte_text.h"
#include "app/host_list_actions.h"
#include "app/main_window.h"

#include <QAction>
#include <QGroupBox>
#include <QPushButton>

namespace tindrel {

void MainWindowScanView::set_progress_title(const std::string& title) {
    QGroupBox* frame = window_.controls().progress_frame;
    frame->setTitle(to_display(title));
    frame->repaint();
}

void MainWindowScanView::set_start_stop_text(const std::string& text) {
    window_.controls().start->setText(to_display(text));
    window_.menu().start->setText(to_display(text));
}

void MainWindowScanView::set_locked_menu_items_enabled(bool enabled) {
    const MainMenu& menu = window_.menu();
    for (QAction* item : {menu.save, menu.quit, menu.smtp_settings, menu.ping_options}) {
        item->setEnabled(enabled);
    }
}

void MainWindowScanView::append_log_line(const std::string& line) {
    QStringListModel& log = window_.log();
    const int row = log.rowCount();
    log.insertRows(row, 1);
    log.setData(log.index(row), to_display(line));
}

void MainWindowScanView::remove_first_log_line() {
    window_.log().removeRows(0, 1);
}

int MainWindowScanView::log_line_count() {
    return window_.log().rowCount();
}

void MainWindowScanView::clear_log() {
    clean_log(window_);
}

int MainWindowScanView::host_count() {
    return window_.hosts().rowCount();
}

std::string MainWindowScanView::host_text(int index) {
    const QStringListModel& hosts = window_.hosts();
    if (index < 0 || index >= hosts.rowCount()) {
        return {};
    }
    return to_bytes(hosts.data(hosts.index(index)).toString());
}

bool MainWindowScanView::is_minimised() {
    return window_.isMinimized();
}

} // namespace tindrel
