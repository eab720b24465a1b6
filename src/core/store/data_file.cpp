#include "core/store/data_file.h"

#include "core/store/data_file_format.h"
#include "core/store/file_io.h"
#include "core/store/file_replacement.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace tindrel {
namespace {

void close_quietly(int fd) {
    // Linux releases the descriptor even when close reports EINTR, so it is not retried.
    close(fd);
}

// Turns mail alerts off when the SMTP settings cannot be used, and sound alerts off when
// there is no sound device. Returns true when the mail switch was turned off.
bool apply_load_checks(Settings& settings, AppState& state) {
    bool mail_turned_off = false;
    state.smtp_configured = is_smtp_configured(settings) ? 1 : 0;
    if (state.smtp_configured == 0 && settings.send_email == 1) {
        settings.send_email = 0;
        state.modified = 1;
        mail_turned_off = true;
    }
    if (state.sound_available == 0) {
        settings.play_sound = 0;
    }
    return mail_turned_off;
}

} // namespace

std::string data_file_path() {
    std::string dir(PATH_MAX, '\0');
    // Grow the buffer until the working directory fits: no length limit on the path.
    while (getcwd(dir.data(), dir.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        dir.resize(dir.size() * 2);
    }
    dir.resize(dir.find('\0'));
    if (dir.empty() || dir.back() != '/') {
        dir.push_back('/');
    }
    return dir + kDataFileName;
}

// The file is only held open inside this call. Linux has no share mode, so another process
// may write the file meanwhile; we read it in one go to keep that window short.
LoadOutcome load_data_file(const std::string& path, Settings& settings, AppState& state,
                           std::vector<std::string>& hosts) {
    LoadOutcome outcome;
    const int probe = open_retrying(path, O_RDONLY);
    if (probe < 0) {
        outcome.file_was_missing = true;
    } else {
        close_quietly(probe);
    }

    const int fd = open_retrying(path, O_RDWR | O_CREAT);
    if (fd < 0) {
        outcome.open_failed = true;
        return outcome;
    }
    std::string bytes;
    if (!read_all(fd, bytes)) {
        // Going on with part of the list would lose the rest at the next save.
        close_quietly(fd);
        outcome.open_failed = true;
        return outcome;
    }
    if (bytes.empty()) {
        // The defaults already hold these values, so nothing is read back. Should the write
        // fail, the next save reports it.
        write_all(fd, format_data_file(Settings{}, {}));
    } else {
        parse_data_file(bytes, settings, hosts);
    }
    close_quietly(fd);

    outcome.mail_turned_off = apply_load_checks(settings, state);
    return outcome;
}

bool save_data_file(const std::string& path, const Settings& settings,
                    const std::vector<std::string>& hosts) {
    return replace_file(path, format_data_file(settings, hosts));
}

} // namespace tindrel
