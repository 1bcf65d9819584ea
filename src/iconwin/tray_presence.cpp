#include "iconwin/tray_presence.h"

namespace miruteka {

bool TrayPresence::AddTrayIcon() {
    wanted_ = true;
    shown_ = shell_.addIcon();
    return !shown_ && startRetries();
}

bool TrayPresence::retryAdd() {
    if (!wanted_ || shown_ || retriesLeft_ <= 0) {
        return false;
    }
    --retriesLeft_;
    shown_ = shell_.addIcon();
    return !shown_ && retriesLeft_ > 0;
}

bool TrayPresence::onTaskbarCreated() {
    if (!wanted_) {
        return false;
    }
    // After a shell restart the icon is gone and the add succeeds; the same broadcast also
    // comes while the icon is still there (a display change), where only a modify succeeds.
    shown_ = shell_.addIcon() || shell_.modifyIcon();
    return !shown_ && startRetries();
}

void TrayPresence::DeleteTrayIcon() {
    if (wanted_) {
        shell_.deleteIcon();
    }
    wanted_ = false;
    shown_ = false;
    retriesLeft_ = 0;
}

bool TrayPresence::startRetries() {
    retriesLeft_ = kRetries;
    return true;
}

} // namespace miruteka
