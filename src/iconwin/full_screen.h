// Whether a program in full screen (a game, a video, a slide show) stands on the monitor under
// the pointer, where the chain would be drawn over it.
#pragma once

#include "platform/desktop.h"
#include "platform/geometry.h"

namespace miruteka {

// True when the foreground window, on the monitor under the pointer, fills that monitor: its
// rectangle matches the monitor's (each edge on it or at most one pixel beyond, as some games
// draw), it has no title bar, and it is neither the shell's desktop or taskbar nor one of
// ours. Or when the shell reports a Direct3D program in full screen or presentation mode with
// such a window in front. Never allocates.
bool fullScreenUnderPointer(const Desktop& desktop, Point pointer);

} // namespace miruteka
