#include "app/pause_key.h"

namespace miruteka::win32 {
namespace {

constexpr int kPauseHotKeyId = 1;
constexpr int kTrialId = 2;

bool registerKey(HWND window, int id, const HotKey& key) {
    const UINT modifiers = (key.ctrl ? MOD_CONTROL : 0) | (key.shift ? MOD_SHIFT : 0) |
                           (key.alt ? MOD_ALT : 0) | MOD_NOREPEAT; // held down, it toggles once
    return usableAsGlobalKey(key) && ::RegisterHotKey(window, id, modifiers, key.virtualKey);
}

} // namespace

PauseKey::PauseKey(std::function<void()> pressed) : pressed_(std::move(pressed)) {
    create(L"MirutekaPauseKey", WNDCLASSEXW{}, 0, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

PauseKey::~PauseKey() {
    set(HotKey{});
}

bool PauseKey::set(const HotKey& key) {
    if (hwnd() == nullptr) {
        return key.none();
    }
    if (!held_.none()) {
        ::UnregisterHotKey(hwnd(), kPauseHotKeyId);
        held_ = HotKey{};
    }
    if (key.none() || !registerKey(hwnd(), kPauseHotKeyId, key)) {
        return key.none();
    }
    held_ = key;
    return true;
}

bool PauseKey::available(const HotKey& key) {
    if (key == held_ && !key.none()) {
        return true;
    }
    if (hwnd() == nullptr || !registerKey(hwnd(), kTrialId, key)) {
        return false;
    }
    ::UnregisterHotKey(hwnd(), kTrialId);
    return true;
}

LRESULT PauseKey::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY && wParam == kPauseHotKeyId) {
        pressed_();
        return 0;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

} // namespace miruteka::win32
