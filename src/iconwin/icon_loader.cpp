#include "iconwin/icon_loader.h"

#include <algorithm>

namespace miruteka {

IconLoader::IconLoader(LauncherState& state, ItemProbes& probes, IconWindows& windows)
    : state_(state), probes_(probes), windows_(windows) {}

void IconLoader::ICLOAD() {
    for (int group = 1; group <= kGroupCount; ++group) {
        request(group, Look::Load);
    }
    probes_.waitForAnswers(
        [this] { return std::none_of(pending_.begin(), pending_.end(), [](bool p) { return p; }); },
        kQuickAnswerWait);
}

void IconLoader::forgetPending() {
    for (int group = 1; group <= kGroupCount; ++group) {
        if (pending_[group - 1]) {
            ++generation_[group - 1];
            pending_[group - 1] = false;
        }
    }
}

void IconLoader::redrawIcons() {
    for (int group = 1; group <= kGroupCount; ++group) {
        // A look still out is redrawn at the new size when it lands.
        if (state_.blnGroupHasIcon[group - 1] && !pending_[group - 1]) {
            request(group, Look::Redraw);
        }
    }
}

void IconLoader::reprobeHiddenGroups() {
    for (int group = 1; group <= kGroupCount; ++group) {
        if (!state_.blnGroupHasIcon[group - 1] && !pending_[group - 1] &&
            !state_.shownPath(group).empty()) {
            request(group, Look::Reprobe);
        }
    }
}

bool IconLoader::anyGroupAwaitingItem() const {
    for (int group = 1; group <= kGroupCount; ++group) {
        if (!state_.blnGroupHasIcon[group - 1] && !state_.shownPath(group).empty()) {
            return true;
        }
    }
    return false;
}

void IconLoader::request(int group, Look look) {
    const std::uint32_t generation = ++generation_[group - 1];
    const std::string path = state_.shownPath(group);
    const std::string name = state_.shownName(group);
    if (look == Look::Load) {
        // The window says at once which item a click on it starts; the icon of another item
        // stays no longer than the look that brings the new one.
        windows_.setTooltip(group, name);
        if (path != drawnPath_[group - 1]) {
            windows_.picture(group).clear();
            drawnPath_[group - 1] = path;
        }
    }
    if (path.empty()) {
        pending_[group - 1] = false;
        apply(group, look, ItemProbe{});
        return;
    }
    pending_[group - 1] = true;
    probes_.request(path, windows_.picture(group).size(),
                    life_.guard([this, group, look, generation](const ItemProbe& probe) {
                        if (generation != generation_[group - 1]) {
                            return; // a later look has taken over
                        }
                        pending_[group - 1] = false;
                        apply(group, look, probe);
                    }));
}

void IconLoader::apply(int group, Look look, const ItemProbe& probe) {
    Picture& picture = windows_.picture(group);
    switch (look) {
    case Look::Load:
        picture.clear();
        if (probe.exists) {
            drawItemIcon(picture, probe.icon);
        }
        state_.blnGroupHasIcon[group - 1] = probe.exists;
        windows_.setVisible(group, probe.exists);
        break;
    case Look::Redraw:
        if (probe.exists) {
            picture.clear();
            drawItemIcon(picture, probe.icon);
        }
        break;
    case Look::Reprobe:
        if (probe.exists) {
            picture.clear();
            drawItemIcon(picture, probe.icon);
            state_.blnGroupHasIcon[group - 1] = true;
        }
        break;
    }
    // The picture changed size while this look was out: draw it again at its new size.
    if (probe.exists && probe.icon.size != picture.size()) {
        request(group, Look::Redraw);
    }
}

} // namespace miruteka
