#include "iconwin/chain_scale.h"

#include "iconwin/startup_placement.h"
#include "platform/geometry.h"

#include <algorithm>
#include <limits>

namespace miruteka {
namespace {

int16_t scaled16(int16_t pixels, int dpi) {
    const int value = designPixelsToDpi(pixels, dpi);
    return static_cast<int16_t>(std::clamp<int>(value, std::numeric_limits<int16_t>::min(),
                                                std::numeric_limits<int16_t>::max()));
}

} // namespace

ChainScale chainScaleAt(const Settings& settings, int dpi) {
    ChainScale scale;
    scale.iconSize = designPixelsToDpi(kIconSize, dpi);
    scale.settings = settings;
    scale.settings.intMoveThreshold = scaled16(settings.intMoveThreshold, dpi);
    scale.settings.intMouseGap = scaled16(settings.intMouseGap, dpi);
    scale.settings.intIconGap = scaled16(settings.intIconGap, dpi);
    scale.settings.intUnlockDistance = scaled16(settings.intUnlockDistance, dpi);
    return scale;
}

} // namespace miruteka
