// Showing an owned window modally: the owner is disabled while it is open, a nested message
// loop keeps every other window of the thread (and its timers) running, and Tab moves between
// its controls. Enter and Esc reach the window as WM_COMMAND with IDOK and IDCANCEL and no
// control; windows without default or cancel buttons ignore those.
#pragma once

#include <windows.h>

namespace miruteka::win32 {

// Runs until the window is destroyed. A WM_QUIT met on the way is put back for the outer loop
// and the window is destroyed.
void runModalLoop(HWND window);

// Closes a modal window: the owner is enabled first so that it, and not some other program,
// becomes active again.
void endModal(HWND window);

// The top-left corner that centres a window of this size over the area, kept inside the work
// area of the area's monitor.
POINT centredOver(const RECT& area, SIZE size);

// Remembers which of a window's controls had the focus when the window was left, and gives
// it back when the window is activated again.
class FocusMemory {
  public:
    void remember(HWND control) { lastFocus_ = control; }
    void restore() const;
    // Handles WM_ACTIVATE for the window.
    void onActivate(HWND window, WPARAM wParam);

  private:
    HWND lastFocus_ = nullptr;
};

// The rectangle of the monitor that holds most of the window (the primary one for none).
RECT screenOf(HWND window);

} // namespace miruteka::win32
