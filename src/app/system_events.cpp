#include "app/system_events.h"

#include "platform/win32/system_library.h"

#include <dbt.h>
#include <wtsapi32.h>

namespace miruteka::win32 {
namespace {

constexpr UINT_PTR kEveryMinuteTimer = 1;
constexpr UINT kEveryMinute = 60 * 1000;
// Unlock notices are asked for a moment after start-up, so their DLL is not loaded while the
// icon windows are first drawn.
constexpr UINT_PTR kListenTimer = 2;
constexpr UINT kListenDelay = 2000;

} // namespace

SystemEvents::SystemEvents(std::function<void()> itemsMayHaveReturned)
    : itemsMayHaveReturned_(std::move(itemsMayHaveReturned)) {
    // Not a message-only window: those never get the broadcasts this window is for.
    create(L"MirutekaSystemEvents", WNDCLASSEXW{}, WS_EX_TOOLWINDOW, L"", WS_POPUP, 0, 0, 0, 0,
           nullptr);
    if (hwnd() != nullptr) {
        ::SetTimer(hwnd(), kEveryMinuteTimer, kEveryMinute, nullptr);
        ::SetTimer(hwnd(), kListenTimer, kListenDelay, nullptr);
    }
}

SystemEvents::~SystemEvents() {
    if (listeningForUnlock_ && hwnd() != nullptr) {
        if (auto* stop = systemFunction<decltype(::WTSUnRegisterSessionNotification)>(
                L"wtsapi32.dll", "WTSUnRegisterSessionNotification")) {
            stop(hwnd());
        }
    }
}

void SystemEvents::listenForUnlock() {
    auto* listen = systemFunction<decltype(::WTSRegisterSessionNotification)>(
        L"wtsapi32.dll", "WTSRegisterSessionNotification");
    listeningForUnlock_ = listen != nullptr && listen(hwnd(), NOTIFY_FOR_THIS_SESSION);
}

LRESULT SystemEvents::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kListenTimer) {
            ::KillTimer(hwnd(), kListenTimer);
            listenForUnlock();
        } else if (wParam == kEveryMinuteTimer) {
            itemsMayHaveReturned_();
        }
        return 0;
    case WM_DEVICECHANGE:
        if (wParam == DBT_DEVICEARRIVAL) {
            itemsMayHaveReturned_();
        }
        return TRUE;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
            itemsMayHaveReturned_();
        }
        return TRUE;
    case WM_WTSSESSION_CHANGE:
        if (wParam == WTS_SESSION_UNLOCK) {
            itemsMayHaveReturned_();
        }
        return 0;
    default:
        break;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

} // namespace miruteka::win32
