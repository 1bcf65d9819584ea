#include "settings/setting_sliders.h"

#include <algorithm>

namespace miruteka {

int clampToSlider(int slider, int value) {
    return std::clamp(value, 0, kSliderMaximum.at(slider));
}

SliderValues slidersFromSettings(const Settings& settings) {
    const SliderValues stored{settings.intTimerInterval, settings.intMoveThreshold,
                              settings.intMouseGap, settings.intIconGap,
                              settings.intUnlockDistance};
    SliderValues shown{};
    for (int slider = 0; slider < kSliderCount; ++slider) {
        shown[slider] = clampToSlider(slider, stored[slider]);
    }
    return shown;
}

Settings settingsFromSliders(const SliderValues& values) {
    // Clamped again so no slider value can leave the 16-bit settings out of range.
    auto value = [&](int slider) {
        return static_cast<int16_t>(clampToSlider(slider, values[slider]));
    };
    return Settings{value(0), value(1), value(2), value(3), value(4)};
}

std::string sliderLabel(int value) {
    return std::to_string(value);
}

} // namespace miruteka
