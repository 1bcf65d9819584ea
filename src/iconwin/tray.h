// The notification-area icon: its identity, and what a message on it does. A left or right
// button press, or choosing it from the keyboard, opens the settings window unless it is open
// already.
#pragma once

#include "data/launcher_state.h"
#include "shared_ui/launcher_host.h"

#include <cstdint>

namespace miruteka {

inline constexpr std::uint32_t kTrayIconId = 1;
// The shell reports what happens on the icon with this message (WM_MOUSEMOVE's number), the
// event itself in the low word of lParam (the icon's id in the high word).
inline constexpr std::uint32_t kTrayCallbackMessage = 0x200;

inline constexpr int kTrayLeftButtonDown = 0x201;
inline constexpr int kTrayRightButtonDown = 0x204;
// Chosen from the keyboard (Win+B, the arrows, then Enter or Space) or by a click's release,
// and the context menu asked for (Shift+F10, the context-menu key, a right click's release).
inline constexpr int kTraySelect = 0x400;     // NIN_SELECT
inline constexpr int kTrayKeySelect = 0x401;  // NIN_KEYSELECT
inline constexpr int kTrayContextMenu = 0x7B; // WM_CONTEXTMENU

class SettingsWindowOpener {
  public:
    virtual ~SettingsWindowOpener() = default;
    // Loads and shows the settings window, modeless.
    virtual void showSettingsWindow() = 0;
    // Brings the open settings window to the foreground, or the window that stands over it
    // and takes its input (the item dialog, the about window, a message box).
    virtual void bringSettingsWindowForward() = 0;
};

// The tray callback: x is what happened on the icon. A press (left or right), a choice or a
// context menu request while the settings window is closed sets blnSettingsOpen, hides the icon
// windows and opens the settings window; a press while it is open brings it forward, since it has
// no taskbar button and the tray is the only way back to it. Everything else does nothing.
void Picture1_MouseMove(LauncherState& state, LauncherHost& host, SettingsWindowOpener& opener,
                        int x);

} // namespace miruteka
