#include "platform/path_lookup.h"

namespace miruteka {

// Asked of the path's attributes alone, never of a directory scan: a scan opens the folder
// (on a share, a round trip more), and under Wine every scan of the process waits while one
// waits on a slow drive. The attributes tell the same: hidden and system as the scan reports
// them, a folder by its directory attribute.
bool pathExists(const FileSystem& files, const std::string& path, LookupKind kind) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) {
        return false;
    }
    const auto attributes = files.attributes(path);
    if (!attributes) {
        return false;
    }
    const bool namesFolder = path.back() == '\\' || path.back() == '/';
    if (namesFolder) {
        // "C:\" or "dir\": a folder whatever else it reports (a root reports hidden and
        // system, which must not hide it), and never a file.
        return kind == LookupKind::FilesAndFolders && attributes->directory;
    }
    if (attributes->hidden || attributes->system) {
        return false;
    }
    return !attributes->directory || kind == LookupKind::FilesAndFolders;
}

} // namespace miruteka
