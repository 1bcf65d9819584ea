// Loads a fresh settings window each time the tray asks for one. The window of the last
// opening is released here, never from inside its own handlers.
#pragma once

#include "iconwin/tray.h"
#include "settings/win32/settings_window.h"

#include <functional>
#include <memory>

namespace miruteka::win32 {

class SettingsWindowLoader : public SettingsWindowOpener {
  public:
    explicit SettingsWindowLoader(SettingsWindowContext context) : context_(std::move(context)) {}

    // The tray icon's owner window, once it exists, keeps the settings off the taskbar.
    void setOwner(HWND owner) { context_.owner = owner; }
    // Runs before each opening.
    void setBeforeOpening(std::function<void()> beforeOpening) {
        beforeOpening_ = std::move(beforeOpening);
    }

    void showSettingsWindow() override;
    void bringSettingsWindowForward() override;

    // The open settings window, or nullptr.
    SettingsWindow* current() const;

  private:
    SettingsWindowContext context_;
    std::unique_ptr<SettingsWindow> window_;
    std::function<void()> beforeOpening_;
};

} // namespace miruteka::win32
