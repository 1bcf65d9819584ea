// The five sliders of the settings window, one per setting in list-file order, each with a
// range of 0 to its maximum and a label showing its value.
#pragma once

#include "data/launcher_state.h"

#include <array>
#include <string>

namespace miruteka {

inline constexpr int kSliderCount = 5;
// intTimerInterval, intMoveThreshold, intMouseGap, intIconGap, intUnlockDistance.
inline constexpr std::array<int, kSliderCount> kSliderMaximum{500, 100, 100, 100, 100};

using SliderValues = std::array<int, kSliderCount>;

// A value as the slider can show it: a stored value outside 0..maximum sits at the nearer end.
int clampToSlider(int slider, int value);
SliderValues slidersFromSettings(const Settings& settings);
Settings settingsFromSliders(const SliderValues& values);
// The value label's caption: plain decimal, no padding.
std::string sliderLabel(int value);

} // namespace miruteka
