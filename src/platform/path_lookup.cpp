#include "platform/path_lookup.h"

namespace miruteka {

bool pathExists(const FileSystem& files, const std::string& path, LookupKind kind) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) {
        return false;
    }
    const bool namesFolder = path.back() == '\\' || path.back() == '/';
    if (namesFolder) {
        // FindFirstFile finds nothing for "C:\" or "dir\"; a root also reports hidden and
        // system, which must not hide it.
        if (kind == LookupKind::FilesOnly) {
            return false;
        }
        const auto attributes = files.attributes(path);
        return attributes && attributes->directory;
    }
    const auto found = files.findFirst(path);
    if (!found || found->hidden || found->system) {
        return false;
    }
    return !found->directory || kind == LookupKind::FilesAndFolders;
}

} // namespace miruteka
