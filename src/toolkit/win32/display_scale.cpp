#include "toolkit/win32/display_scale.h"

#include "platform/geometry.h"
#include "platform/win32/system_library.h"

namespace miruteka::win32 {
namespace {

// The calls of later systems, found once (shcore.dll comes with Windows 8.1).
struct LaterCalls {
    UINT(WINAPI* getDpiForWindow)
    (HWND) = systemFunction<UINT WINAPI(HWND)>(L"user32.dll", "GetDpiForWindow");
    UINT(WINAPI* getDpiForSystem)
    () = systemFunction<UINT WINAPI()>(L"user32.dll", "GetDpiForSystem");
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) =
        systemFunction<int WINAPI(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
    BOOL(WINAPI* adjustWindowRectExForDpi)
    (RECT*, DWORD, BOOL, DWORD, UINT) =
        systemFunction<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>(L"user32.dll",
                                                                     "AdjustWindowRectExForDpi");
    BOOL(WINAPI* systemParametersInfoForDpi)
    (UINT, UINT, void*, UINT, UINT) = systemFunction<BOOL WINAPI(UINT, UINT, void*, UINT, UINT)>(
        L"user32.dll", "SystemParametersInfoForDpi");
    HRESULT(WINAPI* getDpiForMonitor)
    (HMONITOR, int, UINT*,
     UINT*) = systemFunction<HRESULT WINAPI(HMONITOR, int, UINT*, UINT*)>(L"shcore.dll",
                                                                          "GetDpiForMonitor");
};

const LaterCalls& later() {
    static const LaterCalls calls;
    return calls;
}

constexpr int kMonitorEffectiveDpi = 0; // MDT_EFFECTIVE_DPI

int dpiOfMonitor(HMONITOR monitor) {
    UINT x = 0;
    UINT y = 0;
    if (monitor != nullptr && later().getDpiForMonitor != nullptr &&
        SUCCEEDED(later().getDpiForMonitor(monitor, kMonitorEffectiveDpi, &x, &y)) && x > 0) {
        return static_cast<int>(x);
    }
    return systemDpi();
}

} // namespace

int systemDpi() {
    if (later().getDpiForSystem != nullptr) {
        return static_cast<int>(later().getDpiForSystem());
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

int dpiOfWindow(HWND window) {
    if (window != nullptr && later().getDpiForWindow != nullptr) {
        if (const UINT dpi = later().getDpiForWindow(window); dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return dpiOfMonitor(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int dpiAt(POINT screenPoint) {
    return dpiOfMonitor(::MonitorFromPoint(screenPoint, MONITOR_DEFAULTTONEAREST));
}

int systemMetricAtDpi(int index, int dpi) {
    if (later().getSystemMetricsForDpi != nullptr) {
        return later().getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    }
    return scaleToDpi(::GetSystemMetrics(index), systemDpi(), dpi);
}

SIZE outerSizeAtDpi(DWORD style, DWORD exStyle, int clientWidth, int clientHeight, int dpi) {
    RECT rect{0, 0, clientWidth, clientHeight};
    if (later().adjustWindowRectExForDpi != nullptr) {
        later().adjustWindowRectExForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi));
    } else {
        // Without per-monitor frames every frame has the system's size.
        ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void resizeClientArea(HWND window, int clientWidth, int clientHeight) {
    const auto style = static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE));
    const SIZE outer =
        outerSizeAtDpi(style, exStyle, clientWidth, clientHeight, dpiOfWindow(window));
    ::SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void moveToSuggestedRect(HWND window, const RECT& suggested) {
    ::SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void sizeForDpi(HWND window, const RECT* suggested, int clientWidthTwips, int clientHeightTwips,
                int dpi) {
    if (suggested != nullptr) {
        moveToSuggestedRect(window, *suggested);
    } else {
        resizeClientArea(window, twipsToPixels(clientWidthTwips, dpi),
                         twipsToPixels(clientHeightTwips, dpi));
    }
}

LOGFONTW messageFontAtDpi(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (later().systemParametersInfoForDpi != nullptr &&
        later().systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                           static_cast<UINT>(dpi))) {
        return metrics.lfMessageFont;
    }
    LOGFONTW font{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    font.lfHeight = scaleToDpi(font.lfHeight, systemDpi(), dpi);
    return font;
}

} // namespace miruteka::win32
