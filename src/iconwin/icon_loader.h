// ICLOAD: brings the four icon windows in line with the item tables. Each group's window
// shows the icon of its shown item, carries the item's name as its tooltip and is visible
// only when the item's path names an existing file or folder.
//
// The looks at the paths run off the user-interface thread. ICLOAD waits for their answers a
// short while, so local items look exactly as if it had looked itself; a group whose path
// answers later (an offline share) keeps what its window showed until its answer comes, and
// then becomes what ICLOAD would have made it. Its tooltip (the window's name, too) is set at
// once; when its shown item has changed, its picture is cleared at once to the background
// colour until the new icon comes, so that no window shows one item's icon while a click on
// it starts another. Each call looks again; an answer for an earlier call never overwrites a
// later one.
#pragma once

#include "data/launcher_state.h"
#include "iconwin/icon_windows.h"
#include "shared_ui/item_probe.h"

#include <array>
#include <cstdint>
#include <string>

namespace miruteka {

class IconLoader {
  public:
    IconLoader(LauncherState& state, ItemProbes& probes, IconWindows& windows);

    // Asks for all four groups and waits up to kQuickAnswerWait, in all, for the answers.
    void ICLOAD();

    // Answers still to come are forgotten (the icon windows were hidden for the settings
    // window, whose closing calls ICLOAD again).
    void forgetPending();

    // For pictures that have changed size: the groups that have an icon get it again at
    // the new size when it comes; until then the old picture stays, stretched. Tooltips,
    // visibility and blnGroupHasIcon stay as they are.
    void redrawIcons();

    // Looks again at the groups hidden because their shown item was missing (a drive that
    // was not ready, a share that was offline). One that is there now gets its icon and
    // blnGroupHasIcon, so the chain shows it at its next move.
    void reprobeHiddenGroups();
    // Whether some group is hidden for want of its item.
    bool anyGroupAwaitingItem() const;

  private:
    enum class Look { Load, Redraw, Reprobe };

    void request(int group, Look look);
    void apply(int group, Look look, const ItemProbe& probe);

    LauncherState& state_;
    ItemProbes& probes_;
    IconWindows& windows_;
    // Per group: the number of its latest look, and whether that look is still out.
    std::array<std::uint32_t, kGroupCount> generation_{};
    std::array<bool, kGroupCount> pending_{};
    // Per group: the path whose icon the picture holds, or is about to.
    std::array<std::string, kGroupCount> drawnPath_{};
    LifeToken life_;
};

} // namespace miruteka
