// Readable failure output for grid rows.
#pragma once

#include "settings/item_grid.h"

#include <ostream>

namespace miruteka {

inline void PrintTo(const GridRow& row, std::ostream* out) {
    *out << "{\"" << row.name << "\", \"" << row.path << "\"}";
}

} // namespace miruteka
