// Push buttons with a back colour of their own: created BS_OWNERDRAW, drawn by their parent
// on WM_DRAWITEM with a raised edge (sunken while pressed), the caption centred and a focus
// rectangle when they hold the focus.
#pragma once

#include <windows.h>

namespace miruteka::win32 {

HWND createGraphicalButton(HWND parent, int id, const wchar_t* caption, int x, int y, int width,
                           int height);

// Draws the button the item describes in these colours (a disabled caption in the system's
// grey); its font is the button's own (WM_SETFONT).
void drawGraphicalButton(const DRAWITEMSTRUCT& item, COLORREF backColour, COLORREF textColour);

// An owner-drawn button reports the second click of a quick pair as BN_DOUBLECLICKED, not
// BN_CLICKED: both are clicks.
inline bool isButtonClick(int notification) {
    return notification == BN_CLICKED || notification == BN_DOUBLECLICKED;
}

} // namespace miruteka::win32
