// The four icon windows as the motion timer sees them. Group is 1..4 (Form1..Form4).
#pragma once

#include "platform/geometry.h"

namespace miruteka {

class ChainWindows {
  public:
    virtual ~ChainWindows() = default;
    // The window's outer rectangle in screen pixels, read back from the window itself.
    virtual Rect frame(int group) const = 0;
    virtual bool isVisible(int group) const = 0;
    // Moves the window's top-left corner and puts it above all normal windows, keeping its
    // size and visibility and never activating it: SetWindowPos(HWND_TOPMOST, x, y, 0, 0,
    // SWP_NOSIZE | SWP_FRAMECHANGED | SWP_NOACTIVATE). Without SWP_NOACTIVATE every move
    // would take the keyboard focus from the window the user is typing in.
    virtual void moveTopmost(int group, Point topLeft) = 0;
    // Makes the window visible without activating it.
    virtual void show(int group) = 0;
    virtual void hide(int group) = 0;
    // The DPI of the monitor that holds the point (96 on a screen at 100 %).
    virtual int dpiAt(Point screenPoint) const = 0;
    // Gives all four windows this width and height, keeping their corners, and draws their
    // icons again at that size.
    virtual void setIconSize(int pixels) = 0;
};

} // namespace miruteka
