#include "popup/popup.h"
#include "popup/popup_placement.h"

#include "fakes/fake_launcher_host.h"
#include "fakes/fake_process_api.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace miruteka {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using AfterPress = ItemListPopup::AfterPress;

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;

class PopupTest : public ::testing::Test {
  protected:
    PopupTest() {
        state.intOpenGroup = 3;
        setItem(3, 0, "エディタ", "C:\\tools\\edit.exe");
        setItem(3, 2, "名前だけ", "");
        setItem(3, 4, "", "C:\\no name.exe");
        setItem(3, 9, "メモ", "C:\\メモ 帳\\memo.txt");
        // The neighbouring groups must not leak into group 3's entries.
        setItem(2, 1, "other", "C:\\other.exe");
        setItem(4, 1, "other", "C:\\other.exe");
        processes.addFound("C:\\tools\\edit.exe");
        processes.addFound("C:\\メモ 帳\\memo.txt");
    }

    void setItem(int group, int slot, std::string name, std::string path) {
        state.items.strItemName[itemIndex(group, slot)] = std::move(name);
        state.items.strItemPath[itemIndex(group, slot)] = std::move(path);
    }

    std::vector<uint32_t> colours() const {
        std::vector<uint32_t> result;
        for (const PopupEntry& entry : popup.entries()) {
            result.push_back(entry.colour);
        }
        return result;
    }

    // The colours expected with the given entries marked shown and hovered (-1 for none).
    static std::vector<uint32_t> expected(int shown, int hovered) {
        std::vector<uint32_t> result(kSlotCount, kEntryRestingColour);
        if (shown >= 0) {
            result[shown] = kEntryShownColour;
        }
        if (hovered >= 0) {
            result[hovered] = kEntryHoverColour;
        }
        return result;
    }

    LauncherState state;
    FakeProcessApi processes;
    FakeLauncherHost host;
    FakeBackgroundWork work;
    ItemStarter starter{work, borrowed(processes)};
    ItemListPopup popup{state, starter, host};
};

TEST_F(PopupTest, LoadFillsTheOpenGroupsEntriesFromTheNamesOnly) {
    popup.Form_Load();

    const auto& entries = popup.entries();
    EXPECT_EQ(entries[0].caption, "エディタ");
    EXPECT_TRUE(entries[0].enabled);
    EXPECT_EQ(entries[2].caption, "名前だけ"); // a name without a path can still be chosen
    EXPECT_TRUE(entries[2].enabled);
    EXPECT_EQ(entries[4].caption, "\u00D7"); // a path without a name cannot
    EXPECT_FALSE(entries[4].enabled);
    EXPECT_EQ(entries[1].caption, "\u00D7");
    EXPECT_FALSE(entries[1].enabled);
    EXPECT_EQ(entries[9].caption, "メモ");
    EXPECT_EQ(colours(), expected(-1, -1));

    // A group with no names at all: ten disabled entries.
    state.intOpenGroup = 1;
    popup.Form_Load();
    for (const PopupEntry& entry : popup.entries()) {
        EXPECT_EQ(entry.caption, "×");
        EXPECT_FALSE(entry.enabled);
    }
}

TEST_F(PopupTest, HoverMarksTheEntryAndTheShownItemTheBackgroundOnlyTheShownItem) {
    state.intShownItem[2] = 9;
    popup.Form_Load();

    popup.Command1_MouseMove(0);
    EXPECT_EQ(colours(), expected(9, 0));
    popup.Command1_MouseMove(9); // the hovered shown item is yellow, not orange
    EXPECT_EQ(colours(), expected(-1, 9));
    popup.Form_MouseMove();
    EXPECT_EQ(colours(), expected(9, -1));
    popup.Command1_MouseMove(2);
    popup.Command1_MouseMove(4); // a disabled entry counts as background
    EXPECT_EQ(colours(), expected(9, -1));
}

TEST_F(PopupTest, LeftPressStartsTheEntrysPathAndClosesOnlyWhenItHasOne) {
    popup.Form_Load();

    EXPECT_EQ(popup.Command1_MouseDown(2, kLeft), AfterPress::StayOpen); // empty path
    EXPECT_EQ(popup.Command1_MouseDown(4, kLeft), AfterPress::StayOpen); // disabled entry
    EXPECT_EQ(popup.Command1_MouseDown(1, kLeft), AfterPress::StayOpen);
    EXPECT_THAT(processes.starts, IsEmpty());

    EXPECT_EQ(popup.Command1_MouseDown(9, kLeft), AfterPress::Close);
    ASSERT_EQ(processes.starts.size(), 1u);
    EXPECT_EQ(processes.starts[0].file, "C:\\メモ 帳\\memo.txt");
    EXPECT_EQ(processes.starts[0].parameters, "");
    EXPECT_EQ(processes.starts[0].show, 1);
    EXPECT_EQ(processes.starts[0].owner, 0u);
    EXPECT_FALSE(processes.starts[0].wantProcess);
    EXPECT_EQ(processes.starts[0].verb, "open");
    EXPECT_EQ(popup.Command1_MouseDown(0, kLeft, kShiftMask | kCtrlMask), AfterPress::Close);
    ASSERT_EQ(processes.starts.size(), 2u);
    EXPECT_EQ(processes.starts[1].verb, "runas");
    EXPECT_THAT(processes.foregroundPasses, ElementsAre(0, 1));
    // The motion timer clears the group once it sees the popup gone.
    EXPECT_EQ(state.intOpenGroup, 3);
    EXPECT_THAT(host.calls, IsEmpty());
}

