// ICLOAD: brings the four icon windows in line with the item tables. Each group's window
// shows the icon of its shown item, carries the item's name as its tooltip and is visible
// only when the item's path names an existing file or folder.
#pragma once

#include "data/launcher_state.h"
#include "iconwin/icon_windows.h"
#include "platform/files.h"
#include "platform/icons.h"
#include "shared_ui/item_icon.h"

#include <string>

namespace miruteka {

// Whether a group with this shown path gets a visible window: an existing file that is
// neither hidden nor system, or an existing folder.
bool pathEarnsIcon(const FileSystem& files, const std::string& path);

// Clears the four pictures, sets the four tooltips, draws each group's icon, records
// blnGroupHasIcon and shows or hides Form1..Form4 accordingly.
void ICLOAD(LauncherState& state, const FileSystem& files, IconApi& icons, IconWindows& windows);

// Draws the four icons again, for pictures that have changed size: the groups ICLOAD last
// gave an icon get it at the new size, the others stay empty. Tooltips, visibility and
// blnGroupHasIcon stay as they are.
void redrawIcons(const LauncherState& state, IconApi& icons, IconWindows& windows);

} // namespace miruteka
