// Connects the icon windows' input to the launcher: mouse input and drops on each IC go to
// the icon input rules, a right press opens the item list popup, the list key opens it under
// the pointer, and the motion timer watches that popup. Plug it in after the app is built and
// before its start-up runs; it unplugs itself when it goes, before the windows do.
#pragma once

#include "app/launcher_app.h"
#include "iconwin/icon_input.h"
#include "popup/win32/popup_window.h"
#include "toolkit/win32/file_drop_target.h"
#include "toolkit/win32/window_base.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace miruteka::win32 {

class IconInputWiring final : private IconInputWindows {
  public:
    explicit IconInputWiring(LauncherApp& app);
    ~IconInputWiring() override;
    IconInputWiring(const IconInputWiring&) = delete;
    IconInputWiring& operator=(const IconInputWiring&) = delete;

  private:
    // Drops are handled once IDropTarget::Drop has returned, so the drag source never
    // waits for a program to start.
    class PostedDrops : public WindowBase {
      public:
        explicit PostedDrops(IconInput& input);
        void post(int group, std::vector<std::string> paths);

      protected:
        LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

      private:
        IconInput& input_;
        std::vector<std::pair<int, std::vector<std::string>>> waiting_;
    };

    // Each IC takes dropped files. OLE's registration is slow enough to hold up the icons, and
    // nothing can be dropped on an icon before it shows.
    void registerDropTargets();
    void openListFromKeyboard();
    void showPopupModally(int group) override;
    void hideIconWindow(int group) override;

    LauncherApp& app_;
    PopupWindow popup_;
    IconInput input_;
    PostedDrops drops_;
    std::array<FileDropRegistration, kGroupCount> dropTargets_;
};

} // namespace miruteka::win32
