#include "fakes/fake_file_system.h"
#include "fakes/fake_icons.h"
#include "iconwin/icon_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace miruteka {
namespace {

class IconLoaderTest : public ::testing::Test {
  protected:
    void setShown(int group, const std::string& name, const std::string& path, int16_t slot = 0) {
        state.intShownItem[group - 1] = slot;
        state.items.strItemName[itemIndex(group, slot)] = name;
        state.items.strItemPath[itemIndex(group, slot)] = path;
    }
    void load() { loader.ICLOAD(); }

    LauncherState state;
    FakeFileSystem files;
    FakeIconApi icons;
    FakeIconWindows windows;
    FakeBackgroundWork work;
    ItemProbes probes{work, borrowed(files), borrowed(icons)};
    IconLoader loader{state, probes, windows};
};

TEST_F(IconLoaderTest, ShowsOnlyGroupsWhoseShownPathIsAVisibleFileOrAFolder) {
    files.addFile("C:\\tools\\app.exe");
    files.addFile("C:\\secret.exe", {.hidden = true});
    files.addFolder("C:\\docs");
    const std::array<std::pair<std::string, bool>, 8> cases{{
        {"", false},
        {"C:\\missing.exe", false},
        {"C:\\secret.exe", false},
        {"C:\\tools\\app.exe", true},
        {"C:\\docs", true},
        {"C:\\docs\\", true},
        {"C:\\", true},
        {"C:\\tools\\*.exe", false},
    }};
    files.addFolder("C:\\docs\\");
    files.addFolder("C:\\", {.hidden = true, .system = true}); // how a drive root reports
    files.matchPatterns = true;                                // the wildcard would find app.exe
    for (const auto& [path, shown] : cases) {
        setShown(3, "item", path);
        load();
        EXPECT_EQ(windows.visible[2], shown) << path;
        EXPECT_EQ(state.blnGroupHasIcon[2], shown) << path;
    }
}

TEST_F(IconLoaderTest, TooltipsComeFromTheShownSlotOfEveryGroupVisibleOrNot) {
    files.addFile("C:\\a.exe");
    setShown(1, "エディタ", "C:\\a.exe", 3);
    setShown(2, "消えたファイル", "C:\\gone.exe");
    setShown(4, "", "C:\\a.exe", 9);
    state.items.strItemName[itemIndex(1, 0)] = "slot zero";
    load();
    EXPECT_EQ(windows.tooltips, (std::array<std::string, 4>{"エディタ", "消えたファイル", "", ""}));
    EXPECT_EQ(windows.visible, (std::array<bool, 4>{true, false, false, true}));
}

TEST_F(IconLoaderTest, DrawsTheFilesOwnLargeIconFirst) {
    files.addFile("C:\\app.exe");
    icons.answers["C:\\app.exe"] = {.large = true, .small = true, .associated = 0x99};
    setShown(2, "app", "C:\\app.exe");
    load();
    ASSERT_EQ(windows.pictures[1].content.size(), 1u);
    EXPECT_EQ(windows.pictures[1].content[0].rfind("ex:", 0), 0u);
    EXPECT_TRUE(icons.associatedCalls.empty());
    EXPECT_TRUE(icons.live.empty());
    EXPECT_EQ(icons.strayDestroys, 0);
}

TEST_F(IconLoaderTest, FallsBackToTheAssociatedIconThenTheShellsWhenNothingIsDrawn) {
    files.addFile("C:\\small.exe");
    files.addFile("C:\\readme.txt");
    files.addFile("C:\\one.dat");
    files.addFile("C:\\lost.dat");
    files.addFolder("C:\\folder");
    // Only a small icon: the associated icon is not asked for; the shell's is drawn.
    icons.answers["C:\\small.exe"] = {.small = true, .associated = 0x99, .shell = true};
    // The associated program's icon, drawn with DrawIcon; the shell is not asked.
    icons.answers["C:\\readme.txt"] = {.associated = 0x99, .shell = true};
    // 1 is not an icon.
    icons.answers["C:\\one.dat"] = {.associated = 1, .shell = true};
    // Error 2 wins over a handle; nor does the shell know one.
    icons.answers["C:\\lost.dat"] = {.associated = 0x99, .lastError = 2};
    setShown(1, "small", "C:\\small.exe");
    setShown(2, "readme", "C:\\readme.txt");
    setShown(3, "one", "C:\\one.dat");
    setShown(4, "lost", "C:\\lost.dat");
    windows.pictures[1].pixels = 48; // a window on a 144-dpi monitor
    windows.pictures[2].pixels = 48;
    load();

    // Every call asks for the picture's own size, so the shell makes the icon for it.
    EXPECT_EQ(icons.sizesAsked, (std::vector<int>{32, 48, 48, 48, 48, 32, 32}));
    EXPECT_EQ(icons.shellCalls,
              (std::vector<std::pair<std::string, int>>{
                  {"C:\\small.exe", 32}, {"C:\\one.dat", 48}, {"C:\\lost.dat", 32}}));
    EXPECT_EQ(windows.pictures[0].content.at(0).rfind("ex:", 0), 0u);
    EXPECT_EQ(windows.pictures[1].content.at(0).rfind("icon:", 0), 0u);
    EXPECT_EQ(windows.pictures[2].content.at(0).rfind("ex:", 0), 0u);
    EXPECT_TRUE(windows.pictures[3].content.empty());
    EXPECT_EQ(icons.associatedCalls,
              (std::vector<std::string>{"C:\\readme.txt", "C:\\one.dat", "C:\\lost.dat"}));
    // Every group still counts as having an icon: its file exists.
    EXPECT_EQ(windows.visible, (std::array<bool, 4>{true, true, true, true}));
    EXPECT_TRUE(icons.live.empty());
    EXPECT_EQ(icons.strayDestroys, 0);

    // A folder the shell gives no icon for: shown, with an empty picture.
    setShown(1, "folder", "C:\\folder");
    load();
    EXPECT_TRUE(windows.visible[0]);
    EXPECT_TRUE(windows.pictures[0].content.empty());
}

TEST_F(IconLoaderTest, EachCallStartsFromClearedPicturesAndRepeatsItself) {
    files.addFile("C:\\app.exe");
    icons.answers["C:\\app.exe"] = {.large = true};
    setShown(1, "app", "C:\\app.exe");
    setShown(2, "app", "C:\\app.exe");
    load();
    const auto firstPictures = windows.pictures;
    const auto firstTooltips = windows.tooltips;
    const auto firstVisible = windows.visible;
    load();
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(windows.pictures[k].cleared);
        EXPECT_EQ(windows.pictures[k].content.size(), firstPictures[k].content.size());
    }
    EXPECT_EQ(windows.tooltips, firstTooltips);
    EXPECT_EQ(windows.visible, firstVisible);

