#pragma once

#include <string>
#include <string_view>

namespace tindrel {

// Reads from `fd` until end of file, appending to `out`; retries on EINTR.
// Returns false on a read error (what was read so far stays in `out`).
bool read_all(int fd, std::string& out);

// Writes all of `bytes` to `fd`, going on after short writes; retries on EINTR.
// Returns false on a write error, e.g. a full disk.
bool write_all(int fd, std::string_view bytes);

// Opens `path` with `flags` (and `mode` when creating), retrying on EINTR. Returns the
// descriptor, or -1 with errno set.
int open_retrying(const std::string& path, int flags, unsigned mode = 0666);

} // namespace tindrel
