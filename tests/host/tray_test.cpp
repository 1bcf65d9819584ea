#include "fakes/fake_launcher_host.h"
#include "iconwin/chain_presence.h"
#include "iconwin/tray.h"
#include "iconwin/tray_presence.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

class RecordingOpener : public SettingsWindowOpener {
  public:
    explicit RecordingOpener(std::vector<std::string>& log) : log_(log) {}
    void showSettingsWindow() override { log_.push_back("showSettings"); }
    void bringSettingsWindowForward() override { log_.push_back("bringForward"); }

  private:
    std::vector<std::string>& log_;
};

class TrayClickTest : public ::testing::Test {
  protected:
    void message(int x) { Picture1_MouseMove(state, host, opener, x); }

    LauncherState state;
    std::vector<std::string> log;
    FakeLauncherHost host{&log};
    RecordingOpener opener{log};
};

TEST_F(TrayClickTest, APressOrAChoiceFromTheKeyboardHidesTheIconWindowsThenOpensTheSettings) {
    // Left and right press; NIN_SELECT, NIN_KEYSELECT and WM_CONTEXTMENU.
    for (const int press : {0x201, 0x204, 0x400, 0x401, 0x7B}) {
        state.blnSettingsOpen = false;
        log.clear();
        message(press);
        EXPECT_TRUE(state.blnSettingsOpen) << press;
        EXPECT_EQ(log, (std::vector<std::string>{"hideIconWindows", "showSettings"})) << press;
    }
}

