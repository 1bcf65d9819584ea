#include "settings/dropped_files.h"
#include "settings/item_grid.h"

#include "host/grid_row_printer.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

// A grid whose rows are given top down; rows not given are blank.
ItemGrid gridOf(const std::vector<GridRow>& rows, int current = 1) {
    ItemGrid grid;
    for (size_t i = 0; i < rows.size(); ++i) {
        grid.setRow(static_cast<int>(i) + 1, rows[i].name, rows[i].path);
    }
    grid.setCurrentRow(current);
    return grid;
}

std::vector<GridRow> rowsOf(const ItemGrid& grid) {
    std::vector<GridRow> rows;
    for (int r = 1; r <= 10; ++r) {
        rows.push_back(grid.row(r));
    }
    return rows;
}

std::vector<GridRow> padded(std::vector<GridRow> rows) {
    rows.resize(10);
    return rows;
}

TEST(ItemGrid, LoadsEachSlotIntoItsRowAndStoresEveryRowBack) {
    ItemTables items;
    items.strItemName[itemIndex(2, 0)] = "Editor";
    items.strItemPath[itemIndex(2, 0)] = "C:\\editor.exe";
    items.strItemName[itemIndex(2, 3)] = "only a name";
    items.strItemPath[itemIndex(2, 9)] = "C:\\only\\a\\path";
    items.strItemName[itemIndex(3, 0)] = "other group";

    ItemGrid grid = gridOf({}, 5);
    grid.load(items, 2);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(rowsOf(grid), padded({{"Editor", "C:\\editor.exe"},
                                    {},
                                    {},
                                    {"only a name", ""},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {"", "C:\\only\\a\\path"}}));

    ItemTables stored;
    stored.strItemName[itemIndex(2, 5)] = "overwritten by a blank row";
    grid.store(stored, 2);
    for (int slot = 0; slot < 10; ++slot) {
        EXPECT_EQ(stored.name(2, slot), items.name(2, slot)) << slot;
        EXPECT_EQ(stored.path(2, slot), items.path(2, slot)) << slot;
    }
    EXPECT_EQ(stored.name(3, 0), "");
}

TEST(ItemGrid, FirstRowWithEmptyPathCountsRowsHoldingOnlyAName) {
    EXPECT_EQ(gridOf({{"a", "A"}, {"named", ""}, {"c", "C"}}).firstRowWithEmptyPath(), 2);
    EXPECT_EQ(gridOf({{"a", "A"}, {"", "B"}}).firstRowWithEmptyPath(), 3);
    std::vector<GridRow> full(10, GridRow{"", "X"});
    EXPECT_EQ(gridOf(full).firstRowWithEmptyPath(), std::nullopt);
}

TEST(ItemGrid, MoveUpNeedsAPathAndARowAbove) {
    ItemGrid grid = gridOf({{"a", "A"}, {"b", "B"}, {"c", "C"}}, 3);
    EXPECT_TRUE(grid.moveUp());
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(rowsOf(grid), padded({{"a", "A"}, {"c", "C"}, {"b", "B"}}));

    // Into a blank row above.
    grid = gridOf({{"a", "A"}, {}, {"c", "C"}}, 3);
    EXPECT_TRUE(grid.moveUp());
    EXPECT_EQ(rowsOf(grid), padded({{"a", "A"}, {"c", "C"}, {}}));

    grid = gridOf({{"a", "A"}, {"b", "B"}}, 1);
    EXPECT_FALSE(grid.moveUp());
    EXPECT_EQ(grid.currentRow(), 1);

    // A row with a name but no path stays where it is.
    grid = gridOf({{"a", "A"}, {"named", ""}}, 2);
    EXPECT_FALSE(grid.moveUp());
    EXPECT_EQ(rowsOf(grid), padded({{"a", "A"}, {"named", ""}}));
    EXPECT_EQ(grid.currentRow(), 2);
}

