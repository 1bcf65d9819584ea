#include "toolkit/win32/window_base.h"

namespace miruteka::win32 {

WindowBase::~WindowBase() {
    if (hwnd_ != nullptr) {
        HWND window = hwnd_;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        ::DestroyWindow(window);
    }
}

HWND WindowBase::create(const wchar_t* className, const WNDCLASSEXW& classTemplate, DWORD exStyle,
                        const wchar_t* title, DWORD style, int x, int y, int width, int height,
                        HWND parent, HMENU menu) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!::GetClassInfoExW(instance, className, &existing)) {
        WNDCLASSEXW windowClass = classTemplate;
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &WindowBase::windowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = className;
        if (windowClass.hCursor == nullptr) {
            windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        }
        ::RegisterClassExW(&windowClass);
    }
    return ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                             instance, this);
}

LRESULT WindowBase::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* self = nullptr;
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        self = static_cast<WindowBase*>(create->lpCreateParams);
        self->hwnd_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        const LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
        try {
            self->onDestroyed();
        } catch (...) {
        }
        return result;
    }
    try {
        return self->handleMessage(message, wParam, lParam);
    } catch (...) {
        // A failing handler ends that handler only; the program goes on.
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace miruteka::win32