    // Pictures of a new size get the same icons again; nothing else changes.
    windows.visible[1] = false; // hidden by a middle click
    loader.redrawIcons();
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(windows.pictures[k].content.size(), k < 2 ? 1u : 0u) << k;
    }
    EXPECT_EQ(windows.visible, (std::array<bool, 4>{true, false, false, false}));

    // The file goes: its icon goes with it and the window hides.
    files.remove("C:\\app.exe");
    load();
    EXPECT_TRUE(windows.pictures[0].content.empty());
    EXPECT_FALSE(windows.visible[0]);
    EXPECT_FALSE(state.blnGroupHasIcon[0]);
    EXPECT_TRUE(icons.live.empty());
}

// A share that does not answer holds up no other group, not even one on the same drive as the
// folder link that leads to it, and its late answer lands only where it is still wanted.
TEST_F(IconLoaderTest, AShareThatDoesNotAnswerHoldsUpNothingAndLandsOnlyWhereStillWanted) {
    work.setMode(FakeBackgroundWork::Mode::Threads);
    const std::string share = "C:\\links\\nas\\app.exe";
    for (const std::string& path : {share, std::string("C:\\app.exe")}) {
        files.addFile(path);
        icons.answers[path] = {.large = true};
    }
    files.slowPaths[share] = &work.slow;
    setShown(1, "share", share);
    for (int group = 2; group <= 4; ++group) {
        setShown(group, "app", "C:\\app.exe");
    }
    const auto started = std::chrono::steady_clock::now();
    load();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    EXPECT_EQ(windows.visible, (std::array<bool, 4>{false, true, true, true}));
    load(); // asked again meanwhile: the look already out is joined
    EXPECT_EQ(probes.inFlight(), 1u);

    // A new scale: the icons at 48 pixels come later, the old pictures stay meanwhile.
    for (FakePicture& picture : windows.pictures) {
        picture.pixels = 48;
    }
    loader.redrawIcons();
    EXPECT_EQ(windows.pictures[1].content.size(), 1u);
    work.slow.open();
    const auto settled = [&] { return probes.inFlight() == 0; };
    work.waitForAnswers(settled, std::chrono::seconds(5));
    EXPECT_TRUE(windows.visible[0]);
    // The share's answer was for 32 pixels: it is asked again at 48, like the others.
    EXPECT_EQ(std::count(icons.sizesAsked.begin(), icons.sizesAsked.end(), 48), 2);

    // A later ICLOAD wins over an earlier one whose answer is still out.
    work.slow.close();
    load();
    // A group whose shown item becomes the slow one names it at once, and shows no icon of
    // the item it showed before.
    setShown(2, "share too", share);
    load();
    EXPECT_EQ(windows.tooltips[1], "share too");
    EXPECT_TRUE(windows.pictures[1].content.empty());
    setShown(1, "gone", "C:\\gone.exe");
    load();
    work.slow.open();
    work.waitForAnswers(settled, std::chrono::seconds(5));
    EXPECT_FALSE(windows.visible[0]);
    EXPECT_TRUE(loader.anyGroupAwaitingItem());

    // The item comes back (a drive is plugged in): looked at again, it gets its icon, and the
    // chain shows it at its next move.
    files.addFile("C:\\gone.exe");
    icons.answers["C:\\gone.exe"] = {.large = true};
    loader.reprobeHiddenGroups();
    work.waitForAnswers([&] { return state.blnGroupHasIcon[0]; }, std::chrono::seconds(5));
    EXPECT_EQ(windows.pictures[0].content.size(), 1u);
    EXPECT_FALSE(loader.anyGroupAwaitingItem());
}

// Quitting in the middle of a look: the answer, dropped unrun once the look ends, destroys
// its icon while the icon service is still there.
TEST(ItemProbes, TheIconServiceOutlivesEveryAnswerThatHoldsAnIcon) {
    FakeFileSystem files;
    files.addFile("C:\\app.exe");
    auto icons = std::make_shared<FakeIconApi>();
    icons->answers["C:\\app.exe"] = {.large = true};
    std::size_t liveAtDestruction = 99;
    icons->liveAtDestruction = &liveAtDestruction;
    {
        FakeBackgroundWork work;
        work.setMode(FakeBackgroundWork::Mode::Threads);
        {
            ItemProbes probes{work, borrowed(files), std::move(icons)};
            probes.request("C:\\app.exe", 32, [](const ItemProbe&) {});
        }
        // Joins the look's thread, which drops the work item, then drops the unrun answer.
    }
    EXPECT_EQ(liveAtDestruction, 0u);
}

} // namespace
} // namespace miruteka
