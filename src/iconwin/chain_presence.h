// Whether the chain is out: its windows shown, the motion timer running and the look for
// returning items going on. Three things keep it away: the pause key, nobody being at the
// session (locked, disconnected, display off) and the open settings window.
//
// While paused the windows stay hidden and nothing ticks, whatever else happens (the
// settings window's OK or Cancel included). While nobody is there nothing ticks either, but
// the windows are left as they are: no one sees them, and they are in place when the user is
// back. The settings window hides them (its opener does) but leaves the timer to hold them.
#pragma once

#include "data/launcher_state.h"

namespace miruteka {

enum class AwayReason { Locked, Disconnected, DisplayOff };

class ChainPresence {
  public:
    explicit ChainPresence(const LauncherState& state) : state_(state) {}

    bool paused() const { return paused_; }
    void togglePause() { paused_ = !paused_; }

    // Each reason on its own: the display coming on while the session is still locked does
    // not bring anything back.
    void setAway(AwayReason reason, bool away);
    bool away() const { return awayReasons_ != 0; }

    bool timerRuns() const { return !paused_ && !away(); }
    bool chainShows() const { return !paused_ && !state_.blnSettingsOpen; }
    // The once-a-minute look, and the looks when a drive arrives, for groups whose item was
    // missing. While the settings window is open its closing looks at every group anyway.
    bool looksForItems() const { return timerRuns() && !state_.blnSettingsOpen; }

  private:
    const LauncherState& state_;
    bool paused_ = false;
    unsigned awayReasons_ = 0;
};

} // namespace miruteka
