#include "core/store/data_file.h"
#include "store_test_support.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace tindrel {
namespace {

using testing_support::kDefaultContent;
using testing_support::read_bytes;
using testing_support::TempDir;
using testing_support::write_bytes;

class DataFile : public ::testing::Test {
protected:
    LoadOutcome load() { return load_data_file(path, settings, state, hosts); }

    TempDir dir;
    std::string path = dir.file("IPs.td");
    Settings settings;
    AppState state{.sound_available = 1};
    std::vector<std::string> hosts;
};

TEST_F(DataFile, MissingFileIsCreatedWithTheDefaults) {
    const LoadOutcome outcome = load();
    EXPECT_TRUE(outcome.file_was_missing);
    EXPECT_FALSE(outcome.open_failed);
    EXPECT_FALSE(outcome.mail_turned_off);
    EXPECT_EQ(read_bytes(path), kDefaultContent);
    EXPECT_EQ(settings, Settings{});
    EXPECT_TRUE(hosts.empty());
    EXPECT_EQ(state.smtp_configured, 0);
    EXPECT_EQ(state.modified, 0);
}

TEST_F(DataFile, EmptyFileReceivesTheDefaultsWithoutWarning) {
    write_bytes(path, "");
    const LoadOutcome outcome = load();
    EXPECT_FALSE(outcome.file_was_missing);
    EXPECT_FALSE(outcome.open_failed);
    EXPECT_EQ(read_bytes(path), kDefaultContent);
    EXPECT_EQ(settings, Settings{});
}

TEST_F(DataFile, LoadsSettingsAndAppendsHostsWithoutRewriting) {
    const std::string content = "10.0.0.7\n;port=2525\r\n;1recipient= ops@test \r@db\r\n";
    write_bytes(path, content);
    hosts = {"already listed"};
    const LoadOutcome outcome = load();
    EXPECT_FALSE(outcome.file_was_missing);
    EXPECT_EQ(settings.smtp_port, 2525);
    EXPECT_EQ(settings.recipient1, "ops@test");
    EXPECT_THAT(hosts, ::testing::ElementsAre("already listed", "10.0.0.7", "@db"));
    EXPECT_EQ(state.smtp_configured, 1);
    EXPECT_EQ(read_bytes(path), content);
}

TEST_F(DataFile, FileThatCannotBeOpenedIsFatal) {
    path = dir.file("no-such-folder/IPs.td");
    LoadOutcome outcome = load();
    EXPECT_TRUE(outcome.file_was_missing);
    EXPECT_TRUE(outcome.open_failed);

    // A folder in its place can be opened for reading but not for writing.
    path = dir.file("folder");
    std::filesystem::create_directory(path);
    outcome = load();
    EXPECT_FALSE(outcome.file_was_missing);
    EXPECT_TRUE(outcome.open_failed);
    EXPECT_FALSE(outcome.mail_turned_off);
}

struct MailCheckCase {
    std::string content;
    bool turned_off;
    int16_t send_email_after;
    uint8_t smtp_configured;
};

void PrintTo(const MailCheckCase& c, std::ostream* os) {
    *os << testing_support::quoted(c.content);
}

class MailCheck : public DataFile, public ::testing::WithParamInterface<MailCheckCase> {};

TEST_P(MailCheck, TurnsUnusableMailAlertsOffAndMarksTheListModified) {
    write_bytes(path, GetParam().content);
    const LoadOutcome outcome = load();
    EXPECT_EQ(outcome.mail_turned_off, GetParam().turned_off);
    EXPECT_EQ(settings.send_email, GetParam().send_email_after);
    EXPECT_EQ(state.smtp_configured, GetParam().smtp_configured);
    EXPECT_EQ(state.modified, GetParam().turned_off ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MailCheck,
    ::testing::Values(MailCheckCase{";send_email=1\r\n;smtp=relay\r\n", true, 0, 0},
                      MailCheckCase{";send_email=1\r\n;1recipient=   \r\n;2recipient= \r\n", true,
                                    0, 0},
                      MailCheckCase{";send_email=1\r\n;1recipient=a@b\r\n;port=0\r\n", true, 0, 0},
                      MailCheckCase{";send_email=1\r\n;2recipient=c@d\r\n", false, 1, 1},
                      // An empty server does not matter; a switch other than 1 is left as it is.
                      MailCheckCase{";send_email=0\r\n;1recipient=a@b\r\n", false, 0, 1},
                      MailCheckCase{";send_email=2\r\n", false, 2, 0}));

TEST_F(DataFile, NoSoundDeviceTurnsSoundOffSilently) {
    write_bytes(path, ";play_sound=2\r\n");
    state.sound_available = 0;
    const LoadOutcome outcome = load();
    EXPECT_EQ(settings.play_sound, 0);
    EXPECT_EQ(state.modified, 0);
    EXPECT_FALSE(outcome.mail_turned_off);

    Settings with_sound;
    AppState sound_state{.sound_available = 1};
    load_data_file(path, with_sound, sound_state, hosts);
    EXPECT_EQ(with_sound.play_sound, 2);
}

TEST_F(DataFile, SaveThenLoadGivesBackWhatWasSaved) {
    settings.scan_interval_ms = 60000;
    settings.send_email = 1;
    settings.smtp_server = " relay";
    settings.recipient1 = "a@b";
    const std::vector<std::string> saved_hosts = {"10.0.0.7", "", "@", "@db"};
    ASSERT_TRUE(save_data_file(path, settings, saved_hosts));

    Settings loaded;
    const LoadOutcome outcome = load_data_file(path, loaded, state, hosts);
    EXPECT_FALSE(outcome.file_was_missing);
    EXPECT_EQ(loaded, settings);
    EXPECT_EQ(hosts, saved_hosts);
}

TEST_F(DataFile, SaveReplacesTheWholeFile) {
    write_bytes(path, ";comment\r\n;SCAN_EVERY=5\r\nold\r\n" + std::string(10000, 'x'));
    ASSERT_TRUE(save_data_file(path, Settings{}, {"new"}));
    EXPECT_EQ(read_bytes(path), kDefaultContent + "new\r\n");
}

TEST(DataFilePath, IsTheWorkingDirectoryAtTheTimeOfTheCall) {
    TempDir dir;
    const std::string before = std::filesystem::current_path().string();
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    const std::string in_temp = data_file_path();
    ASSERT_EQ(chdir("/"), 0);
    const std::string in_root = data_file_path();
    ASSERT_EQ(chdir(before.c_str()), 0);

    EXPECT_EQ(in_temp, std::filesystem::canonical(dir.path()).string() + "/IPs.td");
    EXPECT_EQ(in_root, "/IPs.td");
}

} // namespace
} // namespace tindrel
