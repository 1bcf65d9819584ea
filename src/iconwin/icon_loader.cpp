#include "iconwin/icon_loader.h"

#include "platform/path_lookup.h"

namespace miruteka {

bool pathEarnsIcon(const FileSystem& files, const std::string& path) {
    // The lookup that includes folders finds every visible file the files-only lookup
    // finds, and what it finds beyond those is a folder, so one lookup decides both the
    // existence and the kind of the path.
    return pathExists(files, path, LookupKind::FilesAndFolders);
}

void ICLOAD(LauncherState& state, const FileSystem& files, IconApi& icons, IconWindows& windows) {
    for (int group = 1; group <= kGroupCount; ++group) {
        windows.picture(group).clear();
    }
    for (int group = 1; group <= kGroupCount; ++group) {
        windows.setTooltip(group, state.shownName(group));
    }
    for (int group = 1; group <= kGroupCount; ++group) {
        const std::string& path = state.shownPath(group);
        const bool hasIcon = !path.empty() && pathEarnsIcon(files, path);
        if (hasIcon) {
            drawItemIcon(icons, windows.picture(group), path);
        }
        state.blnGroupHasIcon[group - 1] = hasIcon;
    }
    for (int group = 1; group <= kGroupCount; ++group) {
        windows.setVisible(group, state.blnGroupHasIcon[group - 1]);
    }
}

void redrawIcons(const LauncherState& state, IconApi& icons, IconWindows& windows) {
    for (int group = 1; group <= kGroupCount; ++group) {
        Picture& picture = windows.picture(group);
        picture.clear();
        if (state.blnGroupHasIcon[group - 1]) {
            drawItemIcon(icons, picture, state.shownPath(group));
        }
    }
}

} // namespace miruteka
