// Module1's tray icon on Windows: the hidden callback window (Form1's Picture1) that owns
// the notification-area icon and receives its mouse messages, and the add and delete calls.
#pragma once

#include "data/launcher_state.h"
#include "iconwin/tray.h"
#include "iconwin/tray_presence.h"
#include "platform/win32/unique.h"
#include "platform/win32/window_base.h"
#include "shared_ui/launcher_host.h"

#include <windows.h>

#include <shellapi.h>

namespace miruteka::win32 {

class TrayIcon : public WindowBase, private TrayShell {
  public:
    TrayIcon(LauncherState& state, LauncherHost& host, SettingsWindowOpener& opener);
    ~TrayIcon() override;

    // Creates the callback window (once) and puts the icon in the notification area; a
    // shell that is not ready yet gets further tries.
    void AddTrayIcon();
    // Takes the icon out of the notification area; it does not come back.
    void DeleteTrayIcon();

    bool shown() const { return presence_.shown(); }
    HWND callbackWindow() const { return hwnd(); }

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool createCallbackWindow();
    bool loadIcon();
    NOTIFYICONDATAW record() const;
    bool addIcon() override;
    bool modifyIcon() override;
    void deleteIcon() override;
    void scheduleRetries(bool wanted);

    LauncherState& state_;
    LauncherHost& host_;
    SettingsWindowOpener& opener_;
    TrayPresence presence_;
    UniqueIcon icon_;
    int iconSize_ = 0;
    UINT taskbarCreated_ = 0;
};

} // namespace miruteka::win32
