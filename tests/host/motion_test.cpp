#include "fakes/fake_chain_windows.h"
#include "fakes/fake_open_popup.h"
#include "fakes/fake_pointer_input.h"
#include "iconwin/motion.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

// The chain as start-up leaves it with the pointer at (500, 500) and the usual settings.
struct MotionTest : testing::Test {
    MotionTest() {
        state.settings = kDefaultSettings;
        state.blnGroupHasIcon = {true, true, true, true};
        windows.resizeAll(32, 32);
        windows.place(1, {484, 514});
        windows.place(2, {484, 554});
        windows.place(3, {484, 594});
        windows.place(4, {484, 634});
        pointer.position = {500, 500};
        motion.setLastPointer(pointer.position);
    }

    void tickAt(Point position) {
        pointer.position = position;
        motion.Timer1_Timer();
    }

    LauncherState state;
    FakePointerInput pointer;
    FakeChainWindows windows;
    FakeOpenPopup popup;
    Motion motion{state, pointer, windows, popup};
};

TEST_F(MotionTest, ChainFollowsThePointerLikeARope) {
    tickAt({540, 500});
    EXPECT_EQ(windows.topLeftOf(1), (Point{494, 484}));
    EXPECT_EQ(windows.topLeftOf(2), (Point{488, 524}));
    EXPECT_EQ(windows.topLeftOf(3), (Point{486, 564}));
    EXPECT_EQ(windows.topLeftOf(4), (Point{485, 604}));
    EXPECT_EQ(motion.lastX(), 540);
    EXPECT_EQ(motion.lastY(), 500);
}

} // namespace
} // namespace miruteka
