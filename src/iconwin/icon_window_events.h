// The user's input on an icon window's picture, as the window procedure reports it.
// Group is 1..4; button is the mask 1 (left), 2 (right) or 4 (middle); shift the modifier
// keys held (kShiftMask, kCtrlMask).
#pragma once

#include <string>
#include <vector>

namespace miruteka {

class IconWindowEvents {
  public:
    virtual ~IconWindowEvents() = default;
    virtual void IC_MouseMove(int group) = 0;
    virtual void IC_OLEDragOver(int group) = 0;
    virtual void IC_MouseDown(int group, int button, int shift = 0) = 0;
    // The dropped paths (CF_HDROP) in the order the drop gives them.
    virtual void IC_OLEDragDrop(int group, const std::vector<std::string>& files) = 0;
};

} // namespace miruteka
