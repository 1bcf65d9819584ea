// The chain at a display scale. The list file and the settings window keep the distances in
// pixels of a 96-dpi screen; on a monitor with another scale the icon windows and every
// distance between them grow with it, so the chain looks the same, only larger.
#pragma once

#include "data/launcher_state.h"

namespace miruteka {

struct ChainScale {
    int iconSize = 0;  // width and height of every icon window
    Settings settings; // the distances in the monitor's pixels; the timer interval as it is
};

// Each value is scaled once with scaleToDpi (nearest pixel, ties to even) and kept within
// 16 bits; the motion and start-up then compute with these as they would at 96 dpi.
ChainScale chainScaleAt(const Settings& settings, int dpi);

} // namespace miruteka
