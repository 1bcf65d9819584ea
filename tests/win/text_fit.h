// Whether every button and label of a window shows its whole text: each text is measured
// with the control's own font against the control's client area (as far as its window
// region shows of it).
#pragma once

#include "platform/texts.h"
#include "win/modal_test_support.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace miruteka::win32::testing {

// "id: needs W x H, has W x H" for each button or label whose text does not fit.
inline std::vector<std::string> textsThatDoNotFit(HWND window) {
    std::vector<std::string> cut;
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring kind = classOf(child);
        const std::wstring text = textOf(child);
        const bool button = ::lstrcmpiW(kind.c_str(), L"Button") == 0;
        if ((!button && ::lstrcmpiW(kind.c_str(), L"Static") != 0) || text.empty()) {
            continue;
        }
        HDC dc = ::GetDC(child);
        const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageW(child, WM_GETFONT, 0, 0));
        const HGDIOBJ old = ::SelectObject(dc, font);
        RECT needed{};
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                    DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        ::SelectObject(dc, old);
        ::ReleaseDC(child, dc);
        RECT has{};
        ::GetClientRect(child, &has);
        RECT shown{};
        if (::GetWindowRgnBox(child, &shown) != ERROR) {
            has.right = std::min(has.right, shown.right);
        }
        if (font == nullptr || needed.right > has.right || needed.bottom > has.bottom) {
            cut.push_back(std::to_string(::GetDlgCtrlID(child)) + ": needs " +
                          std::to_string(needed.right) + " x " + std::to_string(needed.bottom) +
                          ", has " + std::to_string(has.right) + " x " +
                          std::to_string(has.bottom));
        }
    }
    return cut;
}

// The windows made while it lives show their English texts.
struct EnglishTexts {
    EnglishTexts() { useLanguage(Language::English); }
    ~EnglishTexts() { useLanguage(Language::Japanese); }
    EnglishTexts(const EnglishTexts&) = delete;
    EnglishTexts& operator=(const EnglishTexts&) = delete;
};

} // namespace miruteka::win32::testing
