// Module1's tray icon on Windows: the hidden callback window (Form1's Picture1) that owns
// the notification-area icon and receives its mouse messages, and the add and delete calls.
#pragma once

#include "data/launcher_state.h"
#include "iconwin/tray.h"
#include "iconwin/tray_presence.h"
#include "platform/win32/unique.h"
#include "shared_ui/launcher_host.h"
#include "toolkit/win32/window_base.h"

#include <windows.h>

#include <shellapi.h>

namespace miruteka::win32 {

// The callback window's class, by which a second start finds the running instance.
inline constexpr const wchar_t* kTrayWindowClass = L"MirutekaTray";
// The registered message that asks the callback window to act as on a press on the icon.
inline constexpr const wchar_t* kOpenSettingsMessageName = L"Miruteka.OpenSettings";

class TrayIcon : public WindowBase, private TrayShell {
  public:
    TrayIcon(LauncherState& state, LauncherHost& host, SettingsWindowOpener& opener);
    ~TrayIcon() override;

    // Creates the callback window (once) and puts the icon in the notification area; a
    // shell that is not ready yet gets further tries.
    void AddTrayIcon();
    // Takes the icon out of the notification area; it does not come back.
    void DeleteTrayIcon();

    // What a left or right press on the icon does: opens the settings window, or brings it
    // (or the window that stands over it) forward. A second start and a first start ask
    // for it too.
    void openSettingsWindow();

    // The paused chain's tip and image, or the usual ones again.
    void setPaused(bool paused);

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
    bool paused_ = false;
    bool iconPaused_ = false;
    UINT taskbarCreated_ = 0;
    UINT openSettings_ = 0;
};

} // namespace miruteka::win32
