#include "fakes/fake_pointer_input.h"

#include <utility>

namespace miruteka {

bool FakePointerInput::buttonPressed(int virtualKey) {
    if (queryCount < kQueryCapacity) {
        queries[queryCount] = virtualKey;
    }
    ++queryCount;
    if (virtualKey == kVkLeftButton) {
        return std::exchange(leftPressedOnce, false) || leftDown;
    }
    if (virtualKey == kVkRightButton) {
        return std::exchange(rightPressedOnce, false) || rightDown;
    }
    return false;
}

} // namespace miruteka
