#include "core/monitor/scan_cycle.h"
#include "fake_beeper.h"
#include "fake_clock.h"
#include "fake_prober.h"
#include "fake_resolver.h"
#include "fake_scan_alerts.h"
#include "fake_scan_view.h"
#include "fake_sleeper.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace tindrel {
namespace {

using testing::CallJournal;
using testing::ipv4;

class ScanCycleTest : public ::testing::Test {
protected:
    ScanCycleTest() {
        clock.now = 5000;
        view.clock = &clock;
        view.journal = &journal;
        alerts.journal = &journal;
        beeper.clock = &clock;
        beeper.journal = &journal;
        sleeper.clock = &clock;
        prober.clock = &clock;
    }

    // Drives the scan as the front end's event loop does: sleep until the announced
    // deadline, fire the timer, ask again. Stops at tick `until` without firing there.
    void run_until(uint32_t until) {
        while (scan.running()) {
            const int32_t due = scan.ms_until_due();
            ASSERT_GE(due, 0);
            if (static_cast<int32_t>(clock.now + static_cast<uint32_t>(due) - until) > 0) {
                if (static_cast<int32_t>(until - clock.now) > 0) {
                    clock.now = until;
                }
                return;
            }
            clock.advance(static_cast<uint32_t>(due));
            const ScanState before = scan.state();
            scan.on_timer();
            // A wake-up that changes nothing must not be followed by another one at once,
            // or the driver would spin.
            if (scan.state() == before) {
                ASSERT_GT(scan.ms_until_due(), 0) << "spinning at tick " << clock.now;
            }
        }
    }

    void run_for(uint32_t ms) { run_until(clock.now + ms); }

    // Ticks at which probe steps began, read from the "Pinging : " titles.
    std::vector<uint32_t> probe_step_ticks() const {
        std::vector<uint32_t> ticks;
        for (const auto& [tick, title] : view.titles) {
            if (title.rfind("Pinging : ", 0) == 0) {
                ticks.push_back(tick);
            }
        }
        return ticks;
    }

    std::vector<std::string> titles_after(uint32_t tick) const {
        std::vector<std::string> texts;
        for (const auto& [at, title] : view.titles) {
            if (at > tick) {
                texts.push_back(title);
            }
        }
        return texts;
    }

    testing::FakeClock clock;
    testing::FakeProber prober;
    testing::FakeResolver resolver;
    testing::FakeScanView view;
    testing::FakeScanAlerts alerts;
    testing::FakeBeeper beeper;
    testing::FakeSleeper sleeper;
    CallJournal journal;
    Settings settings;
    AppState app_state;
    ScanCycle scan{settings, app_state,
                   ScanServices{clock, prober, resolver, view, alerts, beeper, sleeper}};
};

TEST_F(ScanCycleTest, StartLocksTheMenuShowsWaitingZeroThenProbesTheFirstEntryOneTickLater) {
    view.hosts = {"10.0.0.1", "10.0.0.2"};
    scan.start();
    EXPECT_EQ(view.start_stop_text, "Stop");
    EXPECT_FALSE(view.locked_items_enabled);
    ASSERT_EQ(view.titles.size(), 1u);
    EXPECT_EQ(view.titles[0], std::make_pair(5000u, std::string("Waiting... 0")));
    EXPECT_EQ(scan.state().countdown, -1);

    EXPECT_EQ(scan.ms_until_due(), 1);
    run_for(1);
    EXPECT_EQ(view.last_title(), "Pinging : 10.0.0.1");
    EXPECT_EQ(prober.probed, std::vector<uint32_t>{ipv4(10, 0, 0, 1)});
    EXPECT_EQ(sleeper.pauses, std::vector<int>{10});
}

TEST_F(ScanCycleTest, StepsKeepTheirSpacingWhateverAStepCosts) {
    view.hosts = {"10.0.0.1", "10.0.0.2", "10.0.0.3"};
    settings.scan_interval_ms = 0;
    prober.duration_ms = 1500; // a slow probe counts toward the two seconds
    scan.start();
    run_for(9000);
    const std::vector<uint32_t> expected = {5001, 7002, 9003, 11004, 13005};
    EXPECT_EQ(probe_step_ticks(), expected);
    const std::vector<uint32_t> order = {ipv4(10, 0, 0, 1), ipv4(10, 0, 0, 2), ipv4(10, 0, 0, 3),
                                         ipv4(10, 0, 0, 1), ipv4(10, 0, 0, 2)};
    EXPECT_EQ(prober.probed, order);
}

// One entry, so every step ends a pass: what the wait between passes shows, and when the
// next pass's step comes. The first step is at 5001 and ends at 5011 (the 10 ms pause).
struct PassWaitCase {
    int32_t interval_ms;
    std::vector<std::string> countdown_titles;
    uint32_t second_step_at;
};

void PrintTo(const PassWaitCase& c, std::ostream* os) { *os << c.interval_ms << " ms"; }

class PassWaitTest : public ScanCycleTest, public ::testing::WithParamInterface<PassWaitCase> {};

TEST_P(PassWaitTest, CountdownTextsAndNextPass) {
    const PassWaitCase& c = GetParam();
    view.hosts = {"10.0.0.1"};
    settings.scan_interval_ms = c.interval_ms;
    scan.start();
    run_for(1); // first step
    run_until(c.second_step_at + 1);
    const std::vector<uint32_t> steps = probe_step_ticks();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[1], c.second_step_at);

