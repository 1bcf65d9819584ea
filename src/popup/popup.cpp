#include "popup/popup.h"

namespace miruteka {
namespace {

bool validGroup(int group) {
    return group >= 1 && group <= kGroupCount;
}

bool validSlot(int slot) {
    return slot >= 0 && slot < kSlotCount;
}

} // namespace

ItemListPopup::ItemListPopup(LauncherState& state, ItemStarter& starter, LauncherHost& host)
    : state_(state), starter_(starter), host_(host) {}

void ItemListPopup::Form_Load() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        PopupEntry& entry = entries_[slot];
        const std::string& name =
            validGroup(group()) ? state_.items.name(group(), slot) : std::string();
        // Only the name decides: an entry without a name cannot be chosen, whatever its path.
        entry.enabled = !name.empty();
        entry.caption = entry.enabled ? name : kEmptyEntryCaption;
        entry.colour = kEntryRestingColour;
    }
}

void ItemListPopup::paintRestingAndShown() {
    for (PopupEntry& entry : entries_) {
        entry.colour = kEntryRestingColour;
    }
    if (validGroup(group())) {
        const int shown = state_.shownSlot(group());
        if (validSlot(shown)) {
            entries_[shown].colour = kEntryShownColour;
        }
    }
}

void ItemListPopup::Command1_MouseMove(int index) {
    if (!validSlot(index) || !entries_[index].enabled) {
        Form_MouseMove();
        return;
    }
    paintRestingAndShown();
    entries_[index].colour = kEntryHoverColour;
}

void ItemListPopup::Form_MouseMove() {
    paintRestingAndShown();
}

ItemListPopup::AfterPress ItemListPopup::Command1_MouseDown(int index, int button, int shift) {
    if (!validSlot(index) || !entries_[index].enabled || !validGroup(group())) {
        return AfterPress::StayOpen;
    }
    if (button == 1) {
        const std::string path = state_.items.path(group(), index);
        if (path.empty()) {
            return AfterPress::StayOpen;
        }
        starter_.start(path, startVerbFor(shift));
        // intOpenGroup stays set: the next motion tick sees the popup gone and clears it.
        return AfterPress::Close;
    }
    if (button == 2) {
        state_.intShownItem[group() - 1] = static_cast<int16_t>(index);
        host_.ICLOAD();
        // The colours stay as they are until the pointer next moves.
    }
    return AfterPress::StayOpen;
}

} // namespace miruteka
