#pragma once

#include <functional>
#include <string>

namespace tindrel::testing_support {

struct ChildOutcome {
    enum class Kind { Passed, Failed, Skipped };
    Kind kind = Kind::Failed;
    std::string detail; // why it failed or was skipped
};

// Runs `scenario` in a child process with a mount namespace of its own, in which a tmpfs
// mounted with `tmpfs_options` (e.g. "size=16k") covers `folder`. Root bypasses folder
// modes, so a small or read-only mount is how a test makes the disk refuse a write. The
// scenario returns an empty text when all went as expected, else what went wrong. The mount
// disappears with the child. Skipped when the system allows no such namespace.
ChildOutcome run_with_private_tmpfs(const std::string& folder, const std::string& tmpfs_options,
                                    const std::function<std::string()>& scenario);

} // namespace tindrel::testing_support
