// A share that does not answer holds up nothing: the icon windows, the settings preview, the
// item dialog and the starts of other items all go on, and a late answer lands only where it
// still belongs. The slow path waits at a gate for as long as a test wants.
#include "fakes/fake_file_system.h"
#include "fakes/fake_icons.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_process_api.h"
#include "iconwin/icon_loader.h"
#include "launch/item_starter.h"
#include "settings/item_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace miruteka {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const std::string kShare = "\\\\nas\\tools\\app.exe";
const std::string kLocal = "C:\\tools\\edit.exe";

class SlowPathTest : public ::testing::Test {
  protected:
    SlowPathTest() {
        for (const std::string& path : {kShare, kLocal}) {
            files.addFile(path);
            icons.answers[path] = {.large = true};
        }
        files.slowPaths[kShare] = &share;
    }
    ~SlowPathTest() override { // before the work threads are joined
        share.open();
        later.open();
    }

    void setShown(int group, const std::string& path, int16_t slot = 0) {
        state.intShownItem[group - 1] = slot;
        state.items.strItemName[itemIndex(group, slot)] = "item";
        state.items.strItemPath[itemIndex(group, slot)] = path;
    }
    // Runs the call and says how long it kept the user-interface thread.
    template <typename Call> static Clock::duration timed(Call call) {
        const auto start = Clock::now();
        call();
        return Clock::now() - start;
    }

    Gate share;
    Gate later; // the share again, once it has answered
    LauncherState state;
    FakeFileSystem files;
    FakeIconApi icons;
    FakeIconWindows windows;
    FakeProcessApi processes;
    FakeBackgroundWork work{FakeBackgroundWork::Mode::Threads};
    ItemProbes probes{work, borrowed(files), borrowed(icons)};
    IconLoader loader{state, probes, windows};
};

TEST_F(SlowPathTest, IconWindowsSettleWithoutTheShareAndItsLateAnswerLandsOnlyIfStillWanted) {
    setShown(1, kShare);
    for (int group = 2; group <= 4; ++group) {
        setShown(group, kLocal);
    }
    EXPECT_LT(timed([&] { loader.ICLOAD(); }), 1s);
    EXPECT_EQ(windows.visible, (std::array<bool, 4>{false, true, true, true}));
    EXPECT_EQ(windows.pictures[3].content.size(), 1u);

    // Asked again while the share is still silent: the look already out is joined.
    loader.ICLOAD();
    EXPECT_EQ(probes.inFlight(), 1u);
    share.open();
    work.waitForAnswers([&] { return probes.inFlight() == 0; }, 5s);
    EXPECT_TRUE(windows.visible[0]);
    EXPECT_TRUE(state.blnGroupHasIcon[0]);

    // A later ICLOAD wins over the answer of an earlier one still out.
    files.slowPaths[kShare] = &later;
    loader.ICLOAD();
    setShown(1, "C:\\gone.exe");
    loader.ICLOAD();
    later.open();
    work.waitForAnswers([&] { return probes.inFlight() == 0; }, 5s);
    EXPECT_FALSE(windows.visible[0]);
    EXPECT_FALSE(state.blnGroupHasIcon[0]);

    // The item comes back (a drive is plugged in): a look again gives it its icon, and the
    // chain shows it at its next move.
    EXPECT_TRUE(loader.anyGroupAwaitingItem());
    files.addFile("C:\\gone.exe");
    icons.answers["C:\\gone.exe"] = {.large = true};
    loader.reprobeHiddenGroups();
    work.waitForAnswers([&] { return state.blnGroupHasIcon[0]; }, 5s);
    EXPECT_EQ(windows.pictures[0].content.size(), 1u);
    EXPECT_FALSE(loader.anyGroupAwaitingItem());
}

TEST(VolumeOf, GroupsLooksByDriveOrShare) {
    EXPECT_EQ(volumeOf("C:\\tools\\a.exe"), "c:");
    EXPECT_EQ(volumeOf("\\\\NAS\\Tools\\a.exe"), "\\\\nas\\tools");
    EXPECT_EQ(volumeOf("\\\\nas\\tools"), "\\\\nas\\tools");
    EXPECT_EQ(volumeOf("notepad readme.txt"), "notepad readme.txt");
}

TEST_F(SlowPathTest, ANewScaleRedrawsLaterAndKeepsTheOldPictureMeanwhile) {
    setShown(1, kShare);
    setShown(2, kLocal);
    share.open();
    loader.ICLOAD();
    files.slowPaths[kShare] = &later;
    for (FakePicture& picture : windows.pictures) {
        picture.pixels = 48;
    }
    EXPECT_LT(timed([&] { loader.redrawIcons(); }), 50ms);
    EXPECT_EQ(windows.pictures[0].content.size(), 1u); // the old icon, stretched
    work.waitForAnswers([&] { return probes.inFlight() == 1; }, 5s);
    later.open();
    work.waitForAnswers([&] { return probes.inFlight() == 0; }, 5s);
    EXPECT_EQ(std::count(icons.sizesAsked.begin(), icons.sizesAsked.end(), 48), 2);
    EXPECT_EQ(windows.pictures[0].content.size(), 1u);
}

TEST_F(SlowPathTest, StartsRunSideBySideInTheirOrder) {
    processes.addFound(kLocal);
    processes.slowSearches[kShare] = &share;
    ItemStarter starter(work, borrowed(processes));
    EXPECT_LT(timed([&] { starter.start(kShare + " a.txt"); }), 50ms);
    starter.start(std::vector<std::string>{kLocal + " 1.txt", kLocal + " 2.txt"});
    const auto deadline = Clock::now() + 5s;
    while (processes.startedLines().size() < 2 && Clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(processes.startedLines(),
              (std::vector<std::string>{kLocal + " 1.txt", kLocal + " 2.txt"}));
    share.open();
}

class RecordingItemHost : public ItemDialogHost {
  public:
    void acceptItem(const std::string& name, const std::string&) override {
        accepted.push_back(name);
    }
    std::vector<std::string> accepted;
};

TEST_F(SlowPathTest, TheItemDialogWaitsForItsAnswerOnlyWhileItIsOpen) {
    FakeMessageBoxes messages;
    RecordingItemHost host;
    int closes = 0;
    auto dialog = std::make_optional<ItemConfirmation>(probes, messages, host);
    dialog->confirm({"共有", kShare}, [&] { ++closes; });
    dialog->confirm({"二度目", kShare}, [&] { ++closes; }); // a second OK meanwhile
    EXPECT_TRUE(dialog->checking());
    dialog.reset(); // Cancel
    share.open();
    work.waitForAnswers([&] { return probes.inFlight() == 0; }, 5s);
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(host.accepted.empty());
    EXPECT_TRUE(messages.shown.empty());

    dialog.emplace(probes, messages, host);
    dialog->confirm({"共有", kShare}, [&] { ++closes; });
    work.waitForAnswers([&] { return !dialog->checking(); }, 5s);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(host.accepted, std::vector<std::string>{"共有"});
}

} // namespace
} // namespace miruteka
