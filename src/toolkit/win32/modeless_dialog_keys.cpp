#include "toolkit/win32/modeless_dialog_keys.h"

#include <algorithm>
#include <vector>

namespace miruteka::win32 {
namespace {

// One hook per thread, shared by every window registered on it.
struct ThreadHook {
    HHOOK hook = nullptr;
    std::vector<HWND> windows;
};
thread_local ThreadHook threadHook;

LRESULT CALLBACK getMessageHook(int code, WPARAM removal, LPARAM lParam) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        auto* message = reinterpret_cast<MSG*>(lParam);
        if (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) {
            for (HWND window : threadHook.windows) {
                if ((message->hwnd == window || ::IsChild(window, message->hwnd)) &&
                    ::IsDialogMessageW(window, message)) {
                    // Handled: the loop that fetched it dispatches nothing.
                    message->message = WM_NULL;
                    message->wParam = 0;
                    message->lParam = 0;
                    break;
                }
            }
        }
    }
    return ::CallNextHookEx(threadHook.hook, code, removal, lParam);
}

} // namespace

ModelessDialogKeys::ModelessDialogKeys(HWND window) : window_(window) {
    if (threadHook.windows.empty()) {
        threadHook.hook =
            ::SetWindowsHookExW(WH_GETMESSAGE, getMessageHook, nullptr, ::GetCurrentThreadId());
    }
    threadHook.windows.push_back(window_);
}

ModelessDialogKeys::~ModelessDialogKeys() {
    auto& windows = threadHook.windows;
    windows.erase(std::remove(windows.begin(), windows.end(), window_), windows.end());
    if (windows.empty() && threadHook.hook != nullptr) {
        ::UnhookWindowsHookEx(threadHook.hook);
        threadHook.hook = nullptr;
    }
}

} // namespace miruteka::win32
