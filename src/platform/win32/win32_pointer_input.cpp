#include "platform/win32/win32_pointer_input.h"

#include <windows.h>

namespace miruteka::win32 {

Point Win32PointerInput::cursorPos() const {
    POINT point{};
    ::GetCursorPos(&point);
    return Point{point.x, point.y};
}

bool Win32PointerInput::buttonPressed(int virtualKey) {
    return ::GetAsyncKeyState(virtualKey) != 0;
}

} // namespace miruteka::win32
