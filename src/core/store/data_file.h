#pragma once

#include "core/store/app_state.h"
#include "core/store/settings.h"

#include <string>
#include <vector>

namespace tindrel {

inline constexpr const char* kDataFileName = "IPs.td";

// The data file's path: the current working directory joined with "IPs.td".
// Returns an empty string when the working directory cannot be read.
std::string data_file_path();

// What a load met, in the order the user must be told of it.
struct LoadOutcome {
    bool file_was_missing = false; // the not-found warning is due (the file exists by now)
    bool open_failed = false;      // fatal: the file could not be opened, created or read
    bool mail_turned_off = false;  // "Incorrect SMTP settings !" is due
};

// Loads the data file at `path` into `settings` (which must hold the defaults) and appends
// its host lines to `hosts`; applies the mail and sound checks to `settings` and `state`.
// A missing or empty file receives the seven default lines. On open_failed nothing else
// has been read and the caller ends the program: a read error counts too, since going on
// with part of the list would lose the rest at the next save.
LoadOutcome load_data_file(const std::string& path, Settings& settings, AppState& state,
                           std::vector<std::string>& hosts);

// Writes the settings and the host list to `path`. The old file stays intact until the
// new content is complete on disk. Returns false on any open, write, flush or rename error.
bool save_data_file(const std::string& path, const Settings& settings,
                    const std::vector<std::string>& hosts);

} // namespace tindrel
