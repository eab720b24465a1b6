#include "core/store/file_replacement.h"

#include "core/store/file_io.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace tindrel {
namespace {

// The file a save must replace: the target of a symbolic link rather than the link, so that
// a list kept elsewhere and linked into the working directory stays where it is.
std::string file_to_replace(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    // A dangling link is replaced itself, as there is no file behind it to keep.
    const std::unique_ptr<char, decltype(&free)> resolved(realpath(path.c_str(), nullptr), &free);
    return resolved ? std::string(resolved.get()) : path;
}

// Creates a new, empty file beside `target`; O_EXCL guarantees it is ours alone. The mode
// 0666 lets the umask decide the permissions of a file that did not exist before.
int create_temporary(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target + ".tmp." + std::to_string(getpid()) + "." + std::to_string(counter++);
        const int fd = open_retrying(temporary, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool sync_retrying(int fd) {
    int result;
    do {
        result = fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

// Makes the rename itself durable. Best effort: the new content is already in place.
void sync_folder_of(const std::string& target) {
    const size_t slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    const int fd = open_retrying(folder, O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        sync_retrying(fd);
        close(fd);
    }
}

} // namespace

bool replace_file(const std::string& path, std::string_view contents) {
    const std::string target = file_to_replace(path);
    std::string temporary;
    const int fd = create_temporary(target, temporary);
    if (fd < 0) {
        return false;
    }
    struct stat old {};
    if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        // Not worth failing the save over: the content matters more than its mode.
        fchmod(fd, old.st_mode & 07777);
    }
    bool saved = write_all(fd, contents) && sync_retrying(fd);
    // close is not retried: Linux frees the descriptor even when it reports EINTR.
    saved = close(fd) == 0 && saved;
    saved = saved && rename(temporary.c_str(), target.c_str()) == 0;
    if (!saved) {
        unlink(temporary.c_str());
        return false;
    }
    sync_folder_of(target);
    return true;
}

} // namespace tindrel
