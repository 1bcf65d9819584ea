// Runs in a test program of its own: heap_counter.cpp replaces the global allocation
// functions, which would take ASan's new/delete checks away from every other host test.
#include "fakes/fake_chain_windows.h"
#include "fakes/fake_open_popup.h"
#include "fakes/fake_pointer_input.h"
#include "heap_counter.h"
#include "iconwin/motion.h"

#include <gtest/gtest.h>

#include <memory>

namespace miruteka {
namespace {

struct Chain {
    Chain() {
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