    std::vector<std::string> waits;
    for (const auto& title : titles_after(steps[0])) {
        if (title.rfind("Waiting... ", 0) == 0) {
            waits.push_back(title);
        }
    }
    EXPECT_EQ(waits, c.countdown_titles);
}

std::string interval_name(const ::testing::TestParamInfo<PassWaitCase>& info) {
    const int32_t ms = info.param.interval_ms;
    return (ms < 0 ? "Minus" + std::to_string(-ms) : std::to_string(ms)) + "ms";
}

INSTANTIATE_TEST_SUITE_P(
    Intervals, PassWaitTest,
    ::testing::Values(PassWaitCase{3000, {"Waiting... 3", "Waiting... 2"}, 8012},
                      PassWaitCase{1000, {}, 7002}, PassWaitCase{0, {}, 7002},
                      PassWaitCase{-4000, {}, 7002},
                      PassWaitCase{10000,
                                   {"Waiting... 10", "Waiting... 9", "Waiting... 8", "Waiting... 7",
                                    "Waiting... 6", "Waiting... 5", "Waiting... 4", "Waiting... 3",
                                    "Waiting... 2"},
                                   15012}),
    interval_name);

TEST_F(ScanCycleTest, CountdownUpdatesComeMoreThanASecondApart) {
    view.hosts = {"10.0.0.1"};
    settings.scan_interval_ms = 6000;
    scan.start();
    run_for(1);
    run_until(12000);
    std::vector<uint32_t> ticks;
    for (const auto& [tick, title] : view.titles) {
        if (tick > 5001 && title.rfind("Waiting... ", 0) == 0) {
            ticks.push_back(tick);
        }
    }
    ASSERT_EQ(ticks.size(), 5u); // 6 down to 2
    for (size_t i = 1; i < ticks.size(); ++i) {
        EXPECT_GT(ticks[i] - ticks[i - 1], 1000u);
    }
}

TEST_F(ScanCycleTest, EmptyListLogsHostUnknownOncePerPass) {
    settings.scan_interval_ms = 3000;
    scan.start();
    run_for(3 * 3011);
    EXPECT_EQ(view.log, std::vector<std::string>(3, "Host unknown : "));
    EXPECT_EQ(probe_step_ticks(), (std::vector<uint32_t>{5001, 8012, 11023}));
    EXPECT_TRUE(prober.probed.empty());
    EXPECT_EQ(view.titles[1].second, "Pinging : ");
}

