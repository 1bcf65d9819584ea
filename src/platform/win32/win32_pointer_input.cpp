#include "platform/win32/win32_pointer_input.h"

#include <windows.h>

namespace miruteka::win32 {

std::optional<Point> Win32PointerInput::cursorPos() const {
    POINT point{};
    if (!::GetCursorPos(&point)) {
        return std::nullopt;
    }
    return Point{point.x, point.y};
}

bool Win32PointerInput::buttonPressed(int virtualKey) {
    return ::GetAsyncKeyState(virtualKey) != 0;
}

} // namespace miruteka::win32
