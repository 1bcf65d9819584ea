// The item list popup as a rectangle that is open or not. Counts closes, and notes any
// question asked of a popup that is not open. Never allocates.
#pragma once

#include "shared_ui/popup_watch.h"

namespace miruteka {

class FakeOpenPopup : public OpenPopup {
  public:
    bool isOpen() const override { return open; }
    Rect frame() const override;
    void close() override;
    bool closesWhenPointerLeaves() const override { return pointerHoldsIt; }

    bool open = false;
    bool pointerHoldsIt = true; // false: opened from the keyboard
    Rect rect;
    int closeCount = 0;
    mutable int callsWhileClosed = 0;
};

} // namespace miruteka
