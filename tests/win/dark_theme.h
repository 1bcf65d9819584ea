// Windows' apps dark or light in the test prefix's registry for as long as a test needs, and
// what the screen shows of a window.
#pragma once

#include "win/modal_test_support.h"

#include <windows.h>

namespace miruteka::win32::testing {

class AppsTheme {
  public:
    explicit AppsTheme(bool dark) {
        DWORD size = sizeof before_;
        hadValue_ = ::RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr,
                                   &before_, &size) == ERROR_SUCCESS;
        set(dark);
    }
    ~AppsTheme() {
        if (hadValue_) {
            ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &before_, sizeof before_);
        } else {
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
        }
    }
    AppsTheme(const AppsTheme&) = delete;
    AppsTheme& operator=(const AppsTheme&) = delete;

    // Sets the value and tells the window, as Windows tells every top-level window.
    void set(bool dark, HWND window = nullptr) const {
        const DWORD light = dark ? 0 : 1;
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &light, sizeof light);
        if (window != nullptr) {
            ::SendMessageW(window, WM_SETTINGCHANGE, 0,
                           reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
        }
    }

  private:
    static constexpr const wchar_t* kKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    static constexpr const wchar_t* kValue = L"AppsUseLightTheme";
    bool hadValue_ = false;
    DWORD before_ = 1;
};

// The screen's pixel at a point of the window's client area, once the window has painted.
inline COLORREF pixelOf(HWND window, int x, int y) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    POINT at{x, y};
    ::ClientToScreen(window, &at);
    HDC screen = ::GetDC(nullptr);
    const COLORREF pixel = ::GetPixel(screen, at.x, at.y);
    ::ReleaseDC(nullptr, screen);
    return pixel;
}

// The window shows the colour at that point, within a few seconds (the screen can lag behind
// the painting).
inline bool shows(HWND window, int x, int y, COLORREF colour) {
    return pumpUntil([&] { return pixelOf(window, x, y) == colour; },
                     std::chrono::milliseconds(3000));
}

inline int lightnessOf(COLORREF colour) {
    return (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
}

// Some pixel of the control's client area is much lighter than its back: its text.
inline bool showsLightText(HWND control, COLORREF back) {
    ::RedrawWindow(control, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    ::GetClientRect(control, &client);
    POINT corner{0, 0};
    ::ClientToScreen(control, &corner);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP picture = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = ::SelectObject(memory, picture);
    ::BitBlt(memory, 0, 0, client.right, client.bottom, screen, corner.x, corner.y, SRCCOPY);
    bool found = false;
    for (int y = 0; y < client.bottom && !found; ++y) {
        for (int x = 0; x < client.right && !found; ++x) {
            found = lightnessOf(::GetPixel(memory, x, y)) > lightnessOf(back) + 100;
        }
    }
    ::SelectObject(memory, old);
    ::DeleteObject(picture);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return found;
}

} // namespace miruteka::win32::testing
