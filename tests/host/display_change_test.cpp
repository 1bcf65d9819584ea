// After the monitors change: the chain stands again under the pointer, and a window that
// stands on no monitor is moved whole onto the nearest one.
#include "fakes/motion_chain.h"
#include "iconwin/display_change.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

bool placeAfterChange(MotionChain& chain) {
    return placeChainAfterDisplayChange(chain.state.settings, chain.pointer, chain.desktop,
                                        chain.windows, chain.motion);
}

TEST(DisplayChange, TheChainStandsAgainAsAtStartUpUnderThePointerOnAMonitor) {
    MotionChain chain;
    chain.pointer.position = {1500, 300}; // where the second monitor was
    EXPECT_FALSE(placeAfterChange(chain));
    EXPECT_EQ(chain.windows.logSize, 0u);

    // On a monitor at 150 %: 48-pixel windows, 45 below the pointer, one every 60.
    chain.pointer.position = {700, 600};
    chain.windows.dpi = 144;
    ASSERT_TRUE(placeAfterChange(chain));
    for (int group = 1; group <= kGroupCount; ++group) {
        EXPECT_EQ(chain.windows.frame(group), (Rect{676, 561 + 60 * group, 724, 609 + 60 * group}));
    }
    // Travel counts from there.
    chain.windows.clearLog();
    chain.tickAt({705, 600});
    EXPECT_EQ(chain.windows.logSize, 0u);
}

TEST(DisplayChange, AWindowMovesWholeIntoTheAreaAndNoFartherThanItMust) {
    const Rect work{0, 0, 1280, 1000};
    EXPECT_EQ(movedInside({1400, 100, 1950, 540}, work), (Point{730, 100}));
    EXPECT_EQ(movedInside({-600, -50, -100, 300}, work), (Point{0, 0}));
    EXPECT_EQ(movedInside({100, 990, 300, 1100}, work), (Point{100, 890}));
    EXPECT_EQ(movedInside({100, 100, 300, 300}, work), (Point{100, 100}));
    // Larger than the area: its top-left corner, and so its title bar, stays in it.
    EXPECT_EQ(movedInside({2000, 2000, 3500, 3200}, work), (Point{0, 0}));
}

} // namespace
} // namespace miruteka
