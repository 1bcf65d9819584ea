// The floor for the start-up benchmark: only what a launcher of this kind must do before its
// icons show. OLE is initialised; four 32 x 32 topmost tool windows, each a drop target with
// an icon extracted from a program file and a tooltip naming it, painted at once; then one
// notification-area icon. Drops are accepted and ignored: the floor measures the
// registration, not the handling.
//
// floor.exe PROGRAM1 PROGRAM2 PROGRAM3 PROGRAM4 [X Y]: the icons of the four programs, in a
// column whose first window's top-left corner is X-16, Y+14 (the launcher's column under a
// pointer at X, Y).
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <array>
#include <cwchar>
#include <string>

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr int kIconSize = 32;

class IgnoringDropTarget final : public IDropTarget {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *object = static_cast<IDropTarget*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // One static object for the program's life: nothing to count.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
};

IgnoringDropTarget dropTarget;
std::array<HICON, 4> icons{};

LRESULT CALLBACK iconWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        const auto index = static_cast<size_t>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        ::DrawIconEx(dc, 0, 0, icons[index], kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
        ::EndPaint(window, &paint);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK trayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND createIconWindow(HINSTANCE instance, size_t index, int x, int y, const wchar_t* program) {
    HWND window =
        ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"FloorIcon", L"", WS_POPUP, x, y,
                          kIconSize, kIconSize, nullptr, nullptr, instance, nullptr);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(index));
    ::RegisterDragDrop(window, &dropTarget);
    ::ExtractIconExW(program, 0, &icons[index], nullptr, 1);

    HWND tooltip =
        ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    std::wstring text = program;
    tool.lpszText = text.data();
    ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr || count < 5) {
        return 2;
    }
    const int pointerX = count >= 7 ? _wtoi(arguments[5]) : 640;
    const int pointerY = count >= 7 ? _wtoi(arguments[6]) : 400;

    if (FAILED(::OleInitialize(nullptr))) {
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);

    WNDCLASSEXW iconClass{};
    iconClass.cbSize = sizeof iconClass;
    iconClass.lpfnWndProc = iconWindowProc;
    iconClass.hInstance = instance;
    iconClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    iconClass.hbrBackground = ::CreateSolidBrush(0x0080FFFF);
    iconClass.lpszClassName = L"FloorIcon";
    ::RegisterClassExW(&iconClass);
    std::array<HWND, 4> windows{};
    for (size_t index = 0; index < icons.size(); ++index) {
        windows[index] =
            createIconWindow(instance, index, pointerX - kIconSize / 2,
                             pointerY + 14 + 40 * static_cast<int>(index), arguments[index + 1]);
    }
    for (HWND window : windows) {
        ::UpdateWindow(window);
    }

    WNDCLASSEXW trayClass{};
    trayClass.cbSize = sizeof trayClass;
    trayClass.lpfnWndProc = trayWindowProc;
    trayClass.hInstance = instance;
    trayClass.lpszClassName = L"FloorTray";
    ::RegisterClassExW(&trayClass);
    HWND trayWindow = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"FloorTray", L"", WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAW tray{};
    tray.cbSize = sizeof tray;
    tray.hWnd = trayWindow;
    tray.uID = 1;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = kTrayMessage;
    tray.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    std::wcsncpy(tray.szTip, L"floor", std::size(tray.szTip) - 1);
    ::Shell_NotifyIconW(NIM_ADD, &tray);
    ::LocalFree(arguments);

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::Shell_NotifyIconW(NIM_DELETE, &tray);
    ::OleUninitialize();
    return 0;
}
