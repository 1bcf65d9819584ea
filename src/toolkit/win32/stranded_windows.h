// After a monitor has gone or a work area has shrunk, a window of ours may stand where it
// cannot be reached, or its title bar where it cannot be grabbed.
#pragma once

#include <windows.h>

#include <span>

namespace miruteka::win32 {

// Moves each visible top-level window of this thread whose title bar (a window without one:
// any part of it) lies on no work area onto the work area of the nearest monitor, whole,
// keeping its size. The windows in `leave` are not touched.
void moveStrandedWindowsOnScreen(std::span<const HWND> leave);

} // namespace miruteka::win32
