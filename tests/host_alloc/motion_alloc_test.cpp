// Runs in a test program of its own: heap_counter.cpp replaces the global allocation
// functions, which would take ASan's new/delete checks away from every other host test.
#include "fakes/motion_chain.h"
#include "heap_counter.h"

#include <gtest/gtest.h>

#include <memory>

namespace miruteka {
namespace {

using Chain = MotionChain;

TEST(Motion, TickAllocatesNothing) {
    Chain chain;
    chain.windows.visible = {true, false, true, true};

    const int64_t before = heapAllocationCount();
    chain.tickAt({540, 500}); // moves and re-shows a window
    chain.state.intOpenGroup = 2;
    chain.popup.open = true;
    chain.popup.rect = {0, 0, 10, 10};
    chain.tickAt({600, 600}); // closes the popup
    chain.state.blnMouseOnIcon = true;
    chain.tickAt({700, 700}); // releases the icon lock
    chain.desktop.putInFront({0, 0, 1280, 1024});
    chain.tickAt({800, 800}); // hides the chain for a program in full screen
    chain.desktop.foreground.reset();
    chain.desktop.menu = true;
    chain.tickAt({900, 900}); // keeps it hidden for an open menu
    chain.desktop.menu = false;
    chain.tickAt({800, 800}); // brings it back
    EXPECT_EQ(heapAllocationCount(), before);

    EXPECT_TRUE(chain.windows.visible[1]);
    EXPECT_EQ(chain.popup.closeCount, 1);
    EXPECT_FALSE(chain.state.blnMouseOnIcon);
    // The counter does see allocations.
    auto probe = std::make_unique<int>(1);
    EXPECT_EQ(heapAllocationCount(), before + 1);
}

} // namespace
} // namespace miruteka
