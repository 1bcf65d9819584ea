// The four icon windows as start-up leaves them with the pointer at (500, 500), the usual
// settings and every group showing an icon, driven by a real Motion against the fakes.
#pragma once

#include "fakes/fake_chain_windows.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_open_popup.h"
#include "fakes/fake_pointer_input.h"
#include "iconwin/motion.h"

namespace miruteka {

struct MotionChain {
    MotionChain() {
        state.settings = kDefaultSettings;
        state.blnGroupHasIcon = {true, true, true, true};
        windows.resizeAll(32, 32);
        for (int group = 1; group <= kGroupCount; ++group) {
            windows.place(group, {484, 474 + 40 * group});
        }
        pointer.position = {500, 500};
        motion.setLastPointer(pointer.position);
    }

    void tickAt(Point position) {
        pointer.position = position;
        motion.Timer1_Timer();
    }

    bool moved() const { return windows.logSize > 0 && windows.movesOf(1) > 0; }

    LauncherState state;
    FakePointerInput pointer;
    FakeChainWindows windows;
    FakeOpenPopup popup;
    FakeDesktop desktop;
    Motion motion{state, pointer, windows, popup, desktop};
};

} // namespace miruteka
