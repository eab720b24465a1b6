#pragma once

#include "core/store/app_state.h"
#include "core/store/settings.h"

namespace tindrel {

class MainWindow;

// Loads IPs.td from the working directory into `settings` (holding the defaults), `state`
// and the window's host list, then tells the user what the load met, one message after the
// other. Returns false after the fatal message when the file could not be opened or
// created: the program must then end.
bool load_data_file_into(MainWindow& window, Settings& settings, AppState& state);

// Writes the settings and the window's host list to IPs.td in the working directory.
// Returns false after warning the user when it could not; the old file is then unchanged.
bool save_data_file_from(MainWindow& window, const Settings& settings);

} // namespace tindrel
