#include "private_mount.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <string_view>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tindrel::testing_support {
namespace {

void write_text(const char* path, const std::string& text) {
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd >= 0) {
        [[maybe_unused]] const ssize_t ignored = write(fd, text.data(), text.size());
        close(fd);
    }
}

// Enters a new mount namespace: directly when we hold CAP_SYS_ADMIN, otherwise inside a
// new user namespace that maps us to root. Returns an error text, empty on success.
std::string enter_mount_namespace() {
    if (unshare(CLONE_NEWNS) == 0) {
        return {};
    }
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        return std::string("no mount namespace: ") + std::strerror(errno);
    }
    write_text("/proc/self/setgroups", "deny");
    write_text("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
    write_text("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
    return {};
}

std::string prepare_child(const std::string& folder, const std::string& options) {
    std::string error = enter_mount_namespace();
    if (!error.empty()) {
        return error;
    }
    // Keep our mounts from propagating back to the rest of the system.
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return std::string("cannot make mounts private: ") + std::strerror(errno);
    }
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        return std::string("cannot mount tmpfs: ") + std::strerror(errno);
    }
    return {};
}

void send_and_exit(int fd, char kind, const std::string& detail) {
    const std::string message = kind + detail;
    [[maybe_unused]] const ssize_t ignored = write(fd, message.data(), message.size());
    close(fd);
    _exit(0);
}

} // namespace

ChildOutcome run_with_private_tmpfs(const std::string& folder, const std::string& tmpfs_options,
                                    const std::function<std::string()>& scenario) {
    int pipe_fds[2];
    if (pipe2(pipe_fds, O_CLOEXEC) != 0) {
        return {ChildOutcome::Kind::Failed, "pipe failed"};
    }
    const pid_t child = fork();
    if (child < 0) {
        return {ChildOutcome::Kind::Failed, "fork failed"};
    }
    if (child == 0) {
        close(pipe_fds[0]);
        const std::string setup_error = prepare_child(folder, tmpfs_options);
        if (!setup_error.empty()) {
            send_and_exit(pipe_fds[1], 'S', setup_error);
        }
        const std::string failure = scenario();
        send_and_exit(pipe_fds[1], failure.empty() ? 'P' : 'F', failure);
    }
    close(pipe_fds[1]);
    std::string message;
    char buffer[512];
    ssize_t got;
    while ((got = read(pipe_fds[0], buffer, sizeof buffer)) != 0) {
        if (got > 0) {
            message.append(buffer, static_cast<size_t>(got));
        } else if (errno != EINTR) {
            break;
        }
    }
    close(pipe_fds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (message.empty() || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return {ChildOutcome::Kind::Failed,
                "child ended abnormally, status " + std::to_string(status)};
    }
    const std::string detail = message.substr(1);
    switch (message[0]) {
    case 'P':
        return {ChildOutcome::Kind::Passed, detail};
    case 'S':
        return {ChildOutcome::Kind::Skipped, detail};
    default:
        return {ChildOutcome::Kind::Failed, detail};
    }
}

} // namespace tindrel::testing_support
