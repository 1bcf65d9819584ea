#include "toolkit/win32/system_palette.h"

#include "toolkit/win32/dark_mode.h"

namespace miruteka::win32 {

Palette currentPalette() {
    HIGHCONTRASTW highContrast{};
    highContrast.cbSize = sizeof highContrast;
    const bool on =
        ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
        (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    return choosePalette(on,
                         SystemColours{.window = ::GetSysColor(COLOR_WINDOW),
                                       .windowText = ::GetSysColor(COLOR_WINDOWTEXT),
                                       .buttonFace = ::GetSysColor(COLOR_BTNFACE),
                                       .buttonText = ::GetSysColor(COLOR_BTNTEXT),
                                       .highlight = ::GetSysColor(COLOR_HIGHLIGHT),
                                       .highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT)},
                         !on && appsUseDarkTheme());
}

HBRUSH WindowPalette::brush(uint32_t colour) {
    for (const auto& [made, brush] : brushes_) {
        if (made == colour) {
            return static_cast<HBRUSH>(brush.get());
        }
    }
    brushes_.emplace_back(colour, UniqueGdiObject(::CreateSolidBrush(colour)));
    return static_cast<HBRUSH>(brushes_.back().second.get());
}

void WindowPalette::darkenTitleBar(HWND window) const {
    if (palette_.dark) {
        useDarkTitleBar(window, true);
    }
}

LRESULT WindowPalette::colourControl(WPARAM dc, const ColourPair& colours) {
    ::SetTextColor(reinterpret_cast<HDC>(dc), colours.text);
    ::SetBkColor(reinterpret_cast<HDC>(dc), colours.back);
    return reinterpret_cast<LRESULT>(brush(colours.back));
}

bool WindowPalette::onSystemChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Common controls (grids, sliders) pick up new system colours only when told.
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SendMessageW(child, message, wParam, lParam);
    }
    const Palette now = currentPalette();
    if (now == palette_) {
        return false;
    }
    palette_ = now;
    brushes_.clear(); // the old reading's colours are asked for no more
    if ((::GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
        useDarkTitleBar(window, palette_.dark);
    }
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    return true;
}

} // namespace miruteka::win32
