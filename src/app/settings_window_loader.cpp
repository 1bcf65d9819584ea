#include "app/settings_window_loader.h"

namespace miruteka::win32 {
namespace {

// A visible top-level window of this thread that the given window owns, or nullptr.
HWND visibleWindowOwnedBy(HWND owner) {
    struct Search {
        HWND owner;
        HWND found = nullptr;
    } search{owner};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND candidate, LPARAM context) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(context);
            if (::GetWindow(candidate, GW_OWNER) == search.owner && ::IsWindowVisible(candidate)) {
                search.found = candidate;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

void SettingsWindowLoader::showSettingsWindow() {
    if (beforeOpening_) {
        beforeOpening_();
    }
    window_ = std::make_unique<SettingsWindow>(context_);
    if (!window_->create()) {
        // Without a window nothing would ever clear the flag, and the tray could not open
        // the settings again: go back to following the pointer.
        window_.reset();
        context_.state.blnSettingsOpen = false;
        context_.host.ICLOAD();
        context_.host.setGlobalKeysActive(true);
    }
}

SettingsWindow* SettingsWindowLoader::current() const {
    return window_ != nullptr && window_->hwnd() != nullptr ? window_.get() : nullptr;
}

void SettingsWindowLoader::bringSettingsWindowForward() {
    SettingsWindow* window = current();
    if (window == nullptr) {
        return;
    }
    // A modal window over the settings window (the item dialog, the about window, a message
    // box, possibly one over another) keeps its owner disabled: the one that takes the input
    // is the enabled window at the end of that chain of owners.
    HWND front = window->hwnd();
    for (int depth = 0; depth < 8 && !::IsWindowEnabled(front); ++depth) {
        HWND owned = visibleWindowOwnedBy(front);
        if (owned == nullptr) {
            break;
        }
        front = owned;
    }
    // The tray's callback follows the user's press, so the process may take the foreground.
    ::SetForegroundWindow(front);
}

} // namespace miruteka::win32
