// Loads a fresh settings window each time the tray asks for one. The window of the last
// opening is released here, never from inside its own handlers.
#pragma once

#include "iconwin/tray.h"
#include "settings/win32/settings_window.h"

#include <memory>

namespace miruteka::win32 {

class SettingsWindowLoader : public SettingsWindowOpener {
  public:
    explicit SettingsWindowLoader(SettingsWindowContext context) : context_(std::move(context)) {}

    // The tray icon's owner window, once it exists, keeps the settings off the taskbar.
    void setOwner(HWND owner) { context_.owner = owner; }

    void showSettingsWindow() override;
    void bringSettingsWindowForward() override;

    // The open settings window, or nullptr.
    SettingsWindow* current() const;

  private:
    SettingsWindowContext context_;
    std::unique_ptr<SettingsWindow> window_;
};

} // namespace miruteka::win32