TEST_F(ScanCycleTest, FailureLineCarriesEntryDateAndTime) {
    view.hosts = {"10.0.0.7"};
    prober.silent = {ipv4(10, 0, 0, 7)};
    clock.local = LocalTime{2012, 3, 5, 9, 4, 31};
    scan.start();
    run_for(1);
    EXPECT_EQ(view.log, std::vector<std::string>{"10.0.0.7 (05/03/2012 - 09:04)"});
}

// What each kind of entry puts in the progress title, the log and the mail.
TEST_F(ScanCycleTest, EntriesAsTheyAppearInTitlesLogAndMail) {
    view.hosts = {"@silent.lan", "@nowhere.lan", "@up.lan", "10.0.0.9", "0.0.0.0"};
    resolver.known = {{"silent.lan", ipv4(10, 0, 0, 5)}, {"up.lan", ipv4(10, 0, 0, 6)}};
    prober.silent = {ipv4(10, 0, 0, 5)};
    clock.local = LocalTime{1999, 12, 31, 23, 59, 0};
    app_state.smtp_configured = 1;
    settings.send_email = 1;
    settings.scan_interval_ms = 0;
    scan.start();
    run_for(5 * 2001);

    const std::vector<std::string> titles = {"Pinging : @silent.lan", "Pinging : @nowhere.lan",
                                             "Pinging : @up.lan", "Pinging : 10.0.0.9",
                                             "Pinging : 0.0.0.0"};
    EXPECT_EQ(titles_after(5000), titles);
    const std::vector<std::string> log = {"@silent.lan (31/12/1999 - 23:59)", ">>>>> EMAIL SENT !",
                                          "Host unknown : nowhere.lan", "Host unknown : 0.0"};
    EXPECT_EQ(view.log, log);
    EXPECT_EQ(alerts.mails, std::vector<std::string>{"@silent.lan not responding !!!"});
    EXPECT_EQ(prober.probed,
              (std::vector<uint32_t>{ipv4(10, 0, 0, 5), ipv4(10, 0, 0, 6), ipv4(10, 0, 0, 9)}));
}

// Sound needs a device and play_sound exactly 1; mail needs SMTP settings and send_email
// exactly 1. The mail line follows the failure line and the sound.
struct AlertCase {
    const char* name;
    int16_t sound_available;
    int16_t play_sound;
    uint8_t smtp_configured;
    int16_t send_email;
    int mail_result;
    std::vector<std::string> calls;
};

void PrintTo(const AlertCase& c, std::ostream* os) { *os << c.name; }

class AlertTest : public ScanCycleTest, public ::testing::WithParamInterface<AlertCase> {};

TEST_P(AlertTest, RaisedOnlyWhenSwitchedOnAndAvailable) {
    const AlertCase& c = GetParam();
    app_state.sound_available = c.sound_available;
    settings.play_sound = c.play_sound;
    app_state.smtp_configured = c.smtp_configured;
    settings.send_email = c.send_email;
    alerts.mail_result = c.mail_result;
    view.hosts = {"10.0.0.7"};
    prober.silent = {ipv4(10, 0, 0, 7)};
    scan.start();
    run_for(1);
    std::vector<std::string> calls;
    for (const auto& call : journal.calls) {
        if (call.rfind("log", 0) == 0 || call == "sound" || call.rfind("mail", 0) == 0) {
            calls.push_back(call);
        }
    }
    EXPECT_EQ(calls, c.calls);
}

const std::string kFailure = "log 10.0.0.7 (01/01/1970 - 00:00)";
const std::string kMail = "mail 10.0.0.7 not responding !!!";

