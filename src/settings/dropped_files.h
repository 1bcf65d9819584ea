// Files dropped from the shell onto a settings grid become items: each takes the first row
// whose path is empty, named after the text behind the path's last backslash.
#pragma once

#include "settings/item_grid.h"

#include <string>
#include <vector>

namespace miruteka {

// The text after the last "\": the whole path when it has none, empty when it ends in one.
std::string nameAfterLastBackslash(const std::string& path);

struct DropOutcome {
    int added = 0;
    // The grid filled up before every file found a row; the rest of the drop was left out.
    bool gridFull = false;
};

// Adds the files in the drop's order; stops at the first file that finds no free row. The
// current row stays as it was.
DropOutcome addDroppedFiles(ItemGrid& grid, const std::vector<std::string>& files);

} // namespace miruteka
