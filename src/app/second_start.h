// A start while the program runs shows nothing of its own: it asks the running instance to
// act as on a press on its tray icon, which opens the settings window or brings it forward.
// Useful when the tray icon is out of sight (Windows 11 puts it in the overflow).
#pragma once

namespace miruteka::win32 {

// Finds the running instance's tray window, lets that process take the foreground and posts
// the request. False when no running instance could be reached; the caller ends either way.
bool askRunningInstanceToOpenSettings();

} // namespace miruteka::win32
