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
    highlight_ = -1;
    lit_ = false;
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

void ItemListPopup::paint() {
    paintRestingAndShown();
    if (lit_ && validSlot(highlight_)) {
        entries_[highlight_].colour = kEntryHoverColour;
    }
}

void ItemListPopup::Command1_MouseMove(int index) {
    if (!validSlot(index) || !entries_[index].enabled) {
        Form_MouseMove();
        return;
    }
    highlight_ = index;
    lit_ = true;
    paint();
}

void ItemListPopup::Form_MouseMove() {
    lit_ = false;
    paint();
}

void ItemListPopup::highlightFirst() {
    highlight_ = -1;
    moveHighlight(1);
}

void ItemListPopup::highlight(int index) {
    if (validSlot(index) && entries_[index].enabled && index != highlight_) {
        highlight_ = index;
        lit_ = true;
        paint();
    }
}

void ItemListPopup::moveHighlight(int step) {
    // From no highlight, Down finds the first entry and Up the last.
    int slot = highlight_;
    for (int tried = 0; tried < kSlotCount; ++tried) {
        slot = validSlot(slot) ? (slot + step + kSlotCount) % kSlotCount
                               : (step > 0 ? 0 : kSlotCount - 1);
        if (entries_[slot].enabled) {
            highlight_ = slot;
            break;
        }
    }
    lit_ = true;
    paint();
}

void ItemListPopup::switchGroup(int step) {
    if (!validGroup(group())) {
        return;
    }
    state_.intOpenGroup =
        static_cast<int16_t>((group() - 1 + step + kGroupCount) % kGroupCount + 1);
    Form_Load();
    highlightFirst();
}

ItemListPopup::AfterPress ItemListPopup::keyDown(ListKey key) {
    switch (key) {
    case ListKey::Up:
        moveHighlight(-1);
        break;
    case ListKey::Down:
        moveHighlight(1);
        break;
    case ListKey::PreviousGroup:
        switchGroup(-1);
        break;
    case ListKey::NextGroup:
        switchGroup(1);
        break;
    case ListKey::Start:
        return Command1_MouseDown(highlight_, 1);
    case ListKey::StartAsAdministrator:
        return Command1_MouseDown(highlight_, 1, kShiftMask | kCtrlMask);
    case ListKey::MakeShown:
        Command1_MouseDown(highlight_, 2);
        paint();
        break;
    case ListKey::Close:
        return AfterPress::Close;
    }
    return AfterPress::StayOpen;
}

ItemListPopup::AfterPress ItemListPopup::digitDown(int digit) {
    if (digit < 0 || digit > 9) {
        return AfterPress::StayOpen;
    }
    return Command1_MouseDown(digit == 0 ? 9 : digit - 1, 1);
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
