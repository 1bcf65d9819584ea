#include "iconwin/icon_loader.h"

#include "platform/path_lookup.h"

namespace miruteka {
namespace {

constexpr std::uint32_t kErrorFileNotFound = 2;

} // namespace

bool pathEarnsIcon(const FileSystem& files, const std::string& path) {
    // The lookup that includes folders finds every visible file the files-only lookup
    // finds, and what it finds beyond those is a folder, so one lookup decides both the
    // existence and the kind of the path.
    return pathExists(files, path, LookupKind::FilesAndFolders);
}

DrawnIcon drawItemIcon(IconApi& icons, Picture& picture, const std::string& path) {
    ExtractedIcons extracted = icons.extractIconEx(path);
    if (extracted.large.value() != 0 || extracted.small.value() != 0) {
        // A file with only a small icon draws nothing here, and still counts as having one.
        if (!extracted.large.isIcon()) {
            return DrawnIcon::None;
        }
        picture.drawIconEx(extracted.large);
        return DrawnIcon::FileIcon;
    }
    AssociatedIcon associated = icons.extractAssociatedIcon(path);
    if (associated.lastError == kErrorFileNotFound || !associated.icon.isIcon()) {
        return DrawnIcon::None;
    }
    picture.drawIcon(associated.icon);
    return DrawnIcon::Associated;
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

} // namespace miruteka
