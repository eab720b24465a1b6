#pragma once

#include <string>

namespace tindrel {

// What the scan shows and reads in the main window. The front end implements it over its
// widgets; every call happens on the thread that drives the scan.
class ScanView {
public:
    virtual ~ScanView() = default;

    // The progress frame's title. Repaint it before returning: the scan may block next.
    virtual void set_progress_title(const std::string& title) = 0;
    // The Start/Stop button and the first File menu item carry the same text.
    virtual void set_start_stop_text(const std::string& text) = 0;
    // The four menu items a scan locks: "Save IP list and Settings", "Quit",
    // "SMTP settings" and "Ping options". The About item stays as it is.
    virtual void set_locked_menu_items_enabled(bool enabled) = 0;

    // The alert log, oldest line first.
    virtual void append_log_line(const std::string& line) = 0;
    virtual void remove_first_log_line() = 0;
    virtual int log_line_count() = 0;
    virtual void clear_log() = 0;

    // The host list, as the user ordered it.
    virtual int host_count() = 0;
    // The entry at `index`; the empty text when there is no such line.
    virtual std::string host_text(int index) = 0;

    virtual bool is_minimised() = 0;
};

} // namespace tindrel
