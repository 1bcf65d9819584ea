// Form5, the item list popup: ten entries for the slots of the open group. A left press
// starts an entry's item and closes the popup; a right press makes it the group's shown
// item. The hovered entry and the shown item are highlighted. The keyboard moves the same
// highlight and does what the mouse does, and more: the digits start slots, Left and Right
// show the other groups' lists in the same place.
#pragma once

#include "data/launcher_state.h"
#include "launch/item_starter.h"
#include "shared_ui/launcher_host.h"

#include <array>
#include <cstdint>
#include <string>

namespace miruteka {

// Entry colours as 0x00BBGGRR; the resting colour is the system's button face
// (0x80000000 | COLOR_BTNFACE), which the window layer looks up.
inline constexpr uint32_t kEntryRestingColour = 0x8000000F;
inline constexpr uint32_t kEntryShownColour = 0x0080C0FF;   // light orange
inline constexpr uint32_t kEntryHoverColour = 0x0080FFFF;   // light yellow
inline constexpr const char* kEmptyEntryCaption = "\u00D7"; // "×"

// What a key in the open list asks for; the window layer turns key presses into these.
enum class ListKey {
    Up,
    Down,
    PreviousGroup,
    NextGroup,
    Start,                // Enter, Space
    StartAsAdministrator, // Ctrl+Shift+Enter
    MakeShown,            // Shift+Enter, Shift+F10, the context-menu key
    Close,                // Esc
};

struct PopupEntry {
    std::string caption;
    bool enabled = false;
    uint32_t colour = kEntryRestingColour;
};

class ItemListPopup {
  public:
    enum class AfterPress { StayOpen, Close };

    // The popup serves state.intOpenGroup, which must be 1..4 while it exists.
    ItemListPopup(LauncherState& state, ItemStarter& starter, LauncherHost& host);

    // Fills the ten entries from the open group's names; all start in the resting colour.
    void Form_Load();

    const std::array<PopupEntry, kSlotCount>& entries() const { return entries_; }

    // The pointer over an enabled entry: it turns light yellow, the shown item light orange.
    // It becomes the highlight that the keys move on from.
    void Command1_MouseMove(int index);
    // The pointer over the background (or a disabled entry): only the shown item is marked.
    // The highlight keeps its place for the keys, unlit.
    void Form_MouseMove();

    // The entry that holds the keyboard focus and that Enter acts on; -1 for none.
    int highlighted() const { return highlight_; }
    // Lights the first entry that can be chosen, as a list opened from the keyboard starts.
    void highlightFirst();
    // The entry took the keyboard focus (Tab, a screen reader): it becomes the highlight.
    void highlight(int index);
    // Up and Down move the highlight over the entries that can be chosen, round at the ends;
    // Left and Right load the previous or next group (intOpenGroup follows), round as well.
    AfterPress keyDown(ListKey key);
    // Digits 1..9 and 0 start slots 0..9 as a left press on them would.
    AfterPress digitDown(int digit);

    // A button going down on an entry; button is the mask 1 (left), 2 (right), 4 (middle),
    // shift the modifier keys held (Ctrl+Shift with a left press: as administrator).
    AfterPress Command1_MouseDown(int index, int button, int shift = 0);

  private:
    int group() const { return state_.intOpenGroup; }
    void paintRestingAndShown();
    void paint();
    void moveHighlight(int step);
    void switchGroup(int step);

    LauncherState& state_;
    ItemStarter& starter_;
    LauncherHost& host_;
    std::array<PopupEntry, kSlotCount> entries_{};
    int highlight_ = -1;
    // The highlight shows in the hover colour until the pointer moves onto the background.
    bool lit_ = false;
};

} // namespace miruteka
