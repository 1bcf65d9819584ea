#include "iconwin/win32/icon_window.h"

#include "platform/win32/win32_pointer_input.h"
#include "toolkit/win32/dark_mode.h"
#include "toolkit/win32/system_palette.h"

#include "resource_ids.h"

#include <commctrl.h>

#include <array>
#include <utility>

namespace miruteka::win32 {
namespace {

// The window colour behind each IC (never seen once IC fills the window).
constexpr std::array<COLORREF, 4> kWindowBackground{0x0000FFFF, 0x008080FF, 0x00FFC0C0, 0x0080C0FF};

TTTOOLINFOW toolFor(HWND owner, HWND tool) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    return info;
}

} // namespace

std::wstring iconWindowClass(int group) {
    return L"MirutekaForm" + std::to_wstring(group);
}

IconWindow::IconWindow(int group)
    : group_(group), picture_(kIconPictureBackground), pictureBox_(*this) {
    const std::wstring className = iconWindowClass(group);
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!::GetClassInfoExW(instance, className.c_str(), &windowClass)) {
        // The class owns its brush from here on and frees it with the class.
        windowClass = WNDCLASSEXW{};
        windowClass.hbrBackground = ::CreateSolidBrush(kWindowBackground[group - 1]);
        if (group == 1) {
            windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_MIRUTEKA));
            windowClass.hIconSm = windowClass.hIcon;
        }
    }
    create(className.c_str(), windowClass, WS_EX_TOOLWINDOW, L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
           Win32Picture::kSize, Win32Picture::kSize, nullptr);
    pictureBox_.create(hwnd());
    picture_.setWindow(pictureBox_.hwnd());
}

void IconWindow::addTooltip() {
    if (tooltip_) {
        return;
    }
    tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr));
    TTTOOLINFOW tool = toolFor(hwnd(), pictureBox_.hwnd());
    std::wstring text = tooltipText_;
    tool.lpszText = text.data();
    ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    colourTooltip();
}

void IconWindow::colourTooltip() {
    if (!tooltip_ || (!tooltipDark_ && !appsUseDarkTheme())) {
        return; // never dark yet: nothing to undo (and the one quick look at start-up)
    }
    const Palette palette = currentPalette();
    useClassicLook(tooltip_.get(), palette.dark); // themed tips ignore their colours
    ::SendMessageW(tooltip_.get(), TTM_SETTIPBKCOLOR,
                   palette.dark ? palette.tooltips.back : ::GetSysColor(COLOR_INFOBK), 0);
    ::SendMessageW(tooltip_.get(), TTM_SETTIPTEXTCOLOR,
                   palette.dark ? palette.tooltips.text : ::GetSysColor(COLOR_INFOTEXT), 0);
    tooltipDark_ = palette.dark;
}

IconWindow::~IconWindow() {
    for (const auto& [timerId, handler] : timerHandlers_) {
        if (hwnd() != nullptr) {
            ::KillTimer(hwnd(), timerId);
        }
    }
}

void IconWindow::resize(int pixels) {
    if (pixels == picture_.size()) {
        return; // window, box and picture always have one size
    }
    picture_.resize(pixels);
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(pictureBox_.hwnd(), nullptr, 0, 0, pixels, pixels, flags);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, pixels, pixels, flags);
}

void IconWindow::setTooltip(const std::wstring& text) {
    tooltipText_ = text;
    if (tooltip_) {
        TTTOOLINFOW tool = toolFor(hwnd(), pictureBox_.hwnd());
        std::wstring copy = text;
        tool.lpszText = copy.data();
        ::SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // Screen readers and UI Automation name a window by its text: the window and its
    // picture say what the tooltip says.
    ::SetWindowTextW(hwnd(), text.c_str());
    ::SetWindowTextW(pictureBox_.hwnd(), text.c_str());
}

std::wstring IconWindow::tooltip() const {
    if (!tooltip_) {
        return tooltipText_;
    }
    TTTOOLINFOW tool = toolFor(hwnd(), pictureBox_.hwnd());
    wchar_t buffer[1024] = L"";
    tool.lpszText = buffer;
    ::SendMessageW(tooltip_.get(), TTM_GETTEXTW, std::size(buffer),
                   reinterpret_cast<LPARAM>(&tool));
    return buffer;
}

void IconWindow::setTimerHandler(UINT_PTR timerId, std::function<void()> handler) {
    timerHandlers_[timerId] = std::move(handler);
}

void IconWindow::setDisplayChangeHandler(std::function<void()> handler) {
    displayChangeHandler_ = std::move(handler);
}

LRESULT IconWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DISPLAYCHANGE:
        if (displayChangeHandler_) {
            displayChangeHandler_();
        }
        break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA && displayChangeHandler_) {
            displayChangeHandler_();
        }
        if (wParam == SPI_SETHIGHCONTRAST || isThemeChange(message, lParam)) {
            colourTooltip();
        }
        break;
    case WM_TIMER:
        if (const auto found = timerHandlers_.find(wParam); found != timerHandlers_.end()) {
            found->second();
            return 0;
        }
        break;
    case WM_CLOSE:
        // Alt+F4 on an icon window would tear one window out of the chain; the program
        // ends through the settings window's Quit.
        return 0;
    case WM_DPICHANGED:
        // The chain takes the scale of the monitor under the pointer, all four windows at
        // once, when it moves (the motion); one window reaching another monitor changes
        // nothing on its own.
        return 0;
    default:
        break;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

void IconWindow::mouseDown(int button, WPARAM keys) {
    if (events_ != nullptr) {
        events_->IC_MouseDown(group_, button, modifierMask(keys));
    }
}

void IconWindow::PictureBox::create(HWND parent) {
    WNDCLASSEXW pictureClass{};
    WindowBase::create(kIconPictureClass, pictureClass, 0, L"", WS_CHILD | WS_VISIBLE, 0, 0,
                       Win32Picture::kSize, Win32Picture::kSize, parent);
}

LRESULT IconWindow::PictureBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the picture covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(hwnd(), &paint);
        owner_.picture_.paint(dc);
        ::EndPaint(hwnd(), &paint);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (owner_.events_ != nullptr) {
            owner_.events_->IC_MouseMove(owner_.group_);
        }
        return 0;
    case WM_LBUTTONDOWN:
        owner_.mouseDown(1, wParam);
        return 0;
    case WM_RBUTTONDOWN:
        owner_.mouseDown(2, wParam);
        return 0;
    case WM_MBUTTONDOWN:
        owner_.mouseDown(4, wParam);
        return 0;
    default:
        break;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

} // namespace miruteka::win32
