#include "app/global_key.h"

namespace miruteka::win32 {
namespace {

constexpr int kHotKeyId = 1;
constexpr int kTrialId = 2;

bool registerKey(HWND window, int id, const HotKey& key) {
    const UINT modifiers = (key.ctrl ? MOD_CONTROL : 0) | (key.shift ? MOD_SHIFT : 0) |
                           (key.alt ? MOD_ALT : 0) | MOD_NOREPEAT; // held down, it acts once
    return usableAsGlobalKey(key) && ::RegisterHotKey(window, id, modifiers, key.virtualKey);
}

} // namespace

GlobalKey::GlobalKey(std::function<void()> pressed) : pressed_(std::move(pressed)) {
    create(L"MirutekaGlobalKey", WNDCLASSEXW{}, 0, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

GlobalKey::~GlobalKey() {
    set(HotKey{});
}

bool GlobalKey::set(const HotKey& key) {
    if (hwnd() == nullptr) {
        return key.none();
    }
    if (!held_.none()) {
        ::UnregisterHotKey(hwnd(), kHotKeyId);
        held_ = HotKey{};
    }
    if (key.none() || !registerKey(hwnd(), kHotKeyId, key)) {
        return key.none();
    }
    held_ = key;
    return true;
}

bool GlobalKey::available(const HotKey& key) {
    if (key == held_ && !key.none()) {
        return true;
    }
    if (hwnd() == nullptr || !registerKey(hwnd(), kTrialId, key)) {
        return false;
    }
    ::UnregisterHotKey(hwnd(), kTrialId);
    return true;
}

LRESULT GlobalKey::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY && wParam == kHotKeyId) {
        pressed_();
        return 0;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

} // namespace miruteka::win32
