#pragma once

#include <string>
#include <string_view>

namespace tindrel {

// Replaces the file at `path` with `contents` so that it never holds a partial write: the
// bytes go to a new file in the same folder, reach the disk (fsync), and are then renamed
// over `path`. An existing file keeps its permission bits; a symbolic link at `path` stays
// a link and its target is replaced. Returns false on any open, write, fsync, close or
// rename error; the old file is then untouched and the new one removed.
bool replace_file(const std::string& path, std::string_view contents);

} // namespace tindrel
