#include "core/store/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tindrel {

bool read_all(int fd, std::string& out) {
    struct stat info {};
    if (fstat(fd, &info) == 0 && info.st_size > 0) {
        out.reserve(out.size() + static_cast<size_t>(info.st_size));
    }
    // The size is only a hint: the loop reads until the end whatever it turns out to be.
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) {
            out.append(buffer, static_cast<size_t>(got));
        } else if (got == 0) {
            return true;
        } else if (errno != EINTR) {
            return false;
        }
    }
}

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = write(fd, bytes.data(), bytes.size());
        if (put > 0) {
            bytes.remove_prefix(static_cast<size_t>(put));
        } else if (put == 0 || errno != EINTR) {
            return false; // a regular file never takes zero bytes unless something is wrong
        }
    }
    return true;
}

int open_retrying(const std::string& path, int flags, unsigned mode) {
    int fd;
    do {
        fd = open(path.c_str(), flags | O_CLOEXEC, static_cast<mode_t>(mode));
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace tindrel