TEST(ItemGrid, MoveDownLooksOnlyAtTheNextRowsName) {
    ItemGrid grid = gridOf({{}, {}, {"c", "C"}, {"d", "D"}}, 3);
    EXPECT_TRUE(grid.moveDown());
    EXPECT_EQ(grid.currentRow(), 4);
    EXPECT_EQ(rowsOf(grid), padded({{}, {}, {"d", "D"}, {"c", "C"}}));

    // A blank selected row above a named row swaps with it.
    grid = gridOf({{}, {"b", ""}}, 1);
    EXPECT_TRUE(grid.moveDown());
    EXPECT_EQ(rowsOf(grid), padded({{"b", ""}, {}}));
    EXPECT_EQ(grid.currentRow(), 2);

    // The next row has a path but no name.
    grid = gridOf({{"a", "A"}, {"", "B"}}, 1);
    EXPECT_FALSE(grid.moveDown());
    EXPECT_EQ(grid.currentRow(), 1);

    std::vector<GridRow> full(10, GridRow{"x", "X"});
    grid = gridOf(full, 10);
    EXPECT_FALSE(grid.moveDown());
    EXPECT_EQ(grid.currentRow(), 10);
}

TEST(ItemGrid, DeleteShiftsTheRowsBelowUpAndKeepsTheCurrentRow) {
    std::vector<GridRow> rows;
    for (int i = 1; i <= 10; ++i) {
        rows.push_back({"n" + std::to_string(i), "p" + std::to_string(i)});
    }
    ItemGrid grid = gridOf(rows, 3);
    grid.deleteCurrentRow();
    EXPECT_EQ(grid.currentRow(), 3);
    std::vector<GridRow> expected = rows;
    expected.erase(expected.begin() + 2);
    expected.push_back({});
    EXPECT_EQ(rowsOf(grid), expected);

    // A blank row closes its gap; the last row can be deleted too.
    grid = gridOf({{"a", "A"}, {}, {"c", "C"}}, 2);
    grid.deleteCurrentRow();
    EXPECT_EQ(rowsOf(grid), padded({{"a", "A"}, {"c", "C"}}));
    grid = gridOf(rows, 10);
    grid.deleteCurrentRow();
    EXPECT_TRUE(grid.row(10).blank());
    EXPECT_EQ(grid.row(9), rows[8]);
}

TEST(ItemGrid, RefusesRowsOutsideOneToTen) {
    ItemGrid grid;
    EXPECT_THROW(grid.setCurrentRow(0), std::out_of_range);
    EXPECT_THROW(grid.setCurrentRow(11), std::out_of_range);
    EXPECT_THROW(grid.setRow(11, "a", "b"), std::out_of_range);
    EXPECT_EQ(grid.currentRow(), 1);
}

TEST(DroppedFiles, NameIsTheTextAfterTheLastBackslash) {
    EXPECT_EQ(nameAfterLastBackslash("C:\\tools\\app.exe"), "app.exe");
    EXPECT_EQ(nameAfterLastBackslash("C:\\Users\\me\\書類"), "書類");
    EXPECT_EQ(nameAfterLastBackslash("app.exe"), "app.exe");
    EXPECT_EQ(nameAfterLastBackslash("C:\\tools\\"), "");
    EXPECT_EQ(nameAfterLastBackslash("\\\\server\\share"), "share");
    EXPECT_EQ(nameAfterLastBackslash(""), "");
}

TEST(DroppedFiles, FillFreeRowsInOrderAndLeaveTheCurrentRow) {
    ItemGrid grid = gridOf({{"a", "A"}, {"named", ""}, {"c", "C"}}, 3);
    const DropOutcome outcome =
        addDroppedFiles(grid, {"C:\\tools\\app.exe", "C:\\Users\\me\\Documents"});
    EXPECT_EQ(outcome.added, 2);
    EXPECT_FALSE(outcome.gridFull);
    EXPECT_EQ(grid.row(2), (GridRow{"app.exe", "C:\\tools\\app.exe"}));
    EXPECT_EQ(grid.row(4), (GridRow{"Documents", "C:\\Users\\me\\Documents"}));
    EXPECT_EQ(grid.currentRow(), 3);
}

TEST(DroppedFiles, AFullGridStopsTheDropAndKeepsWhatWasAdded) {
    std::vector<GridRow> rows(8, GridRow{"x", "X"});
    ItemGrid grid = gridOf(rows);
    const DropOutcome outcome = addDroppedFiles(grid, {"C:\\1.txt", "C:\\2.txt", "C:\\3.txt"});
    EXPECT_EQ(outcome.added, 2);
    EXPECT_TRUE(outcome.gridFull);
    EXPECT_EQ(grid.row(9).path, "C:\\1.txt");
    EXPECT_EQ(grid.row(10).path, "C:\\2.txt");

    EXPECT_FALSE(addDroppedFiles(grid, {}).gridFull);
}

} // namespace
} // namespace miruteka
