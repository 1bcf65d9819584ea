#include "settings/settings_working_copy.h"

#include <stdexcept>

namespace miruteka {

void SettingsWorkingCopy::load(const LauncherState& state) {
    sliders_ = slidersFromSettings(state.settings);
    intGroupIndex_ = 0;
    pauseKey_ = state.options.pauseKey;
    listKey_ = state.options.listKey;
    for (int index = 0; index < kGroupCount; ++index) {
        grids_[index].load(state.items, index + 1);
    }
}

void SettingsWorkingCopy::selectGroup(int index) {
    if (index < 0 || index >= kGroupCount) {
        throw std::out_of_range("group index");
    }
    intGroupIndex_ = index;
}

void SettingsWorkingCopy::setSlider(int index, int value) {
    sliders_.at(index) = clampToSlider(index, value);
}

ItemTables SettingsWorkingCopy::tables() const {
    ItemTables items;
    for (int index = 0; index < kGroupCount; ++index) {
        grids_[index].store(items, index + 1);
    }
    return items;
}

} // namespace miruteka
