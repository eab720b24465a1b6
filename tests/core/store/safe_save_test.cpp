#include "core/store/data_file.h"
#include "private_mount.h"
#include "store_test_support.h"

#include <fcntl.h>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tindrel {
namespace {

using testing_support::ChildOutcome;
using testing_support::kDefaultContent;
using testing_support::read_bytes;
using testing_support::run_with_private_tmpfs;
using testing_support::TempDir;
using testing_support::write_bytes;

const std::string kOldContent = kDefaultContent + "10.0.0.7\r\n@db\r\n";

// A list far larger than the space a full disk leaves, so that the write fails midway.
const std::vector<std::string> kLargeList(2000, "192.168.100.200");

std::vector<std::string> names_in(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Fills the file system holding `path` and then frees `spare` bytes again.
void fill_disk_leaving(const std::string& path, off_t spare) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::string chunk(4096, 'f');
    off_t size = 0;
    ssize_t put;
    while ((put = write(fd, chunk.data(), chunk.size())) > 0) {
        size += put;
    }
    [[maybe_unused]] const int ignored = ftruncate(fd, size > spare ? size - spare : 0);
    close(fd);
}

// Checks, inside the child, that a save failed and left the old file as it was.
std::string check_failed_save_kept(const TempDir& dir, const std::vector<std::string>& expected) {
    const std::string path = dir.file("IPs.td");
    if (save_data_file(path, Settings{}, kLargeList)) {
        return "the save reported success";
    }
    if (read_bytes(path) != kOldContent) {
        return "the old file changed";
    }
    if (names_in(dir.path()) != expected) {
        return "the folder holds other files than before: a temporary file was left";
    }
    return {};
}

void expect_passed(const ChildOutcome& outcome) {
    if (outcome.kind == ChildOutcome::Kind::Skipped) {
        GTEST_SKIP() << "needs a private mount namespace: " << outcome.detail;
    }
    EXPECT_TRUE(outcome.kind == ChildOutcome::Kind::Passed) << outcome.detail;
}

TEST(SafeSave, FullDiskFailsTheSaveAndKeepsTheOldFile) {
    TempDir dir;
    expect_passed(run_with_private_tmpfs(dir.path(), "size=16k", [&]() -> std::string {
        write_bytes(dir.file("IPs.td"), kOldContent);
        // One page free: the new content starts to go in, then the disk is full.
        fill_disk_leaving(dir.file("filler"), 4096);
        if (std::string failure = check_failed_save_kept(dir, {"IPs.td", "filler"});
            !failure.empty()) {
            return failure;
        }
        std::filesystem::remove(dir.file("filler"));
        if (!save_data_file(dir.file("IPs.td"), Settings{}, {"10.0.0.9"})) {
            return "a save with room to spare failed";
        }
        return read_bytes(dir.file("IPs.td")) == kDefaultContent + "10.0.0.9\r\n"
                   ? ""
                   : "the later save wrote other content";
    }));
}

TEST(SafeSave, ReadOnlyFileSystemFailsTheSaveAndKeepsTheOldFile) {
    TempDir dir;
    expect_passed(run_with_private_tmpfs(dir.path(), "size=64k", [&]() -> std::string {
        write_bytes(dir.file("IPs.td"), kOldContent);
        if (mount(nullptr, dir.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
            return "cannot remount read-only";
        }
        return check_failed_save_kept(dir, {"IPs.td"});
    }));
}

TEST(SafeSave, FailedRenameRemovesTheNewFile) {
    TempDir dir;
    // A folder that is not empty cannot be replaced by a file.
    std::filesystem::create_directories(dir.path() / "IPs.td" / "inside");
    EXPECT_FALSE(save_data_file(dir.file("IPs.td"), Settings{}, {"10.0.0.7"}));
    EXPECT_THAT(names_in(dir.path()), ::testing::ElementsAre("IPs.td"));
}

TEST(SafeSave, KeepsThePermissionsOfTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("IPs.td");
    write_bytes(path, kOldContent);
    ASSERT_EQ(chmod(path.c_str(), 0604), 0);
    ASSERT_TRUE(save_data_file(path, Settings{}, {}));
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
}

TEST(SafeSave, ALinkedFileStaysLinked) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "kept");
    const std::string real = dir.file("kept/list.td");
    write_bytes(real, kOldContent);
    std::filesystem::create_symlink(real, dir.path() / "IPs.td");

    ASSERT_TRUE(save_data_file(dir.file("IPs.td"), Settings{}, {"10.0.0.9"}));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "IPs.td"));
    EXPECT_EQ(read_bytes(real), kDefaultContent + "10.0.0.9\r\n");
    EXPECT_THAT(names_in(dir.path() / "kept"), ::testing::ElementsAre("list.td"));
}

} // namespace
} // namespace tindrel
