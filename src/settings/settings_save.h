// OK's save: the working copy goes to the list file first, and only a save that succeeded
// becomes the program's settings and tables. A failed save changes nothing and says why.
#pragma once

#include "data/launcher_state.h"
#include "data/list_file.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "settings/settings_working_copy.h"

#include <string>

namespace miruteka {

// Writes the working copy's settings and every slot of its grids to the list file. On
// success they replace state.settings and state.items; on failure state is untouched.
SaveResult saveWorkingCopy(FileSystem& files, const AnsiCodePage& codePage,
                           const std::string& listPath, const SettingsWorkingCopy& copy,
                           LauncherState& state);

// The error message for a failed save: that nothing was saved, and why; or, when the new
// list could not take the old one's place, where it was saved.
std::string saveFailureMessage(const SaveResult& result);

} // namespace miruteka
