#include "settings/item_grid.h"

#include <stdexcept>
#include <utility>

namespace miruteka {

void ItemGrid::load(const ItemTables& items, int group) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int index = itemIndex(group, slot);
        rows_[slot] = GridRow{items.strItemName[index], items.strItemPath[index],
                              items.keptName[index], items.keptPath[index]};
    }
    currentRow_ = kFirstRow;
}

void ItemGrid::store(ItemTables& items, int group) const {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int index = itemIndex(group, slot);
        items.strItemName[index] = rows_[slot].name;
        items.strItemPath[index] = rows_[slot].path;
        items.keptName[index] = rows_[slot].keptName;
        items.keptPath[index] = rows_[slot].keptPath;
    }
}

void ItemGrid::setRow(int r, std::string name, std::string path) {
    GridRow& target = rows_.at(r - kFirstRow);
    if (name != target.name) {
        target.keptName.clear();
    }
    if (path != target.path) {
        target.keptPath.clear();
    }
    target.name = std::move(name);
    target.path = std::move(path);
}

void ItemGrid::setCurrentRow(int r) {
    if (r < kFirstRow || r > kLastRow) {
        throw std::out_of_range("grid row");
    }
    currentRow_ = r;
}

std::optional<int> ItemGrid::firstRowWithEmptyPath() const {
    for (int r = kFirstRow; r <= kLastRow; ++r) {
        if (row(r).path.empty()) {
            return r;
        }
    }
    return std::nullopt;
}

bool ItemGrid::moveUp() {
    const int r = currentRow_;
    if (r == kFirstRow || row(r).path.empty()) {
        return false;
    }
    std::swap(rows_[r - kFirstRow], rows_[r - 1 - kFirstRow]);
    currentRow_ = r - 1;
    return true;
}

bool ItemGrid::moveDown() {
    const int r = currentRow_;
    // Only the next row is looked at: a blank current row above a named row swaps with it.
    if (r == kLastRow || row(r + 1).name.empty()) {
        return false;
    }
    std::swap(rows_[r - kFirstRow], rows_[r + 1 - kFirstRow]);
    currentRow_ = r + 1;
    return true;
}

void ItemGrid::deleteCurrentRow() {
    for (int r = currentRow_; r < kLastRow; ++r) {
        rows_[r - kFirstRow] = std::move(rows_[r + 1 - kFirstRow]);
    }
    rows_[kLastRow - kFirstRow] = GridRow{};
}

} // namespace miruteka
