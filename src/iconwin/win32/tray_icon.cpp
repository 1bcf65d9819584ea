#include "iconwin/win32/tray_icon.h"

#include "platform/win32/display_scale.h"
#include "platform/win32/wide_string.h"
#include "resource_ids.h"

#include <shellapi.h>

#include <cwchar>

namespace miruteka::win32 {
namespace {

constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMilliseconds = 2000;

} // namespace

TrayIcon::TrayIcon(LauncherState& state, LauncherHost& host, SettingsWindowOpener& opener)
    : state_(state), host_(host), opener_(opener), presence_(*this) {}

TrayIcon::~TrayIcon() {
    DeleteTrayIcon();
}

bool TrayIcon::createCallbackWindow() {
    if (hwnd() != nullptr) {
        return true;
    }
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    // The notification area shows small icons at the system's scale: 16 x 16 at 96 dpi,
    // taken from the image of the icon file drawn for that size.
    const int size = systemMetricAtDpi(SM_CXSMICON, systemDpi());
    icon_.reset(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON, size, size, 0)));
    if (!icon_) {
        // A program built without its resources still gets an icon to click.
        icon_.reset(::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION)));
    }
    // "TaskbarCreated" is broadcast to top-level windows only: a message-only window would
    // never hear that the shell restarted.
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    openSettings_ = ::RegisterWindowMessageW(kOpenSettingsMessageName);
    WNDCLASSEXW windowClass{};
    if (WindowBase::create(kTrayWindowClass, windowClass, WS_EX_TOOLWINDOW, L"", WS_POPUP, 0, 0, 0,
                           0, nullptr) == nullptr) {
        return false;
    }
    // A second start at a lower integrity level (this one started elevated) may still ask.
    ::ChangeWindowMessageFilterEx(hwnd(), openSettings_, MSGFLT_ALLOW, nullptr);
    return true;
}

void TrayIcon::AddTrayIcon() {
    if (!createCallbackWindow()) {
        return;
    }
    scheduleRetries(presence_.AddTrayIcon());
}

void TrayIcon::openSettingsWindow() {
    Picture1_MouseMove(state_, host_, opener_, kTrayLeftButtonDown);
}

void TrayIcon::DeleteTrayIcon() {
    if (hwnd() != nullptr) {
        ::KillTimer(hwnd(), kRetryTimer);
    }
    presence_.DeleteTrayIcon();
}

NOTIFYICONDATAW TrayIcon::record() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd();
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = icon_.get();
    const std::wstring tip = toWide(kTrayTip);
    std::wcsncpy(data.szTip, tip.c_str(), std::size(data.szTip) - 1);
    return data;
}

bool TrayIcon::addIcon() {
    NOTIFYICONDATAW data = record();
    return ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool TrayIcon::modifyIcon() {
    NOTIFYICONDATAW data = record();
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void TrayIcon::deleteIcon() {
    NOTIFYICONDATAW data = record();
    ::Shell_NotifyIconW(NIM_DELETE, &data);
}

void TrayIcon::scheduleRetries(bool wanted) {
    if (wanted) {
        ::SetTimer(hwnd(), kRetryTimer, kRetryMilliseconds, nullptr);
    } else {
        ::KillTimer(hwnd(), kRetryTimer);
    }
}

LRESULT TrayIcon::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage) {
        // The mouse message that happened on the icon is in the low word.
        Picture1_MouseMove(state_, host_, opener_, LOWORD(lParam));
        return 0;
    }
    if (message == WM_TIMER && wParam == kRetryTimer) {
        scheduleRetries(presence_.retryAdd());
        return 0;
    }
    if (openSettings_ != 0 && message == openSettings_) {
        openSettingsWindow();
        return 0;
    }
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        scheduleRetries(presence_.onTaskbarCreated());
        return 0;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

} // namespace miruteka::win32
