// Entry point. Start-up lives in the start-up window's load handler; this only prepares the
// thread (OLE for drops, the shell and the browser object) and runs the message loop.
#include <ole2.h>
#include <windows.h>

namespace {

LRESULT CALLBACK placeholderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (FAILED(::OleInitialize(nullptr))) {
        return 1;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = placeholderProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"MirutekaForm1";
    ::RegisterClassExW(&windowClass);
    HWND window = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"MirutekaForm1", L"ミルテカ", WS_POPUP, 0, 0,
                                    32, 32, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::OleUninitialize();
    return static_cast<int>(message.wParam);
}
