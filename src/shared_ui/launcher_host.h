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
    // The global keys work while active: the pause key (state.options.pauseKey) pauses and
    // resumes the chain, the list key (state.options.listKey) opens the lists. The settings
    // window turns them off while it is open, so the keys can be typed into its controls.
    virtual void setGlobalKeysActive(bool active) = 0;
    // Whether the key could be taken now as either global key: no other program holds it.
    virtual bool globalKeyAvailable(const HotKey& key) = 0;
};

} // namespace miruteka
