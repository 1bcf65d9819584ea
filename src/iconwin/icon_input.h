// What the user does on an icon window: moving or dragging over it locks the chain, a left
// press starts the group's shown item (Ctrl+Shift: as administrator), a right press opens the
// group's item list popup, a middle press hides the window until the chain next moves, dropped
// files are each opened with the shown item.
#pragma once

#include "data/launcher_state.h"
#include "iconwin/icon_window_events.h"
#include "launch/item_starter.h"
#include "platform/input.h"

#include <string>
#include <vector>

namespace miruteka {

// The windows the input acts on. Group is 1..4.
class IconInputWindows {
  public:
    virtual ~IconInputWindows() = default;
    // Creates the item list popup for state.intOpenGroup, places it by the group's window
    // and shows it modally; returns when it has closed. The motion ticks go on meanwhile.
    virtual void showPopupModally(int group) = 0;
    virtual void hideIconWindow(int group) = 0;
};

// The command line that opens a dropped file with a program: the program, one blank and the
// file. A file with blanks in its path is quoted, so the program gets it as one argument.
std::string dropCommandLine(const std::string& program, const std::string& droppedPath);

class IconInput : public IconWindowEvents {
  public:
    IconInput(LauncherState& state, PointerInput& pointer, ItemStarter& starter,
              IconInputWindows& windows);

    void IC_MouseMove(int group) override;
    void IC_OLEDragOver(int group) override;
    void IC_MouseDown(int group, int button, int shift = 0) override;
    void IC_OLEDragDrop(int group, const std::vector<std::string>& files) override;

  private:
    void lockOnPointer();
    void startShownItem(int group, int shift);
    void openPopup(int group);

    LauncherState& state_;
    PointerInput& pointer_;
    ItemStarter& starter_;
    IconInputWindows& windows_;
};

} // namespace miruteka
