// The four icon windows as ICLOAD sees them: a picture to draw into, a tooltip and the
// window's visibility. Group is 1..4 (Form1..Form4).
#pragma once

#include "platform/icons.h"

#include <string>

namespace miruteka {

class IconWindows {
  public:
    virtual ~IconWindows() = default;
    // The window's IC picture (32 x 32, keeps what is drawn into it).
    virtual Picture& picture(int group) = 0;
    // The IC picture's tooltip; an empty text shows no tooltip.
    virtual void setTooltip(int group, const std::string& text) = 0;
    // Shows the window without activating it, or hides it.
    virtual void setVisible(int group, bool visible) = 0;
};

} // namespace miruteka
