// The notification-area icon: its identity, and what a mouse message on it does. A left or
// right button press opens the settings window unless it is open already.
#pragma once

#include "data/launcher_state.h"
#include "shared_ui/launcher_host.h"

#include <cstdint>

namespace miruteka {

inline constexpr std::uint32_t kTrayIconId = 1;
// The shell reports mouse messages on the icon with this message (WM_MOUSEMOVE's number),
// the mouse message itself in the low word of lParam.
inline constexpr std::uint32_t kTrayCallbackMessage = 0x200;
inline constexpr const char* kTrayTip = "ミルテカ";
inline constexpr const char* kTrayPausedTip = "ミルテカ（一時停止中）";

inline constexpr int kTrayLeftButtonDown = 0x201;
inline constexpr int kTrayRightButtonDown = 0x204;

class SettingsWindowOpener {
  public:
    virtual ~SettingsWindowOpener() = default;
    // Loads and shows the settings window, modeless.
    virtual void showSettingsWindow() = 0;
    // Brings the open settings window to the foreground, or the window that stands over it
    // and takes its input (the item dialog, the about window, a message box).
    virtual void bringSettingsWindowForward() = 0;
};

// The tray callback: x is the mouse message that happened on the icon. A press (left or
// right) while the settings window is closed sets blnSettingsOpen, hides the icon windows
// and opens the settings window; a press while it is open brings it forward, since it has
// no taskbar button and the tray is the only way back to it. Everything else does nothing.
void Picture1_MouseMove(LauncherState& state, LauncherHost& host, SettingsWindowOpener& opener,
                        int x);

} // namespace miruteka
