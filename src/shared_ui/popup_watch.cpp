#include "shared_ui/popup_watch.h"

namespace miruteka {

// The popup stays while the pointer is on it, edges included; leaving it closes it. A
// popup that has already gone only clears the lock.
void watchPopup(LauncherState& state, OpenPopup& popup, std::optional<Point> pointer) {
    if (state.intOpenGroup == 0) {
        return;
    }
    const bool open = popup.isOpen();
    if (open) {
        if (!pointer || !popup.closesWhenPointerLeaves()) {
            return;
        }
        const Rect frame = popup.frame();
        if (frame.left <= pointer->x && pointer->x <= frame.right && frame.top <= pointer->y &&
            pointer->y <= frame.bottom) {
            return;
        }
        popup.close();
    }
    state.intOpenGroup = 0;
}

} // namespace miruteka
