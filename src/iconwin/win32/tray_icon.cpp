#include "iconwin/win32/tray_icon.h"

#include "platform/texts.h"
#include "platform/win32/wide_string.h"
#include "resource_ids.h"
#include "toolkit/win32/display_scale.h"

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
    loadIcon();
    // "TaskbarCreated" is broadcast to top-level windows only: a message-only window would
    // never hear that the shell restarted.
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    openSettings_ = ::RegisterWindowMessageW(kOpenSettingsMessageName);
    WNDCLASSEXW windowClass{};
    if (WindowBase::create(kTrayWindowClass, windowClass, WS_EX_TOOLWINDOW, L"", WS_POPUP, 0, 0, 0,
                           0, nullptr) == nullptr) {
        return false;
    }
    // Started elevated, the program would not hear the broadcast from the shell, which runs
    // with less privilege, and after an Explorer restart the icon would be gone for good.
    ::ChangeWindowMessageFilterEx(hwnd(), taskbarCreated_, MSGFLT_ALLOW, nullptr);
    // A second start at a lower integrity level (this one started elevated) may still ask.
    ::ChangeWindowMessageFilterEx(hwnd(), openSettings_, MSGFLT_ALLOW, nullptr);
    return true;
}

// The notification area shows small icons at the primary monitor's scale: 16 x 16 at 96 dpi,
// taken from the image of the icon file drawn for that size. False when the icon already has
// the size.
bool TrayIcon::loadIcon() {
    const int size = systemMetricAtDpi(SM_CXSMICON, dpiAt(POINT{0, 0}));
    if (icon_ && size == iconSize_ && paused_ == iconPaused_) {
        return false;
    }
    UniqueIcon icon(static_cast<HICON>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(paused_ ? IDI_TRAY_PAUSED : IDI_TRAY),
        IMAGE_ICON, size, size, 0)));
    if (!icon) {
        // A program built without its resources still gets an icon to click.
        icon.reset(::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION)));
    }
    icon_ = std::move(icon); // the shell keeps a copy of the icon it shows
    iconSize_ = size;
    iconPaused_ = paused_;
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

void TrayIcon::setPaused(bool paused) {
    paused_ = paused;
    if (loadIcon() && presence_.shown()) {
        modifyIcon();
    }
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
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = icon_.get();
    const std::wstring tip = toWide(text(paused_ ? TextId::TrayPausedTip : TextId::TrayTip));
    std::wcsncpy(data.szTip, tip.c_str(), std::size(data.szTip) - 1);
    return data;
}

bool TrayIcon::addIcon() {
    NOTIFYICONDATAW data = record();
    if (::Shell_NotifyIconW(NIM_ADD, &data) == FALSE) {
        return false;
    }
    // Only at this version does the shell tell of the icon chosen from the keyboard.
    data.uVersion = NOTIFYICON_VERSION_4;
    ::Shell_NotifyIconW(NIM_SETVERSION, &data);
    return true;
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
        // What happened on the icon is in the low word.
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
        loadIcon(); // the scale may have changed while the shell was away
        scheduleRetries(presence_.onTaskbarCreated());
        return 0;
    }
    if (message == WM_DISPLAYCHANGE || message == WM_SETTINGCHANGE || message == WM_DPICHANGED) {
        // A new scale of the primary monitor: the icon at its new small-icon size.
        if (loadIcon() && presence_.shown()) {
            modifyIcon();
        }
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

} // namespace miruteka::win32
