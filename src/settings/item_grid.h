// One group's grid in the settings window: ten rows of name and path, and the current row
// that the editing commands act on. Rows are numbered 1..10 as the window shows them; row 0
// is the grid's header and holds no item.
#pragma once

#include "data/launcher_state.h"

#include <array>
#include <optional>
#include <string>

namespace miruteka {

struct GridRow {
    std::string name;
    std::string path;
    // The list file's bytes of the name and path, where the code page could not read them
    // (ItemTables::keptName): they move with the row and stay while its text does.
    std::string keptName{};
    std::string keptPath{};

    bool blank() const { return name.empty() && path.empty(); }
    friend bool operator==(const GridRow&, const GridRow&) = default;
};

class ItemGrid {
  public:
    static constexpr int kFirstRow = 1;
    static constexpr int kLastRow = kSlotCount;

    // Row s + 1 from slot s of the group (1..4); the current row becomes 1.
    void load(const ItemTables& items, int group);
    // Every row into the group's slots, blank rows included.
    void store(ItemTables& items, int group) const;

    const GridRow& row(int r) const { return rows_.at(r - kFirstRow); }
    // A text that changes loses the bytes kept for it.
    void setRow(int r, std::string name, std::string path);

    int currentRow() const { return currentRow_; }
    void setCurrentRow(int r);

    // The first row, from the top, whose path is empty (a row holding only a name counts).
    std::optional<int> firstRowWithEmptyPath() const;

    // Exchanges the current row with the one above and follows it; nothing when the current
    // row is the first or its path is empty. True when the rows moved.
    bool moveUp();
    // Exchanges the current row with the one below and follows it; nothing when the current
    // row is the last or the next row's name is empty. True when the rows moved.
    bool moveDown();
    // Removes the current row: the rows below move up and the last row becomes blank. The
    // current row stays where it is and now holds the item that was below it.
    void deleteCurrentRow();

  private:
    std::array<GridRow, kSlotCount> rows_{};
    int currentRow_ = kFirstRow;
};

} // namespace miruteka
