// What Windows needs told for a window to look dark where its own colours cannot reach: the
// title bar, and the controls it draws light whatever their parent asks.
#pragma once

#include "toolkit/palette.h"

#include <windows.h>

namespace miruteka::win32 {

// Windows' apps are set to dark (a missing setting is light).
bool appsUseDarkTheme();

// True for the WM_SETTINGCHANGE that tells of a change between light and dark.
bool isThemeChange(UINT message, LPARAM lParam);

void useDarkTitleBar(HWND window, bool dark);

// Visual styles off (true) or back on, for a control whose themed look ignores the colours
// its parent sets (check boxes, tooltips).
void useClassicLook(HWND control, bool classic);

// Dark scroll bars for a control that has them, where Windows has a dark look for them;
// back to its usual look when false.
void useDarkScrollBars(HWND control, bool dark);

// The control paints itself as usual into a picture that is then recoloured: its light back
// becomes the back of these colours and its dark text their text, every shade between in
// proportion. For controls that draw light whatever colours they are given (the hotkey
// control, sliders, list headers). Null colours return it to its own painting; the colours
// must outlive the control or the next call.
void paintInColours(HWND control, const ColourPair* colours);

} // namespace miruteka::win32