INSTANTIATE_TEST_SUITE_P(
    Switches, AlertTest,
    ::testing::Values(
        AlertCase{"BothSent", 1, 1, 1, 1, -3, {kFailure, "sound", kMail, "log >>>>> EMAIL SENT !"}},
        AlertCase{"MailRefused",
                  1,
                  1,
                  1,
                  1,
                  0,
                  {kFailure, "sound", kMail, "log >>>>> PROBLEM SENDING EMAIL !"}},
        AlertCase{"MailFailed",
                  1,
                  1,
                  1,
                  1,
                  -1,
                  {kFailure, "sound", kMail, "log >>>>> PROBLEM SENDING EMAIL !"}},
        AlertCase{"NoDeviceNoSmtp", 0, 1, 0, 1, -3, {kFailure}},
        AlertCase{"SwitchesAtTwo", 1, 2, 1, 2, -3, {kFailure}},
        AlertCase{"SwitchesOff", 1, 0, 1, 0, -3, {kFailure}},
        AlertCase{"SoundOnly", 1, 1, 0, 0, -3, {kFailure, "sound"}},
        AlertCase{"MailOnly", 0, 0, 1, 1, -3, {kFailure, kMail, "log >>>>> EMAIL SENT !"}}),
    [](const ::testing::TestParamInfo<AlertCase>& info) { return std::string(info.param.name); });

TEST_F(ScanCycleTest, LogLimitTrimsOneLinePerFailureSoMailLinesGrowTheLog) {
    view.hosts = {"10.0.0.7"};
    prober.silent = {ipv4(10, 0, 0, 7)};
    settings.scan_interval_ms = 0;
    clock.local.minute = 0;

    // Failures alone: the log stops at the limit, dropping the oldest line.
    view.log = {"oldest"};
    scan.start();
    run_for(110 * 2001);
    EXPECT_EQ(view.log.size(), 100u);
    EXPECT_EQ(view.log.front(), "10.0.0.7 (01/01/1970 - 00:00)");
    scan.on_stop();

    // With a mail line after each failure, a failure adds two lines and removes one.
    view.log.clear();
    app_state.smtp_configured = 1;
    settings.send_email = 1;
    scan.start();
    run_for(60 * 2001);
    EXPECT_EQ(view.log.size(), 110u); // 2 per failure up to 100 lines, then 1 per failure
    EXPECT_EQ(view.log.back(), ">>>>> EMAIL SENT !");
}

TEST_F(ScanCycleTest, HostUnknownLinesAreNeverTrimmed) {
    app_state.log_limit = 2;
    settings.scan_interval_ms = 0;
    scan.start();
    run_for(5 * 2001);
    EXPECT_EQ(view.log.size(), 5u);
}

TEST_F(ScanCycleTest, StopDuringTheWaitEndsAtOnceAndKeepsTheTitle) {
    view.hosts = {"10.0.0.1"};
    settings.scan_interval_ms = 10000;
    scan.start();
    run_until(8014); // just after an update: the beeps end well before the next one
    const std::string title = view.last_title();
    ASSERT_EQ(title, "Waiting... 8");
    const size_t probes = prober.probed.size();

    scan.on_stop();
    EXPECT_FALSE(scan.running());
    EXPECT_EQ(view.last_title(), title);
    EXPECT_EQ(view.start_stop_text, "Start");
    EXPECT_TRUE(view.locked_items_enabled);
    EXPECT_EQ(beeper.beeps, (std::vector<std::pair<int, int>>{{2000, 100}, {1000, 100}}));
    EXPECT_EQ(prober.probed.size(), probes);
    EXPECT_EQ(scan.ms_until_due(), -1);
    scan.on_timer(); // a stray timer after the end does nothing
    EXPECT_EQ(prober.probed.size(), probes);
}

TEST_F(ScanCycleTest, StopWhileAStepIsDueRunsThatStepAfterTheBeeps) {
    view.hosts = {"10.0.0.1", "10.0.0.2"};
    settings.scan_interval_ms = 0;
    scan.start();
    run_for(1);
    clock.advance(2001); // the second step is due now
    journal.calls.clear();
    scan.on_stop();
    const std::vector<std::string> expected = {"label Start", "items enabled", "beep 2000 100",
                                               "beep 1000 100", "title Pinging : 10.0.0.2"};
    EXPECT_EQ(journal.calls, expected);
    EXPECT_EQ(prober.probed.back(), ipv4(10, 0, 0, 2));
    EXPECT_FALSE(scan.running());
}

