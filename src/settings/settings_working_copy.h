// What the settings window edits: the four groups' grids, the visible group and the five
// slider values. It is filled from the shared state when the window opens and is the only
// place edits live until OK takes them over.
#pragma once

#include "data/launcher_state.h"
#include "settings/item_grid.h"
#include "settings/setting_sliders.h"

#include <array>

namespace miruteka {

class SettingsWorkingCopy {
  public:
    // Every grid from its group with row 1 current, group 1 visible, sliders from the settings.
    void load(const LauncherState& state);

    // The index 0..3 of the visible grid (group intGroupIndex + 1).
    int intGroupIndex() const { return intGroupIndex_; }
    void selectGroup(int index);

    ItemGrid& grid(int index) { return grids_.at(index); }
    const ItemGrid& grid(int index) const { return grids_.at(index); }
    ItemGrid& visibleGrid() { return grid(intGroupIndex_); }
    const ItemGrid& visibleGrid() const { return grid(intGroupIndex_); }

    const HotKey& pauseKey() const { return pauseKey_; }
    void setPauseKey(const HotKey& key) { pauseKey_ = key; }
    const HotKey& listKey() const { return listKey_; }
    void setListKey(const HotKey& key) { listKey_ = key; }

    int slider(int index) const { return sliders_.at(index); }
    // Takes the value as the slider shows it (clamped to its range).
    void setSlider(int index, int value);

    // The settings and tables OK would take over: every slot of every grid.
    Settings settings() const { return settingsFromSliders(sliders_); }
    ItemTables tables() const;

  private:
    std::array<ItemGrid, kGroupCount> grids_{};
    int intGroupIndex_ = 0;
    SliderValues sliders_{};
    HotKey pauseKey_{};
    HotKey listKey_{};
};

} // namespace miruteka
