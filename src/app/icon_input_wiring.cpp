#include "app/icon_input_wiring.h"

namespace miruteka::win32 {
namespace {

constexpr UINT kDropsWaitingMessage = WM_APP + 1;

} // namespace

IconInputWiring::IconInputWiring(LauncherApp& app)
    : app_(app), popup_(app.state(), app.starter(), app, app.pointer()),
      input_(app.state(), app.pointer(), app.starter(), *this), drops_(input_) {
    app_.setIconWindowEvents(&input_);
    app_.setOpenPopup(&popup_);
    app_.setListKeyHandler([this] { openListFromKeyboard(); });
    app_.setStartedUpHandler([this] { registerDropTargets(); });
}

IconInputWiring::~IconInputWiring() {
    for (auto& target : dropTargets_) {
        target = FileDropRegistration();
    }
    app_.setStartedUpHandler(nullptr);
    app_.setListKeyHandler(nullptr);
    app_.setOpenPopup(nullptr);
    app_.setIconWindowEvents(nullptr);
}

void IconInputWiring::registerDropTargets() {
    for (int group = 1; group <= kGroupCount; ++group) {
        dropTargets_[group - 1] = FileDropRegistration(
            app_.pictureWindow(group), {[this, group] { input_.IC_OLEDragOver(group); },
                                        [this, group](std::vector<std::string> paths) {
                                            drops_.post(group, std::move(paths));
                                        }});
    }
}

void IconInputWiring::openListFromKeyboard() {
    LauncherState& state = app_.state();
    if (state.intOpenGroup != 0) {
        popup_.bringForward();
        return;
    }
    // Group 1 whether its icon window shows or not: from there the arrows reach every group,
    // also one whose window went away with its item.
    state.intOpenGroup = 1;
    popup_.showAtPointer();
}

void IconInputWiring::showPopupModally(int group) {
    popup_.showModally(app_.iconWindow(group));
}

void IconInputWiring::hideIconWindow(int group) {
    ::ShowWindow(app_.iconWindow(group), SW_HIDE);
}

IconInputWiring::PostedDrops::PostedDrops(IconInput& input) : input_(input) {
    WNDCLASSEXW windowClass{};
    create(L"MirutekaPostedDrops", windowClass, 0, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

void IconInputWiring::PostedDrops::post(int group, std::vector<std::string> paths) {
    waiting_.emplace_back(group, std::move(paths));
    ::PostMessageW(hwnd(), kDropsWaitingMessage, 0, 0);
}

LRESULT IconInputWiring::PostedDrops::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDropsWaitingMessage) {
        auto drops = std::exchange(waiting_, {});
        for (const auto& [group, paths] : drops) {
            input_.IC_OLEDragDrop(group, paths);
        }
        return 0;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

} // namespace miruteka::win32
