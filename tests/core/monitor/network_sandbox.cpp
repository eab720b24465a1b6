#include "network_sandbox.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <sched.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tindrel::testing {
namespace {

constexpr int kUnavailable = 77;
constexpr int kSetupFailed = 78;

bool write_file(const char* path, const std::string& text) {
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return ok;
}

void write_all(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        done += static_cast<size_t>(n);
    }
}

[[noreturn]] void finish(int result_fd, const std::string& text, int code) {
    write_all(result_fd, text);
    _exit(code);
}

// A privileged test unshares the network alone; otherwise a user namespace in which this
// user is root comes first and makes the network namespace its own.
bool enter_namespaces(std::string& why) {
    if (unshare(CLONE_NEWNET) == 0) {
        return true;
    }
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) {
        why = std::string("no network namespace here: ") + std::strerror(errno);
        return false;
    }
    if (!write_file("/proc/self/setgroups", "deny") ||
        !write_file("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !write_file("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
        why = "could not map this user into the new user namespace";
        return false;
    }
    return true;
}

int run_setup(const std::string& setup, int keep_alive_fd) {
    const pid_t shell = fork();
    if (shell == 0) {
        if (keep_alive_fd == 3) {
            fcntl(3, F_SETFD, 0); // dup2 onto itself would leave close-on-exec set
        } else {
            dup2(keep_alive_fd, 3);
        }
        setenv("PATH", "/usr/sbin:/sbin:/usr/bin:/bin", 1);
        const std::string script = "ip link set lo up\n" + setup;
        execl("/bin/sh", "sh", "-ec", script.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    while (waitpid(shell, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

} // namespace

SandboxResult run_in_network_sandbox(const std::string& setup,
                                     const std::function<std::string()>& body) {
    int result_pipe[2];
    if (pipe2(result_pipe, O_CLOEXEC) != 0) {
        return {false, "pipe failed"};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(result_pipe[0]);
        alarm(60); // a hung probe must not hang the suite
        std::string why;
        if (!enter_namespaces(why)) {
            finish(result_pipe[1], why, kUnavailable);
        }
        int keep_alive[2];
        if (pipe2(keep_alive, O_CLOEXEC) != 0) {
            finish(result_pipe[1], "pipe failed", kSetupFailed);
        }
        const int status = run_setup(setup, keep_alive[0]);
        if (status != 0) {
            finish(result_pipe[1], "setup script failed with status " + std::to_string(status),
                   kSetupFailed);
        }
        finish(result_pipe[1], body(), 0);
    }
    close(result_pipe[1]);
    std::string output;
    char buffer[512];
    for (;;) {
        const ssize_t n = read(result_pipe[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        output.append(buffer, static_cast<size_t>(n));
    }
    close(result_pipe[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == kUnavailable) {
        return {false, output};
    }
    if (!WIFEXITED(status)) {
        output += " (sandbox ended by signal " + std::to_string(WTERMSIG(status)) + ")";
    }
    return {true, output};
}

bool drop_raw_socket_capability() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0) {
        return false;
    }
    data[CAP_TO_INDEX(CAP_NET_RAW)].effective &= ~CAP_TO_MASK(CAP_NET_RAW);
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace tindrel::testing
