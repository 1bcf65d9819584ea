// After a monitor has gone, a window of ours may stand where no monitor is, out of reach.
#pragma once

#include <windows.h>

#include <span>

namespace miruteka::win32 {

// Moves each visible top-level window of this thread that lies on no monitor onto the work
// area of the nearest one, whole, keeping its size. The windows in `leave` are not touched.
void moveStrandedWindowsOnScreen(std::span<const HWND> leave);

} // namespace miruteka::win32
