#include "settings/dropped_files.h"

namespace miruteka {

std::string nameAfterLastBackslash(const std::string& path) {
    // "\" never occurs inside a multi-byte UTF-8 sequence, so a byte search is safe.
    const size_t backslash = path.rfind('\\');
    return backslash == std::string::npos ? path : path.substr(backslash + 1);
}

DropOutcome addDroppedFiles(ItemGrid& grid, const std::vector<std::string>& files) {
    DropOutcome outcome;
    for (const std::string& file : files) {
        const auto free = grid.firstRowWithEmptyPath();
        if (!free) {
            outcome.gridFull = true;
            break;
        }
        grid.setRow(*free, nameAfterLastBackslash(file), file);
        ++outcome.added;
    }
    return outcome;
}

} // namespace miruteka
