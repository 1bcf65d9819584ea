// After the monitors or their work areas have changed, the chain may stand where no monitor
// is any more: it is stacked again under the pointer, as at start-up.
#pragma once

#include "data/launcher_state.h"
#include "iconwin/chain_windows.h"
#include "iconwin/motion.h"
#include "platform/desktop.h"
#include "platform/input.h"

namespace miruteka {

// Places the four windows in start-up's column under the pointer, at the scale of its monitor,
// and has the motion count travel from there. Visibility is left as it is. Nothing happens
// (false) when the pointer cannot be read or is on no monitor: the motion brings the chain
// once it is on one again.
bool placeChainAfterDisplayChange(const Settings& settings, const PointerInput& pointer,
                                  const Desktop& desktop, ChainWindows& windows, Motion& motion);

} // namespace miruteka
