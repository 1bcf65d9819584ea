// The one existence test every window uses for an item's path: start-up, the icon windows,
// the settings preview and the item dialog all ask it the same way.
#pragma once

#include "platform/files.h"

#include <string>

namespace miruteka {

enum class LookupKind {
    FilesOnly,       // an existing file that is neither hidden nor system
    FilesAndFolders, // the same, or an existing folder
};

// Wildcards never match; hidden and system entries are not found; a drive root or a path
// ending in "\" names a folder and counts when it is a directory. One attribute query, no
// directory scan.
bool pathExists(const FileSystem& files, const std::string& path, LookupKind kind);

} // namespace miruteka
