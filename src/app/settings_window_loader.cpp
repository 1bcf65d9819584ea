#include "app/settings_window_loader.h"

namespace miruteka::win32 {

void SettingsWindowLoader::showSettingsWindow() {
    window_ = std::make_unique<SettingsWindow>(context_);
    if (!window_->create()) {
        // Without a window nothing would ever clear the flag, and the tray could not open
        // the settings again: go back to following the pointer.
        window_.reset();
        context_.host.ICLOAD();
        context_.state.blnSettingsOpen = false;
    }
}

SettingsWindow* SettingsWindowLoader::current() const {
    return window_ != nullptr && window_->hwnd() != nullptr ? window_.get() : nullptr;
}

void SettingsWindowLoader::bringSettingsWindowForward() {
    if (SettingsWindow* window = current()) {
        // The last active of the windows that the tray's window owns: the settings window, or
        // the item dialog, about window or message box over it, which takes its input.
        HWND front = ::GetLastActivePopup(::GetAncestor(window->hwnd(), GA_ROOTOWNER));
        if (!::IsWindowVisible(front) || !::IsWindowEnabled(front)) {
            front = window->hwnd();
        }
        // The tray's callback follows the user's press, so the process may take the foreground.
        ::SetForegroundWindow(front);
    }
}

} // namespace miruteka::win32
