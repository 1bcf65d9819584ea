#include "app/system_events.h"

#include "platform/win32/system_library.h"

#include <dbt.h>
#include <wtsapi32.h>

#include <cstring>

namespace miruteka::win32 {
namespace {

constexpr UINT_PTR kEveryMinuteTimer = 1;
constexpr UINT kEveryMinute = 60 * 1000;
// Session notices are asked for a moment after start-up, so their DLL is not loaded while
// the icon windows are first drawn.
constexpr UINT_PTR kListenTimer = 2;
constexpr UINT kListenDelay = 2000;

// GUID_CONSOLE_DISPLAY_STATE: the console display is off (0), on (1) or dimmed (2).
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr DWORD kDisplayOff = 0;

} // namespace

SystemEvents::SystemEvents(SystemEventHandlers handlers) : handlers_(std::move(handlers)) {
    // Not a message-only window: those never get the broadcasts this window is for.
    create(L"MirutekaSystemEvents", WNDCLASSEXW{}, WS_EX_TOOLWINDOW, L"", WS_POPUP, 0, 0, 0, 0,
           nullptr);
    if (hwnd() != nullptr) {
        ::SetTimer(hwnd(), kEveryMinuteTimer, kEveryMinute, nullptr);
        ::SetTimer(hwnd(), kListenTimer, kListenDelay, nullptr);
    }
}

SystemEvents::~SystemEvents() {
    if (displayNotice_ != nullptr) {
        ::UnregisterPowerSettingNotification(displayNotice_);
    }
    if (listeningForSession_ && hwnd() != nullptr) {
        if (auto* stop = systemFunction<decltype(::WTSUnRegisterSessionNotification)>(
                L"wtsapi32.dll", "WTSUnRegisterSessionNotification")) {
            stop(hwnd());
        }
    }
}

void SystemEvents::setMinuteLook(bool on) {
    if (on == minuteLook_ || hwnd() == nullptr) {
        return;
    }
    minuteLook_ = on;
    if (on) {
        ::SetTimer(hwnd(), kEveryMinuteTimer, kEveryMinute, nullptr);
    } else {
        ::KillTimer(hwnd(), kEveryMinuteTimer);
    }
}

void SystemEvents::listenForSessionChanges() {
    auto* listen = systemFunction<decltype(::WTSRegisterSessionNotification)>(
        L"wtsapi32.dll", "WTSRegisterSessionNotification");
    listeningForSession_ = listen != nullptr && listen(hwnd(), NOTIFY_FOR_THIS_SESSION);
    // The system answers at once with the display's present state.
    displayNotice_ = ::RegisterPowerSettingNotification(hwnd(), &kConsoleDisplayState,
                                                        DEVICE_NOTIFY_WINDOW_HANDLE);
}

void SystemEvents::onSessionChange(WPARAM change) {
    switch (change) {
    case WTS_SESSION_LOCK:
        handlers_.awayChanged(AwayReason::Locked, true);
        break;
    case WTS_SESSION_UNLOCK:
        handlers_.awayChanged(AwayReason::Locked, false);
        handlers_.itemsMayHaveReturned();
        break;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT:
        handlers_.awayChanged(AwayReason::Disconnected, true);
        break;
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
        handlers_.awayChanged(AwayReason::Disconnected, false);
        // Seen from a remote desktop, the console's display says nothing about the user.
        if (::GetSystemMetrics(SM_REMOTESESSION) != 0) {
            handlers_.awayChanged(AwayReason::DisplayOff, false);
        }
        break;
    default:
        break;
    }
}

void SystemEvents::onPowerSetting(const POWERBROADCAST_SETTING& setting) {
    if (!IsEqualGUID(setting.PowerSetting, kConsoleDisplayState) ||
        setting.DataLength < sizeof(DWORD)) {
        return;
    }
    DWORD state = 0;
    std::memcpy(&state, setting.Data, sizeof state);
    // Dimmed is still shown, and a remote user does not look at the console's display.
    const bool off = state == kDisplayOff && ::GetSystemMetrics(SM_REMOTESESSION) == 0;
    handlers_.awayChanged(AwayReason::DisplayOff, off);
}

LRESULT SystemEvents::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kListenTimer) {
            ::KillTimer(hwnd(), kListenTimer);
            listenForSessionChanges();
        } else if (wParam == kEveryMinuteTimer) {
            handlers_.itemsMayHaveReturned();
        }
        return 0;
    case WM_DEVICECHANGE:
        if (wParam == DBT_DEVICEARRIVAL) {
            handlers_.itemsMayHaveReturned();
        }
        return TRUE;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
            handlers_.itemsMayHaveReturned();
        } else if (wParam == PBT_POWERSETTINGCHANGE && lParam != 0) {
            onPowerSetting(*reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam));
        }
        return TRUE;
    case WM_WTSSESSION_CHANGE:
        onSessionChange(wParam);
        return 0;
    default:
        break;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

} // namespace miruteka::win32
