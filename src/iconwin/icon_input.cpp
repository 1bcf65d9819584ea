#include "iconwin/icon_input.h"

namespace miruteka {
namespace {

bool validGroup(int group) {
    return group >= 1 && group <= kGroupCount;
}

// The path of the group's shown item, or an empty one when the slot is out of range.
std::string shownItemPath(const LauncherState& state, int group) {
    const int slot = state.shownSlot(group);
    if (slot < 0 || slot >= kSlotCount) {
        return {};
    }
    return state.items.path(group, slot);
}

} // namespace

std::string dropCommandLine(const std::string& program, const std::string& droppedPath) {
    // Unquoted, a path such as "C:\My Files\a -x.txt" would reach the program as several
    // arguments, some of which could read as options.
    if (droppedPath.find(' ') == std::string::npos) {
        return program + " " + droppedPath;
    }
    // Backslashes before the closing quote would escape it: double them.
    const std::size_t lastKept = droppedPath.find_last_not_of('\\');
    const std::size_t trailing =
        lastKept == std::string::npos ? droppedPath.size() : droppedPath.size() - lastKept - 1;
    return program + " \"" + droppedPath + std::string(trailing, '\\') + "\"";
}

IconInput::IconInput(LauncherState& state, PointerInput& pointer, ItemStarter& starter,
                     IconInputWindows& windows)
    : state_(state), pointer_(pointer), starter_(starter), windows_(windows) {}

void IconInput::IC_MouseMove(int) {
    lockOnPointer();
}

void IconInput::IC_OLEDragOver(int) {
    lockOnPointer();
}

// Every touch moves the point from which the release distance is measured.
void IconInput::lockOnPointer() {
    const std::optional<Point> pointer = pointer_.cursorPos();
    if (!pointer) {
        return; // a lock without its point could only be released from a made-up one
    }
    state_.blnMouseOnIcon = true;
    state_.lngMouseX = pointer->x;
    state_.lngMouseY = pointer->y;
}

void IconInput::IC_MouseDown(int group, int button, int shift) {
    if (!validGroup(group)) {
        return;
    }
    switch (button) {
    case 1:
        startShownItem(group, shift);
        break;
    case 2:
        openPopup(group);
        break;
    case 4:
        windows_.hideIconWindow(group);
        break;
    default:
        break;
    }
}

void IconInput::startShownItem(int group, int shift) {
    const std::string path = shownItemPath(state_, group);
    if (!path.empty()) {
        starter_.start(path, startVerbFor(shift));
    }
}

void IconInput::openPopup(int group) {
    if (state_.intOpenGroup != 0) {
        return;
    }
    // The popup fills itself from intOpenGroup, so it is set before the popup exists. Only
    // the motion timer's watch clears it again.
    state_.intOpenGroup = static_cast<int16_t>(group);
    windows_.showPopupModally(group);
}

void IconInput::IC_OLEDragDrop(int group, const std::vector<std::string>& files) {
    if (!validGroup(group)) {
        return;
    }
    const std::string program = shownItemPath(state_, group);
    if (program.empty()) {
        return;
    }
    std::vector<std::string> lines;
    lines.reserve(files.size());
    for (const std::string& file : files) {
        lines.push_back(dropCommandLine(program, file));
    }
    starter_.start(std::move(lines));
}

} // namespace miruteka
