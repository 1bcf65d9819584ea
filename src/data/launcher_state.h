// The launcher's process-wide state: the five settings, the item tables and the flags that
// the icon windows, the popup and the settings window share. One instance lives for the
// whole run; windows get a reference to it.
#pragma once

#include "data/options_file.h"

#include <array>
#include <cstdint>
#include <string>

namespace miruteka {

inline constexpr int kGroupCount = 4;
inline constexpr int kSlotCount = 10;
inline constexpr int kItemCount = kGroupCount * kSlotCount;

// Index of group g (1..4), slot s (0..9) in the item tables.
constexpr int itemIndex(int group, int slot) {
    return (group - 1) * kSlotCount + slot;
}

// The five settings, in list-file order. They start at 0: the reader leaves a value it
// cannot read at its start value, and only the default file carries the defaults.
struct Settings {
    int16_t intTimerInterval = 0;  // ms between motion ticks; 0 stops the timer
    int16_t intMoveThreshold = 0;  // pointer travel (per axis) before the chain moves
    int16_t intMouseGap = 0;       // pointer to the centre of the group-1 window
    int16_t intIconGap = 0;        // half the spacing between consecutive windows
    int16_t intUnlockDistance = 0; // pointer travel (per axis) that releases the icon lock

    friend bool operator==(const Settings&, const Settings&) = default;
};

inline constexpr Settings kDefaultSettings{200, 10, 30, 20, 30};

struct ItemTables {
    std::array<std::string, kItemCount> strItemName{};
    std::array<std::string, kItemCount> strItemPath{};
    // A name or path line of the list file as it was read, when its text would not be written
    // back to the same bytes (a list written on a PC with another code page, or a UTF-8 list
    // with bytes that are no UTF-8); empty for any other line. It is written back as it was while
    // the text is still the one read from it, so a save that did not touch the item does not change
    // it. Tables are equal only when these are too: equal tables are saved to the same bytes.
    std::array<std::string, kItemCount> keptName{};
    std::array<std::string, kItemCount> keptPath{};

    const std::string& name(int group, int slot) const {
        return strItemName[itemIndex(group, slot)];
    }
    const std::string& path(int group, int slot) const {
        return strItemPath[itemIndex(group, slot)];
    }

    friend bool operator==(const ItemTables&, const ItemTables&) = default;
};

struct LauncherState {
    Settings settings;
    ItemTables items;

    // Per group (index group - 1): the slot 0..9 whose icon the group's window shows.
    std::array<int16_t, kGroupCount> intShownItem{};
    // 0, or the group 1..4 whose item list popup is open.
    int16_t intOpenGroup = 0;
    // The icon lock and the screen point where the pointer last touched an icon window.
    bool blnMouseOnIcon = false;
    int32_t lngMouseX = 0;
    int32_t lngMouseY = 0;
    bool blnSettingsOpen = false;
    // Per group (index group - 1): its icon window is to be visible.
    std::array<bool, kGroupCount> blnGroupHasIcon{};
    // What miruteka.ini holds.
    Options options{};
    // miruteka.ini was there at start-up but could not be read: its keys are off and the
    // file is left as it is until the next start.
    bool optionsUnreadable = false;

    int16_t shownSlot(int group) const { return intShownItem[group - 1]; }
    const std::string& shownPath(int group) const { return items.path(group, shownSlot(group)); }
    const std::string& shownName(int group) const { return items.name(group, shownSlot(group)); }
};

} // namespace miruteka
