// The palette for the system's high-contrast setting and colours of the moment, with the
// brush a window fills its back with.
#pragma once

#include "platform/win32/unique.h"
#include "toolkit/palette.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace miruteka::win32 {

Palette currentPalette();

class WindowPalette {
  public:
    WindowPalette() : palette_(currentPalette()) {}

    const Palette& get() const { return palette_; }
    // A brush of the given back colour (a colour of get()), made once per reading: a window
    // that fills labels and fields in turn does not make a brush at each.
    HBRUSH brush(uint32_t colour);
    // A WM_CTLCOLORSTATIC answer: the control's device context in these colours, and the
    // brush of its back.
    LRESULT colourControl(WPARAM dc, const ColourPair& colours);

    // At the window's creation: a dark palette darkens its title bar too.
    void darkenTitleBar(HWND window) const;

    // On WM_SETTINGCHANGE and WM_SYSCOLORCHANGE: tells the window's children, reads the
    // palette again and, when it changed, repaints the window with its children and its title bar.
    // True when it changed.
    bool onSystemChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    Palette palette_;
    std::vector<std::pair<uint32_t, UniqueGdiObject>> brushes_;
};

} // namespace miruteka::win32
