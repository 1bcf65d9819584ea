#include "settings/item_dialog.h"

#include "platform/path_lookup.h"
#include "settings/dropped_files.h"

namespace miruteka {

bool confirmItem(const ItemFields& typed, const FileSystem& files, MessageBoxes& messages,
                 ItemDialogHost& host) {
    if (!pathExists(files, typed.path, LookupKind::FilesAndFolders)) {
        messages.showError(kMissingFileMessage);
        return false;
    }
    host.acceptItem(typed.name, typed.path);
    return true;
}

ItemFields fieldsForChosenFile(const std::string& path) {
    return {nameAfterLastBackslash(path), path};
}

} // namespace miruteka
