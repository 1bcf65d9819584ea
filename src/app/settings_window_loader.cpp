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

} // namespace miruteka::win32