TEST_F(ScanCycleTest, CleanListEmptiesTheLogAndTheScanGoesOn) {
    settings.scan_interval_ms = 0;
    scan.start();
    run_for(2 * 2001);
    ASSERT_EQ(view.log.size(), 2u);
    scan.on_clean_list();
    EXPECT_TRUE(view.log.empty());
    EXPECT_TRUE(scan.running());
    run_for(2001);
    EXPECT_EQ(view.log.size(), 1u);
}

TEST_F(ScanCycleTest, MinimisedWindowSkipsCountdownTitlesButTheCountGoesOn) {
    view.hosts = {"10.0.0.1"};
    settings.scan_interval_ms = 10000;
    scan.start();
    run_for(1);
    run_until(6012); // first countdown update, at 6012
    ASSERT_EQ(view.last_title(), "Waiting... 10");
    view.minimised = true;
    run_until(9500); // three updates pass unseen
    EXPECT_EQ(view.last_title(), "Waiting... 10");
    view.minimised = false;
    run_until(10100);
    EXPECT_EQ(view.last_title(), "Waiting... 6");
}

TEST_F(ScanCycleTest, RestartBeginsAfreshAtTheFirstEntry) {
    view.hosts = {"10.0.0.1", "10.0.0.2", "10.0.0.3"};
    scan.start();
    run_for(2002);
    scan.on_stop();
    ASSERT_EQ(prober.probed.size(), 2u);
    clock.advance(100);
    scan.start();
    run_for(1);
    EXPECT_EQ(prober.probed.back(), ipv4(10, 0, 0, 1));
    EXPECT_EQ(scan.state().current_index, 1);
}

// Ticks compare as signed 32-bit values: a deadline that lands past 2^31 while the clock is
// still below it reads as negative, hence as past, and the wait then running ends at once.
// The deadlines set after it keep their length, so no burst of steps or countdown follows.
TEST_F(ScanCycleTest, DeadlinesThatCross2To31EndTheirWaitAtOnce) {
    view.hosts = {"10.0.0.1", "10.0.0.2"};
    settings.scan_interval_ms = 10000;
    clock.now = 0x7ffffa00u;
    scan.start();
    run_for(1); // this step sets the next one past 2^31
    EXPECT_EQ(scan.ms_until_due(), 0);

    run_until(0x80000000u + 30000);
    const std::vector<uint32_t> steps = probe_step_ticks();
    ASSERT_GE(steps.size(), 4u);
    EXPECT_EQ(steps[1] - steps[0], 10u); // only the pause after the step lies between them
    // Once the clock has crossed too, waits keep their length again.
    for (size_t i = 1; i < steps.size(); ++i) {
        if (static_cast<int32_t>(steps[i - 1]) < -10) {
            EXPECT_GT(steps[i] - steps[i - 1], 2000u) << "step " << i;
        }
    }
    EXPECT_LT(static_cast<int32_t>(steps.back()), 0);
    uint32_t previous_countdown = 0;
    for (const auto& [tick, title] : view.titles) {
        if (tick > steps[0] && title.rfind("Waiting... ", 0) == 0) {
            if (previous_countdown != 0) {
                EXPECT_GT(tick - previous_countdown, 1000u) << title;
            }
            previous_countdown = tick;
        }
    }
}

// The other side of the crossing: a deadline set just below 2^31 and checked only after it
// (a slow probe or mail) must count as past, or the scan would wait about 49 days.
TEST_F(ScanCycleTest, ADeadlineBelow2To31CheckedAfterItIsPast) {
    view.hosts = {"10.0.0.1", "10.0.0.2"};
    settings.scan_interval_ms = 0;
    clock.now = 0x7fffffffu - 2000 - 31; // the first step's successor is due just below 2^31
    prober.duration_ms = 2050;           // and that step ends just above it
    scan.start();
    run_for(1);
    ASSERT_GT(clock.now, 0x80000000u);
    run_for(500);
    EXPECT_EQ(prober.probed.size(), 2u);
}

} // namespace
} // namespace tindrel
