// Fonts of the windows' layouts. A missing "ＭＳ Ｐゴシック" falls back to another proportional
// Japanese font; any other missing face to the face of the system's UI font (the message
// font), so a label never ends up in a bitmap font.
#pragma once

#include "platform/geometry.h"
#include "platform/win32/unique.h"

#include <windows.h>

namespace miruteka::win32 {

inline constexpr const wchar_t* kPGothicFace = L"ＭＳ Ｐゴシック";

struct FontStyle {
    bool bold = false;
    bool underline = false;
};

// A font's height in pixels at a DPI: 11.25 pt is 15 pixels at 96 dpi, 9 pt is 12; at
// other scales the nearest pixel, ties to even, as every size of the layouts.
int pointsToPixelHeight(double points, int dpi = kDesignDpi);

bool isFontInstalled(const wchar_t* face);

// The face itself when installed, else for "ＭＳ Ｐゴシック" the first installed proportional
// Japanese stand-in; nothing when there is none.
const wchar_t* firstInstalledFace(const wchar_t* face);

// The face (or its stand-in) at the size, or the system UI font's face at that size, for a
// window at the DPI.
UniqueGdiObject createFont(const wchar_t* face, double points, FontStyle style = {},
                           int dpi = kDesignDpi);

// The system UI font as it is at the DPI: what controls without a font of their own use.
UniqueGdiObject createMessageFont(int dpi);

// A font the layouts give as "ＭＳ Ｐゴシック" at a size: that font with Japanese texts; with
// English ones the system UI font at its own size, in the style, as other English programs.
UniqueGdiObject createLayoutFont(double points, FontStyle style = {}, int dpi = kDesignDpi);

// Sets the font of a window (a control) without redrawing it.
inline void setWindowFont(HWND window, const UniqueGdiObject& font) {
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
}

} // namespace miruteka::win32
