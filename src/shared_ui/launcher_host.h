// What the popup, the tray icon and the settings window need of the icon windows (Form1's
// public operations and the program's life).
#pragma once

#include "data/hot_key.h"

#include <cstdint>

namespace miruteka {

class LauncherHost {
  public:
    virtual ~LauncherHost() = default;
    // Redraws the four icon windows from the tables and shows or hides each.
    virtual void ICLOAD() = 0;
    // Timer1's interval; 0 stops the motion timer, a negative value leaves it as it was.
    virtual void setTimerInterval(int16_t milliseconds) = 0;
    // Hides Form1..Form4 (the tray icon does this before opening the settings window).
    virtual void hideIconWindows() = 0;
    // Unloads Form1 (removing the tray icon), Form2..Form4, and ends the message loop.
    virtual void quit() = 0;
    // The pause key (state.options.pauseKey) pauses and resumes the chain while active. The
    // settings window turns it off while it is open, so the key can be typed into its control.
    virtual void setPauseKeyActive(bool active) = 0;
    // Whether the key could be taken now: no other program holds it.
    virtual bool pauseKeyAvailable(const HotKey& key) = 0;
};

} // namespace miruteka
