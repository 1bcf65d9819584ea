#include "toolkit/win32/dark_mode.h"

#include "platform/win32/system_library.h"
#include "platform/win32/unique.h"

#include <commctrl.h>
#include <dwmapi.h>
#include <uxtheme.h>

#include <array>
#include <cmath>

namespace miruteka::win32 {
namespace {

constexpr UINT_PTR kRecolourSubclassId = 0x4D52; // any id of our own
// DWMWA_USE_IMMERSIVE_DARK_MODE, and its number on Windows 10 before 20H1.
constexpr DWORD kDarkTitleBar = 20;
constexpr DWORD kDarkTitleBarBefore20H1 = 19;

uint8_t channel(uint32_t colour, int shift) {
    return static_cast<uint8_t>((colour >> shift) & 0xFF);
}

// How much of the text colour a pixel of this lightness gets. The square root lifts the
// light greys of edges, sliders and tics, which would otherwise all but vanish into the back.
const std::array<int, 256>& inkOfLightness() {
    static const std::array<int, 256> table = [] {
        std::array<int, 256> ink{};
        for (int lightness = 0; lightness < 256; ++lightness) {
            ink[lightness] =
                static_cast<int>(std::lround(255 * std::sqrt((255 - lightness) / 255.0)));
        }
        return ink;
    }();
    return table;
}

// Every pixel (a DIB's 0x00RRGGBB) from white to black becomes back to text.
void recolour(uint32_t* pixels, size_t count, const ColourPair& colours) {
    const auto& inkOf = inkOfLightness();
    for (size_t i = 0; i < count; ++i) {
        const uint32_t pixel = pixels[i];
        const int ink =
            inkOf[(channel(pixel, 16) * 30 + channel(pixel, 8) * 59 + channel(pixel, 0) * 11) /
                  100];
        auto mix = [&](int shift) {
            const int back = channel(colours.back, shift);
            const int text = channel(colours.text, shift);
            return static_cast<uint32_t>(back + (text - back) * ink / 255);
        };
        // COLORREF keeps red lowest, a DIB keeps it at bit 16.
        pixels[i] = (mix(0) << 16) | (mix(8) << 8) | mix(16);
    }
}

void paintRecoloured(HWND control, HDC target, const ColourPair& colours) {
    RECT client{};
    ::GetClientRect(control, &client);
    if (client.right <= 0 || client.bottom <= 0) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueGdiObject picture(::CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc memory(::CreateCompatibleDC(target));
    if (!picture || !memory || bits == nullptr) {
        ::DefSubclassProc(control, WM_PAINT, reinterpret_cast<WPARAM>(target), 0);
        return;
    }
    {
        SelectObjectScope selected(memory.get(), picture.get());
        ::FillRect(memory.get(), &client, ::GetSysColorBrush(COLOR_WINDOW));
        ::DefSubclassProc(control, WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0);
        ::GdiFlush();
        recolour(static_cast<uint32_t*>(bits),
                 static_cast<size_t>(client.right) * static_cast<size_t>(client.bottom), colours);
        ::BitBlt(target, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
}

LRESULT CALLBACK recolouredProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR colours) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers it all
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        const auto& pair = *reinterpret_cast<const ColourPair*>(colours);
        if (wParam != 0) {
            paintRecoloured(control, reinterpret_cast<HDC>(wParam), pair);
            return 0;
        }
        PAINTSTRUCT paint{};
        HDC dc = ::BeginPaint(control, &paint);
        paintRecoloured(control, dc, pair);
        ::EndPaint(control, &paint);
        return 0;
    }
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(control, recolouredProc, kRecolourSubclassId);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

void setTheme(HWND control, const wchar_t* application, const wchar_t* classes) {
    if (auto* set = systemFunction<decltype(::SetWindowTheme)>(L"uxtheme.dll", "SetWindowTheme")) {
        set(control, application, classes);
    }
}

} // namespace

bool appsUseDarkTheme() {
    DWORD light = 1;
    DWORD size = sizeof light;
    const LSTATUS status = ::RegGetValueW(
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
        L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
    return status == ERROR_SUCCESS && light == 0;
}

bool isThemeChange(UINT message, LPARAM lParam) {
    return message == WM_SETTINGCHANGE && lParam != 0 &&
           ::lstrcmpiW(reinterpret_cast<const wchar_t*>(lParam), L"ImmersiveColorSet") == 0;
}

void useDarkTitleBar(HWND window, bool dark) {
    auto* set =
        systemFunction<decltype(::DwmSetWindowAttribute)>(L"dwmapi.dll", "DwmSetWindowAttribute");
    if (set == nullptr) {
        return;
    }
    const BOOL value = dark ? TRUE : FALSE;
    if (FAILED(set(window, kDarkTitleBar, &value, sizeof value))) {
        set(window, kDarkTitleBarBefore20H1, &value, sizeof value);
    }
}

void useClassicLook(HWND control, bool classic) {
    setTheme(control, classic ? L"" : nullptr, classic ? L"" : nullptr);
}

void useDarkScrollBars(HWND control, bool dark) {
    // Windows 10 and 11 keep the dark scroll bars of their own explorer under this name.
    setTheme(control, dark ? L"DarkMode_Explorer" : nullptr, nullptr);
}

void paintInColours(HWND control, const ColourPair* colours) {
    if (colours != nullptr) {
        ::SetWindowSubclass(control, recolouredProc, kRecolourSubclassId,
                            reinterpret_cast<DWORD_PTR>(colours));
    } else {
        ::RemoveWindowSubclass(control, recolouredProc, kRecolourSubclassId);
    }
    ::InvalidateRect(control, nullptr, TRUE);
}

} // namespace miruteka::win32
