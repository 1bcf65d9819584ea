// The item list popup as the motion timer watches it. The popup window is created afresh
// at each opening; the object behind this interface lives for the whole run and answers
// for whichever popup is currently shown.
#pragma once

#include "data/launcher_state.h"
#include "platform/geometry.h"

#include <optional>

namespace miruteka {

class OpenPopup {
  public:
    virtual ~OpenPopup() = default;
    // False once the popup has closed itself (an item was started from it) or was closed
    // some other way.
    virtual bool isOpen() const = 0;
    // The popup's outer rectangle (border included) in screen pixels. Asked only while
    // isOpen() is true.
    virtual Rect frame() const = 0;
    // Closes the popup, which ends its modal display. Called only while isOpen() is true.
    virtual void close() = 0;
    // False for a list opened from the keyboard: its user's pointer may wander off it.
    virtual bool closesWhenPointerLeaves() const { return true; }
};

// The popup watch: closes an open popup that the pointer holds once the pointer is off it (its
// edges count as on it), and ends the popup lock once the popup is gone. A pointer that cannot be
// read closes nothing. The motion tick runs it; so does the popup itself while the motion timer is
// stopped.
void watchPopup(LauncherState& state, OpenPopup& popup, std::optional<Point> pointer);

} // namespace miruteka
