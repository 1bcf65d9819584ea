#include "fakes/fake_open_popup.h"

namespace miruteka {

Rect FakeOpenPopup::frame() const {
    if (!open) {
        ++callsWhileClosed;
    }
    return rect;
}

void FakeOpenPopup::close() {
    if (!open) {
        ++callsWhileClosed;
    }
    open = false;
    ++closeCount;
}

} // namespace miruteka
