// The mouse-following motion: Timer1's tick moves the four icon windows after the pointer
// as a chain, and keeps the icon lock and the popup lock.
#pragma once

#include "data/launcher_state.h"
#include "iconwin/chain_scale.h"
#include "iconwin/chain_windows.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "shared_ui/popup_watch.h"

#include <cstdint>
#include <optional>

namespace miruteka {

// What to do with Timer1 for an interval setting: the interval in ms to set, 0 to stop the
// timer, or nothing when the value is negative (the timer keeps its current interval, 200
// ms from creation).
std::optional<unsigned> timerIntervalToApply(int16_t intTimerInterval);

class Motion {
  public:
    Motion(LauncherState& state, PointerInput& pointer, ChainWindows& windows, OpenPopup& popup,
           const Desktop& desktop);

    // Start-up notes where the pointer is, so the chain stays put until it travels.
    void setLastPointer(Point pointer);
    // Start-up notes the DPI it sized the icon windows for (96 until it does).
    void setChainDpi(int dpi) { chainDpi_ = dpi; }

    // One tick of Timer1. Never fails and never allocates, whatever the settings, the
    // pointer or the window positions are.
    //
    // The distances are those of the monitor under the pointer: each setting is scaled to
    // its DPI and rounded once (chainScaleAt), and when the chain moves onto a monitor of
    // another scale the windows first take that monitor's size. The positions computed
    // from them are rounded as at 96 dpi, so there nothing changes.
    //
    // While a program in full screen fills the monitor under the pointer, or a menu of any
    // program is open, the chain is hidden and held; it comes back at the first tick after,
    // following the pointer. An open popup keeps its chain.
    void Timer1_Timer();

    // The pointer position at the last move of the chain. The y is kept in 16 bits: a
    // pointer beyond that range is recorded (and measured for travel) at the nearest end of
    // it, which is as far as the window system places windows anyway.
    int32_t lastX() const { return lngLastX; }
    int16_t lastY() const { return intLastY; }

  private:
    const ChainScale& scaleAt(int dpi);
    bool mayFollow(bool leftPressed, bool rightPressed) const;
    bool holdHidden(Point pointer);
    void moveChain(Point pointer, int16_t trackedY, int dpi, const ChainScale& scale);
    void placeLeader(Point pointer, int16_t trackedY, const Settings& scaled);
    void placeFollower(int group, const Settings& scaled);
    void showHiddenWindowsWithIcon();
    void releaseIconLock(Point pointer, const Settings& scaled);
    void watchPopup(Point pointer);

    LauncherState& state_;
    PointerInput& pointer_;
    ChainWindows& windows_;
    OpenPopup& popup_;
    const Desktop& desktop_;
    bool hiddenInFront_ = false;
    int32_t lngLastX = 0;
    int16_t intLastY = 0;
    int chainDpi_ = kDesignDpi;
    // The settings as last scaled, for the DPI they were scaled to (0: none yet).
    int scaleDpi_ = 0;
    Settings scaledFrom_;
    ChainScale scale_;
};

} // namespace miruteka