TEST_F(PopupTest, RightPressMakesTheEntryShownAndRedrawsWithoutClosingOrRepainting) {
    popup.Form_Load();
    popup.Command1_MouseMove(0);

    EXPECT_EQ(popup.Command1_MouseDown(2, kRight), AfterPress::StayOpen);
    EXPECT_EQ(state.intShownItem[2], 2);
    EXPECT_EQ(colours(), expected(-1, 0)); // repainted at the next move only
    popup.Form_MouseMove();
    EXPECT_EQ(colours(), expected(2, -1));

    // The shown entry again, then another: ICLOAD each time, the last press wins.
    EXPECT_EQ(popup.Command1_MouseDown(2, kRight), AfterPress::StayOpen);
    EXPECT_EQ(popup.Command1_MouseDown(9, kRight), AfterPress::StayOpen);
    EXPECT_EQ(state.intShownItem[2], 9);
    EXPECT_THAT(host.calls, ElementsAre("ICLOAD", "ICLOAD", "ICLOAD"));
    EXPECT_EQ(state.intShownItem[1], 0);
    EXPECT_EQ(state.intShownItem[3], 0);
    EXPECT_THAT(processes.starts, IsEmpty());
}

TEST_F(PopupTest, UpAndDownMoveTheHighlightOverChoosableEntriesRoundTheEnds) {
    state.intShownItem[2] = 9;
    popup.Form_Load();
    EXPECT_EQ(popup.highlighted(), -1); // a list opened by a click starts with none

    popup.keyDown(ListKey::Down);
    EXPECT_EQ(colours(), expected(9, 0));
    popup.keyDown(ListKey::Down); // over the disabled entries between
    EXPECT_EQ(popup.highlighted(), 2);
    popup.keyDown(ListKey::Down);
    popup.keyDown(ListKey::Down);
    EXPECT_EQ(popup.highlighted(), 0);
    popup.keyDown(ListKey::Up);
    EXPECT_EQ(colours(), expected(-1, 9));

    // The pointer on the background unlights the highlight; the keys go on from it.
    popup.Form_MouseMove();
    EXPECT_EQ(colours(), expected(9, -1));
    popup.highlight(4); // a disabled entry cannot take it
    popup.keyDown(ListKey::Up);
    EXPECT_EQ(colours(), expected(9, 2));
    popup.Command1_MouseMove(0);
    popup.keyDown(ListKey::Down);
    EXPECT_EQ(popup.highlighted(), 2);
}

TEST_F(PopupTest, KeysStartSlotsMakeTheShownItemSwitchGroupsAndClose) {
    popup.Form_Load();
    EXPECT_EQ(popup.keyDown(ListKey::Start), AfterPress::StayOpen); // nothing highlighted
    EXPECT_EQ(popup.digitDown(3), AfterPress::StayOpen);            // slot 2 has no path
    EXPECT_EQ(popup.digitDown(0), AfterPress::Close);               // 0 is slot 10
    popup.highlightFirst();
    EXPECT_EQ(popup.keyDown(ListKey::StartAsAdministrator), AfterPress::Close);
    ASSERT_EQ(processes.starts.size(), 2u);
    EXPECT_EQ(processes.starts[0].file, "C:\\メモ 帳\\memo.txt");
    EXPECT_EQ(processes.starts[1].file, "C:\\tools\\edit.exe");
    EXPECT_EQ(processes.starts[1].verb, "runas");

    popup.keyDown(ListKey::Down);
    EXPECT_EQ(popup.keyDown(ListKey::MakeShown), AfterPress::StayOpen);
    EXPECT_EQ(state.intShownItem[2], 2);
    EXPECT_THAT(host.calls, ElementsAre("ICLOAD"));
    EXPECT_EQ(colours(), expected(-1, 2));

    // Round the groups in place, the first choosable entry highlighted in each.
    popup.keyDown(ListKey::NextGroup);
    EXPECT_EQ(state.intOpenGroup, 4);
    EXPECT_EQ(popup.entries()[1].caption, "other");
    EXPECT_EQ(popup.highlighted(), 1);
    popup.keyDown(ListKey::NextGroup);
    EXPECT_EQ(state.intOpenGroup, 1);
    EXPECT_EQ(popup.highlighted(), -1); // group 1 is empty
    popup.keyDown(ListKey::PreviousGroup);
    popup.keyDown(ListKey::PreviousGroup);
    EXPECT_EQ(state.intOpenGroup, 3);
    EXPECT_EQ(popup.keyDown(ListKey::Close), AfterPress::Close);
    EXPECT_EQ(processes.starts.size(), 2u);
}

