// Windows' apps dark in the test prefix while a test needs it, and what the screen shows.
#pragma once

#include "win/modal_test_support.h"

namespace miruteka::win32::testing {

constexpr const wchar_t* kPersonalize =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Dark from the start; at the end the prefix's own state (no value: light). set() tells the
// window as Windows tells every top-level window.
struct AppsTheme {
    AppsTheme() { set(true); }
    ~AppsTheme() { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme"); }
    void set(bool dark, HWND window = nullptr) const {
        const DWORD light = dark ? 0 : 1;
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", REG_DWORD, &light,
                          sizeof light);
        ::SendMessageW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    }
};

inline COLORREF pixelOf(HWND window, int x, int y) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = ::GetDC(window);
    const COLORREF pixel = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return pixel;
}

// A pixel across the middle of the control is much lighter than its back: its text.
inline bool showsLightText(HWND control, COLORREF back) {
    auto sum = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    RECT client{};
    ::GetClientRect(control, &client);
    for (int x = 0; x < client.right; ++x) {
        if (sum(pixelOf(control, x, client.bottom / 2)) > sum(back) + 300) {
            return true;
        }
    }
    return false;
}

} // namespace miruteka::win32::testing
