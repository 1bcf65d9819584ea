#include "toolkit/win32/modal_window.h"

#include "platform/geometry.h"

namespace miruteka::win32 {

void runModalLoop(HWND window) {
    HWND owner = ::GetWindow(window, GW_OWNER);
    const bool disableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disableOwner) {
        ::EnableWindow(owner, FALSE);
    }
    MSG message;
    while (::IsWindow(window)) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            if (got == 0) {
                ::PostQuitMessage(static_cast<int>(message.wParam));
            }
            endModal(window);
            break;
        }
        if (::IsDialogMessageW(window, &message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (disableOwner && ::IsWindow(owner)) {
        ::EnableWindow(owner, TRUE);
    }
}

void endModal(HWND window) {
    if (!::IsWindow(window)) {
        return;
    }
    if (HWND owner = ::GetWindow(window, GW_OWNER)) {
        ::EnableWindow(owner, TRUE);
    }
    ::DestroyWindow(window);
}

POINT centredOver(const RECT& area, SIZE size) {
    LONG x = area.left + (area.right - area.left - size.cx) / 2;
    LONG y = area.top + (area.bottom - area.top - size.cy) / 2;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoW(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        // The title bar stays reachable even when the opener sits at the screen's edge.
        const Point inside = movedInside({x, y, x + size.cx, y + size.cy},
                                         {work.left, work.top, work.right, work.bottom});
        return {inside.x, inside.y};
    }
    return {x, y};
}

RECT screenOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        return monitor.rcMonitor;
    }
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

void FocusMemory::restore() const {
    if (lastFocus_ != nullptr) {
        ::SetFocus(lastFocus_);
    }
}

void FocusMemory::onActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window, focus)) {
            lastFocus_ = focus;
        }
    } else {
        restore();
    }
}

} // namespace miruteka::win32
