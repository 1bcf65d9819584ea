#include "iconwin/icon_input.h"

#include "fakes/fake_pointer_input.h"
#include "fakes/fake_process_api.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

namespace miruteka {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records what the input asked of the windows; the popup "stays open" while onPopup runs.
class RecordingWindows : public IconInputWindows {
  public:
    void showPopupModally(int group) override {
        calls.push_back("popup " + std::to_string(group));
        if (onPopup) {
            onPopup();
        }
    }
    void hideIconWindow(int group) override { calls.push_back("hide " + std::to_string(group)); }

    std::vector<std::string> calls;
    std::function<void()> onPopup;
};

class IconInputTest : public ::testing::Test {
  protected:
    IconInputTest() {
        setItem(2, 0, "C:\\tools\\edit.exe");
        setItem(2, 3, "C:\\Program Files\\viewer.exe");
        processes.addFound("C:\\tools\\edit.exe");
        processes.addFound("C:\\Program Files\\viewer.exe");
    }

    void setItem(int group, int slot, std::string path) {
        state.items.strItemName[itemIndex(group, slot)] = "item";
        state.items.strItemPath[itemIndex(group, slot)] = std::move(path);
    }

    LauncherState state;
    FakePointerInput pointer;
    FakeProcessApi processes;
    RecordingWindows windows;
    FakeBackgroundWork work;
    ItemStarter starter{work, borrowed(processes)};
    IconInput input{state, pointer, starter, windows};
};

TEST_F(IconInputTest, MovesAndDragsLockTheChainAtThePointerTheyLastSaw) {
    pointer.position = {300, 200};
    input.IC_MouseMove(1);
    EXPECT_TRUE(state.blnMouseOnIcon);
    EXPECT_EQ(state.lngMouseX, 300);
    EXPECT_EQ(state.lngMouseY, 200);

    state.blnMouseOnIcon = false;
    pointer.position = {-40, 1500};
    input.IC_OLEDragOver(4);
    EXPECT_TRUE(state.blnMouseOnIcon);
    EXPECT_EQ(state.lngMouseX, -40);
    EXPECT_EQ(state.lngMouseY, 1500);

    state.blnMouseOnIcon = false;
    pointer.positionReadable = false; // a locked workstation
    input.IC_MouseMove(1);
    EXPECT_FALSE(state.blnMouseOnIcon);
    EXPECT_THAT(processes.starts, IsEmpty());
}

TEST_F(IconInputTest, LeftPressStartsTheGroupsShownItemWhenItHasAPath) {
    input.IC_MouseDown(2, 1);
    state.intShownItem[1] = 3;
    state.blnMouseOnIcon = true; // locks do not matter to a left press
    state.intOpenGroup = 1;
    input.IC_MouseDown(2, 1);
    state.intShownItem[1] = 5; // empty slot
    input.IC_MouseDown(2, 1);
    input.IC_MouseDown(1, 1); // group 1 has nothing
    state.intShownItem[1] = 0;
    input.IC_MouseDown(2, 1, kShiftMask);
    input.IC_MouseDown(2, 1, kShiftMask | kCtrlMask);

    EXPECT_THAT(processes.startedLines(),
                ElementsAre("C:\\tools\\edit.exe", "C:\\Program Files\\viewer.exe",
                            "C:\\tools\\edit.exe", "C:\\tools\\edit.exe"));
    ASSERT_EQ(processes.starts.size(), 4u);
    EXPECT_EQ(processes.starts[0].show, 1);
    EXPECT_EQ(processes.starts[0].owner, 0u);
    EXPECT_FALSE(processes.starts[0].wantProcess);
    EXPECT_EQ(processes.starts[2].verb, "open");
    EXPECT_EQ(processes.starts[3].verb, "runas");
    // Each start may take the foreground: the right is passed on before it.
    EXPECT_THAT(processes.foregroundPasses, ElementsAre(0, 1, 2, 3));
}

TEST_F(IconInputTest, RightPressOpensThePopupForItsGroupOnlyWhenNoneIsOpen) {
    int groupSeenByPopup = 0;
    windows.onPopup = [&] {
        groupSeenByPopup = state.intOpenGroup;
        // A second right press while the popup is open is ignored.
        input.IC_MouseDown(1, 2);
    };
    input.IC_MouseDown(3, 2);

    EXPECT_EQ(groupSeenByPopup, 3);
    EXPECT_THAT(windows.calls, ElementsAre("popup 3"));
    // Only the motion timer's watch clears the group again.
    EXPECT_EQ(state.intOpenGroup, 3);
    input.IC_MouseDown(2, 2);
    EXPECT_THAT(windows.calls, ElementsAre("popup 3"));

    state.intOpenGroup = 0;
    input.IC_MouseDown(2, 2);
    EXPECT_THAT(windows.calls, ElementsAre("popup 3", "popup 2"));
}

TEST_F(IconInputTest, MiddlePressHidesItsOwnWindowOtherButtonsDoNothing) {
    input.IC_MouseDown(2, 4);
    for (int button : {0, 3, 5, 6, 8}) {
        input.IC_MouseDown(2, button);
    }
    EXPECT_THAT(windows.calls, ElementsAre("hide 2"));
    EXPECT_THAT(processes.starts, IsEmpty());
    EXPECT_EQ(state.intOpenGroup, 0);
}

TEST_F(IconInputTest, DropsOpenEachFileWithTheShownItemQuotingPathsWithBlanks) {
    input.IC_OLEDragDrop(2, {"C:\\a.txt", "C:\\b c.txt", "C:\\My Files\\x --delete.txt"});

    // The program is found before the first blank; the file arrives as one argument.
    const auto shell = processes.shellStarts();
    ASSERT_EQ(shell.size(), 3u);
    EXPECT_EQ(shell[0].file, "C:\\tools\\edit.exe");
    EXPECT_EQ(shell[0].parameters, "C:\\a.txt");
    EXPECT_EQ(shell[1].file, "C:\\tools\\edit.exe");
    EXPECT_EQ(shell[1].parameters, "\"C:\\b c.txt\"");
    EXPECT_EQ(shell[2].parameters, "\"C:\\My Files\\x --delete.txt\"");

    // A program whose own path has blanks still splits before the file.
    processes.starts.clear();
    state.intShownItem[1] = 3;
    input.IC_OLEDragDrop(2, {"C:\\d e.txt"});
    ASSERT_EQ(processes.starts.size(), 1u);
    EXPECT_EQ(processes.starts[0].file, "C:\\Program Files\\viewer.exe");
    EXPECT_EQ(processes.starts[0].parameters, "\"C:\\d e.txt\"");

    // No shown path, or nothing dropped: nothing starts and nothing else changes.
    processes.starts.clear();
    state.intShownItem[1] = 5;
    input.IC_OLEDragDrop(2, {"C:\\a.txt"});
    input.IC_OLEDragDrop(3, {"C:\\a.txt"});
    state.intShownItem[1] = 0;
    input.IC_OLEDragDrop(2, {});
    EXPECT_THAT(processes.starts, IsEmpty());
    EXPECT_FALSE(state.blnMouseOnIcon);
    EXPECT_THAT(windows.calls, IsEmpty());
}

// The clicks of a user who sees nothing happen start the held item once; once its start
// has ended, a click starts it again.
TEST_F(IconInputTest, AStartHeldByAnUnreachableShareHoldsUpNoOtherStartAndRunsOnce) {
    work.setMode(FakeBackgroundWork::Mode::Threads);
    const std::string share = "\\\\nas\\tools\\app.exe";
    setItem(1, 0, share);
    processes.addFound(share);
    processes.slowSearches[share] = &work.slow;
    input.IC_MouseDown(1, 1);
    input.IC_OLEDragDrop(2, {"C:\\1.txt", "C:\\2.txt"}); // starts in their order
    input.IC_MouseDown(1, 1);
    input.IC_MouseDown(1, 1);
    const auto started = [&](std::size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (processes.startedLines().size() < count &&
               std::chrono::steady_clock::now() < deadline) {
            work.waitForAnswers([] { return false; }, std::chrono::milliseconds(10));
        }
        return processes.startedLines().size();
    };
    EXPECT_EQ(started(2), 2u);
    EXPECT_THAT(processes.startedLines(),
                ElementsAre("C:\\tools\\edit.exe C:\\1.txt", "C:\\tools\\edit.exe C:\\2.txt"));
    work.slow.open();
    EXPECT_EQ(started(3), 3u);
    // Clicks while that start's end is still on its way are ignored; the first after it starts.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (processes.startedLines().size() < 4 && std::chrono::steady_clock::now() < deadline) {
        input.IC_MouseDown(1, 1);
        work.waitForAnswers([] { return false; }, std::chrono::milliseconds(10));
    }
    const auto lines = processes.startedLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), share), 2);
}

TEST(DropCommandLine, AppendsPlainPathsAsTheyAreAndQuotesThoseWithBlanks) {
    EXPECT_EQ(dropCommandLine("C:\\edit.exe", "C:\\a.txt"), "C:\\edit.exe C:\\a.txt");
    EXPECT_EQ(dropCommandLine("C:\\edit.exe", "C:\\資料\\表.txt"), "C:\\edit.exe C:\\資料\\表.txt");
    EXPECT_EQ(dropCommandLine("C:\\edit.exe", "C:\\b c.txt"), "C:\\edit.exe \"C:\\b c.txt\"");
    EXPECT_EQ(dropCommandLine("C:\\edit.exe", "C:\\Program Files\\"),
              "C:\\edit.exe \"C:\\Program Files\\\\\""); // not an escaped quote
}

} // namespace
} // namespace miruteka