TEST_F(TrayClickTest, ReleasesDoubleClicksAndMovesDoNothing) {
    for (const int x : {0x200, 0x202, 0x203, 0x205, 0x206, 0x207, 0, 0x201 + 0x10000}) {
        message(x);
        EXPECT_FALSE(state.blnSettingsOpen) << x;
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(TrayClickTest, APressWhileTheSettingsAreOpenBringsThemForwardAndOpensNoSecond) {
    message(0x201);
    log.clear();
    message(0x201);
    message(0x202);
    message(0x204);
    EXPECT_EQ(log, (std::vector<std::string>{"bringForward", "bringForward"}));
    EXPECT_TRUE(state.blnSettingsOpen);
}

// The pause key, the session and the settings window each keep the chain away; only the
// key hides it for good, and only nobody at the session stops the look for items too.
TEST_F(TrayClickTest, ThePausedChainStaysAwayThroughTheSettingsWindowAndTheSession) {
    ChainPresence presence(state);
    presence.togglePause();
    EXPECT_FALSE(presence.timerRuns() || presence.chainShows() || presence.looksForItems());
    message(0x201); // the tray still opens the settings window
    EXPECT_EQ(log, (std::vector<std::string>{"hideIconWindows", "showSettings"}));
    state.blnSettingsOpen = false; // its OK or Cancel
    EXPECT_FALSE(presence.timerRuns() || presence.chainShows());
    presence.togglePause();
    EXPECT_TRUE(presence.timerRuns() && presence.chainShows() && presence.looksForItems());

    message(0x201); // open, unpaused: hidden but ticking, the look waits for the closing
    EXPECT_TRUE(presence.timerRuns());
    EXPECT_FALSE(presence.chainShows() || presence.looksForItems());
    state.blnSettingsOpen = false;

    // Locked, the display off and on meanwhile: away until the unlock, left in place.
    presence.setAway(AwayReason::Locked, true);
    presence.setAway(AwayReason::DisplayOff, true);
    presence.setAway(AwayReason::DisplayOff, false);
    EXPECT_FALSE(presence.timerRuns() || presence.looksForItems());
    EXPECT_TRUE(presence.chainShows());
    presence.setAway(AwayReason::Locked, false);
    EXPECT_TRUE(presence.timerRuns() && presence.looksForItems());

    // Back while paused: nothing starts.
    presence.togglePause();
    presence.setAway(AwayReason::Disconnected, true);
    presence.setAway(AwayReason::Disconnected, false);
    EXPECT_FALSE(presence.timerRuns() || presence.chainShows());
}

class ScriptedShell : public TrayShell {
  public:
    // Answers for the coming add and modify calls; true once a queue is empty.
    std::vector<bool> addAnswers;
    std::vector<bool> modifyAnswers;
    std::vector<std::string> calls;

    bool addIcon() override { return answer(addAnswers, "add"); }
    bool modifyIcon() override { return answer(modifyAnswers, "modify"); }
    void deleteIcon() override { calls.push_back("delete"); }

  private:
    bool answer(std::vector<bool>& queue, const char* call) {
        calls.push_back(call);
        if (queue.empty()) {
            return true;
        }
        const bool result = queue.front();
        queue.erase(queue.begin());
        return result;
    }
};

TEST(TrayPresence, AFailedAddIsRetriedUntilItSucceeds) {
    ScriptedShell shell;
    shell.addAnswers = {false, false, false};
    TrayPresence tray(shell);
    EXPECT_TRUE(tray.AddTrayIcon());
    EXPECT_TRUE(tray.retryAdd());
    EXPECT_TRUE(tray.retryAdd());
    EXPECT_FALSE(tray.retryAdd());
    EXPECT_TRUE(tray.shown());
    EXPECT_FALSE(tray.retryAdd());
    EXPECT_EQ(shell.calls.size(), 4u);

    ScriptedShell fine;
    TrayPresence first(fine);
    EXPECT_FALSE(first.AddTrayIcon());
    EXPECT_FALSE(first.retryAdd());
    EXPECT_EQ(fine.calls, (std::vector<std::string>{"add"}));
}

TEST(TrayPresence, RetriesEndAfterTheirLimit) {
    ScriptedShell shell;
    shell.addAnswers.assign(100, false);
    TrayPresence tray(shell);
    ASSERT_TRUE(tray.AddTrayIcon());
    int retries = 0;
    while (tray.retryAdd()) {
        ++retries;
        ASSERT_LT(retries, 100);
    }
    EXPECT_EQ(shell.calls.size(), 1u + TrayPresence::kRetries);
    EXPECT_FALSE(tray.shown());
}

TEST(TrayPresence, ANewTaskbarGetsTheIconBackUntilItIsDeleted) {
    ScriptedShell shell;
    TrayPresence tray(shell);
    EXPECT_FALSE(tray.onTaskbarCreated()); // not added yet: nothing to restore
    EXPECT_TRUE(shell.calls.empty());

    tray.AddTrayIcon();
    shell.calls.clear();
    EXPECT_FALSE(tray.onTaskbarCreated());
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"add"}));

    // The icon is still there (the add is refused but a modify works).
    shell.calls.clear();
    shell.addAnswers = {false};
    EXPECT_FALSE(tray.onTaskbarCreated());
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"add", "modify"}));
    EXPECT_TRUE(tray.shown());

    // A shell that is not ready yet: retries take over.
    shell.addAnswers = {false};
    shell.modifyAnswers = {false};
    EXPECT_TRUE(tray.onTaskbarCreated());
    EXPECT_FALSE(tray.retryAdd());
    EXPECT_TRUE(tray.shown());

    shell.calls.clear();
    tray.DeleteTrayIcon();
    EXPECT_FALSE(tray.onTaskbarCreated());
    EXPECT_FALSE(tray.retryAdd());
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"delete"}));
    EXPECT_FALSE(tray.shown());
}

TEST(TrayPresence, DeleteDuringRetriesStopsThem) {
    ScriptedShell shell;
    shell.addAnswers = {false};
    TrayPresence tray(shell);
    ASSERT_TRUE(tray.AddTrayIcon());
    tray.DeleteTrayIcon();
    EXPECT_FALSE(tray.retryAdd());
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"add", "delete"}));
}

} // namespace
} // namespace miruteka
