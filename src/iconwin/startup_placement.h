// Where start-up stacks the four icon windows: a column under the pointer, Form1 centred
// intMouseGap pixels below it and each further window 2 x intIconGap pixels lower.
#pragma once

#include "data/launcher_state.h"
#include "platform/geometry.h"

#include <array>

namespace miruteka {

inline constexpr int kIconSize = 32; // the IC picture, and so every icon window, in pixels

// The top-left corners of Form1..Form4 (index group - 1) after start-up has sized and
// placed them. `current` holds the corners they had before. The sums y + intMouseGap and
// 2 x intIconGap are 16-bit; a placement whose sum overflows is skipped, so that window
// keeps its corner from `current` (the later windows are still placed from it). Corners
// that would pass the 32-bit range stop at its ends. On a monitor with another scale the
// settings and the size come from chainScaleAt.
std::array<Point, kGroupCount> startupCorners(Point pointer, const Settings& settings,
                                              const std::array<Point, kGroupCount>& current,
                                              int iconSize = kIconSize);

} // namespace miruteka