TEST_F(PopupTest, OtherButtonsAndCombinationsDoNothing) {
    popup.Form_Load();
    for (int button : {kMiddle, kLeft | kRight, kLeft | kMiddle, 0}) {
        EXPECT_EQ(popup.Command1_MouseDown(0, button), AfterPress::StayOpen);
    }
    EXPECT_THAT(processes.starts, IsEmpty());
    EXPECT_THAT(host.calls, IsEmpty());
    EXPECT_EQ(state.intShownItem[2], 0);
}

// Placement: a 228 x 283 popup on a 1280 x 1024 screen whose work area ends at 984 (task
// bar), opened from a 32 x 32 icon window.
class PopupPlacementTest : public ::testing::Test {
  protected:
    static constexpr int kWidth = 228;
    static constexpr int kHeight = 283;
    const Rect workArea{0, 0, 1280, 984};

    static Rect iconAt(int left, int top) { return {left, top, left + 32, top + 32}; }
    static bool contains(Point corner, Point pointer) {
        return corner.x <= pointer.x && pointer.x < int64_t{corner.x} + kWidth &&
               corner.y <= pointer.y && pointer.y < int64_t{corner.y} + kHeight;
    }
    Point place(const Rect& icon, Point pointer) const {
        return placePopup(icon, pointer, kWidth, kHeight, workArea);
    }
};

TEST_F(PopupPlacementTest, InTheOpenTheTopIsLevelWithTheWindowAndThePointerWellInside) {
    for (Point pointer : {Point{500, 400}, Point{531, 431}, Point{515, 415}}) {
        const Point corner = place(iconAt(500, 400), pointer);
        EXPECT_EQ(corner, (Point{500 - kPopupPointerInset, 400}));
        EXPECT_TRUE(contains(corner, pointer));
        EXPECT_GE(pointer.x - corner.x, kPopupPointerInset);
    }
}

TEST_F(PopupPlacementTest, NearEachEdgeItMovesJustEnoughToFitAndKeepsThePointerInside) {
    // Left edge: the popup starts at the work area's left.
    Point corner = place(iconAt(2, 400), {10, 410});
    EXPECT_EQ(corner, (Point{0, 400}));
    // Right edge: its right side meets the work area's right.
    corner = place(iconAt(1240, 400), {1250, 410});
    EXPECT_EQ(corner, (Point{1280 - kWidth, 400}));
    // Top edge: a window partly above the screen.
    corner = place(iconAt(600, -10), {610, 5});
    EXPECT_EQ(corner, (Point{592, 0}));
    // Bottom edge: it rises until its bottom meets the work area's bottom.
    corner = place(iconAt(600, 900), {610, 910});
    EXPECT_EQ(corner, (Point{592, 984 - kHeight}));
    // Bottom-right corner.
    corner = place(iconAt(1250, 950), {1260, 960});
    EXPECT_EQ(corner, (Point{1280 - kWidth, 984 - kHeight}));
}

TEST_F(PopupPlacementTest, ThePointerStaysInsideEvenWhereTheWorkAreaCannotHoldThePopup) {
    // The pointer over the task bar, below the work area: fitting would leave it outside.
    Point pointer{600, 1010};
    Point corner = place(iconAt(590, 1000), pointer);
    EXPECT_TRUE(contains(corner, pointer));
    EXPECT_EQ(corner.y, pointer.y - (kHeight - 1));
    // Far off to the right of a second monitor's work area.
    pointer = {1600, 300};
    corner = place(iconAt(1590, 290), pointer);
    EXPECT_TRUE(contains(corner, pointer));
    // A pointer that has already left the window (moved between the press and the opening).
    pointer = {700, 600};
    corner = place(iconAt(500, 400), pointer);
    EXPECT_TRUE(contains(corner, pointer));
    // Extreme coordinates do not overflow.
    pointer = {INT32_MAX, INT32_MIN};
    corner = placePopup(Rect{INT32_MAX - 32, INT32_MIN, INT32_MAX, INT32_MIN + 32}, pointer, kWidth,
                        kHeight, workArea);
    EXPECT_TRUE(contains(corner, pointer));
}

} // namespace
} // namespace miruteka
