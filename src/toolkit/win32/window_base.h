// The base of every window class: the static window procedure takes `this` from the
// creation parameters on WM_NCCREATE, keeps it in GWLP_USERDATA until WM_NCDESTROY and
// forwards every message to handleMessage. No exception crosses the window procedure.
#pragma once

#include <windows.h>

namespace miruteka::win32 {

class WindowBase {
  public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND hwnd() const { return hwnd_; }

  protected:
    // Registers the class once per process (a no-op if already registered) and creates the
    // window with this object as its creation parameter.
    HWND create(const wchar_t* className, const WNDCLASSEXW& classTemplate, DWORD exStyle,
                const wchar_t* title, DWORD style, int x, int y, int width, int height, HWND parent,
                HMENU menu = nullptr);

    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called on WM_NCDESTROY after the window handle is detached.
    virtual void onDestroyed() {}

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

} // namespace miruteka::win32
