// The display scale on Windows: the DPI of a window, of the monitor at a point and of the
// system, and the system's sizes at a DPI. The program is per-monitor DPI aware; the calls
// that need Windows 10 (or 8.1) are looked up when first used, and older systems, where every
// window has the system's DPI, get the system's values.
#pragma once

#include "platform/geometry.h"

#include <windows.h>

namespace miruteka::win32 {

// The DPI the system's metrics and fonts are given in (the primary monitor's at log-on).
int systemDpi();
// The DPI of the monitor the window is on.
int dpiOfWindow(HWND window);
// The DPI of the monitor that holds the point (the nearest one when none does).
int dpiAt(POINT screenPoint);

// GetSystemMetrics at a DPI.
int systemMetricAtDpi(int index, int dpi);
// The outer size of a window whose client area has this size, with the frame of a DPI.
SIZE outerSizeAtDpi(DWORD style, DWORD exStyle, int clientWidth, int clientHeight, int dpi);
// Resizes the window so its client area has this size, keeping its corner; the frame is the
// one the window has at its own DPI.
void resizeClientArea(HWND window, int clientWidth, int clientHeight);
// A rectangle laid out in twips of a client area: left, top, width, height.
struct TwipsRect {
    int left, top, width, height;
    // In device pixels at a DPI, moved by an origin in pixels.
    RECT pixels(int dpi, POINT origin = {0, 0}) const {
        const LONG x = origin.x + twipsToPixels(left, dpi);
        const LONG y = origin.y + twipsToPixels(top, dpi);
        return {x, y, x + twipsToPixels(width, dpi), y + twipsToPixels(height, dpi)};
    }
};

// Puts the window in the rectangle that WM_DPICHANGED suggests.
void moveToSuggestedRect(HWND window, const RECT& suggested);
// Sizes a window for a DPI: the rectangle WM_DPICHANGED suggests, or without one (at
// creation) a client area of this size in twips at that DPI.
void sizeForDpi(HWND window, const RECT* suggested, int clientWidthTwips, int clientHeightTwips,
                int dpi);
// The system's UI font (the message font) made for a DPI.
LOGFONTW messageFontAtDpi(int dpi);

} // namespace miruteka::win32
