#include "iconwin/display_change.h"

#include "iconwin/chain_scale.h"
#include "iconwin/startup_placement.h"

namespace miruteka {

bool placeChainAfterDisplayChange(const Settings& settings, const PointerInput& pointer,
                                  const Desktop& desktop, ChainWindows& windows, Motion& motion) {
    const std::optional<Point> at = pointer.cursorPos();
    if (!at || !desktop.monitorAt(*at)) {
        return false;
    }
    const int dpi = windows.dpiAt(*at);
    const ChainScale scale = chainScaleAt(settings, dpi);
    if (windows.frame(1).width() != scale.iconSize) {
        windows.setIconSize(scale.iconSize);
    }
    std::array<Point, kGroupCount> before{};
    for (int group = 1; group <= kGroupCount; ++group) {
        const Rect frame = windows.frame(group);
        before[group - 1] = {frame.left, frame.top};
    }
    const auto corners = startupCorners(*at, scale.settings, before, scale.iconSize);
    for (int group = 1; group <= kGroupCount; ++group) {
        windows.moveTopmost(group, corners[group - 1]);
    }
    motion.setLastPointer(*at);
    motion.setChainDpi(dpi);
    return true;
}

} // namespace miruteka
