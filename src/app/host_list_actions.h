#pragma once

#include "core/store/app_state.h"

#include <QString>

namespace tindrel {

class MainWindow;

// The host list line for a typed host name: the text as it stands when it begins with "@",
// else "@" in front of it. Nothing is trimmed or checked, so an empty text gives "@".
QString host_name_entry(const QString& typed);

// "Add IP": appends the address field's text; marks the list modified.
void add_ip(MainWindow& window, AppState& state);
// "Add Hostname": appends the host name field's text as a host name; marks the list modified.
void add_hostname(MainWindow& window, AppState& state);
// "Delete selected": removes the selected line, if any; marks the list modified either way.
void delete_selected(MainWindow& window, AppState& state);
// "Clean list": empties the alert log. The log is never saved, so nothing is modified.
void clean_log(MainWindow& window);

} // namespace tindrel
