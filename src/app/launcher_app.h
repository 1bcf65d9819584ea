// The program's core on Windows: the shared state, the four icon windows Form1..Form4,
// Form1's start-up (Form_Load) and its timer Timer1, which runs the motion.
//
// Other parts plug in here before Form_Load runs:
//   - setIconWindowEvents: where the icon windows' mouse input goes;
//   - pictureWindow(group): the IC window to register a group's drop target on;
//   - setOpenPopup: the item list popup the motion timer watches;
//   - setListKeyHandler: what the list key opens;
//   - AddTrayIcon / Form_Unload: the tray icon's install (start-up) and removal (quit).
#pragma once

#include "data/launcher_state.h"
#include "data/list_startup.h"
#include "data/start_with_windows.h"
#include "iconwin/chain_presence.h"
#include "iconwin/chain_windows.h"
#include "iconwin/icon_loader.h"
#include "iconwin/icon_window_events.h"
#include "iconwin/icon_windows.h"
#include "iconwin/motion.h"
#include "iconwin/win32/icon_window.h"
#include "launch/item_starter.h"
#include "platform/win32/win32_background_work.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_icons.h"
#include "platform/win32/win32_pointer_input.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_startup_registry.h"
#include "shared_ui/item_probe.h"
#include "shared_ui/launcher_host.h"
#include "shared_ui/popup_watch.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace miruteka::win32 {

class GlobalKey;
class SettingsWindowLoader;
class SystemEvents;
class TrayIcon;

class LauncherApp : public LauncherHost, private ChainWindows, private IconWindows {
  public:
    LauncherApp();
    ~LauncherApp() override;
    LauncherApp(const LauncherApp&) = delete;
    LauncherApp& operator=(const LauncherApp&) = delete;

    // Start-up. False when the program cannot run: its list file could not be created, or
    // could not be read and the user chose not to try again; the user has been told why.
    bool Form_Load();

    // Form1's public operations.
    void ICLOAD() override;
    void setTimerInterval(int16_t milliseconds) override;
    void hideIconWindows() override;
    void quit() override;
    void setGlobalKeysActive(bool active) override;
    bool globalKeyAvailable(const HotKey& key) override;

    LauncherState& state() { return state_; }
    FileSystem& files() { return *files_; }
    const AnsiCodePage& codePage() const { return codePage_; }
    PointerInput& pointer() { return pointer_; }
    // Starts items off the user-interface thread.
    ItemStarter& starter() { return starter_; }
    // The list file's full path, known once Form_Load has run.
    const std::string& listFile() const { return listFile_; }

    HWND iconWindow(int group) const { return windows_[group - 1]->hwnd(); }
    HWND pictureWindow(int group) const { return windows_[group - 1]->pictureWindow(); }
    void setIconWindowEvents(IconWindowEvents* events);
    // The popup that is open, or nullptr; the motion timer closes it when the pointer leaves.
    void setOpenPopup(OpenPopup* popup) { popupSlot_.current = popup; }
    // Called when the list key (state.options.listKey) is pressed; none to unplug.
    void setListKeyHandler(std::function<void()> pressed) { listKeyPressed_ = std::move(pressed); }
    // Called once the icons have shown and the rest of start-up has run (at once when it has):
    // what nobody can use before the icons show waits for it. None to unplug.
    void setStartedUpHandler(std::function<void()> startedUp);

  private:
    // Whichever popup is plugged in; none is open until one is.
    struct PopupSlot : OpenPopup {
        OpenPopup* current = nullptr;
        bool isOpen() const override { return current != nullptr && current->isOpen(); }
        Rect frame() const override { return current->frame(); }
        void close() override { current->close(); }
        bool closesWhenPointerLeaves() const override { return current->closesWhenPointerLeaves(); }
    };

    // Start-up step 13: puts the tray icon in the notification area.
    void AddTrayIcon();
    // Form1's unload: takes the tray icon away again.
    void Form_Unload();

    void placeIconWindows(Point pointer);
    // Decides where the list is kept and reads it, then asks for the looks at the shown items'
    // paths, the longest part of start-up: asked for before the windows are made, they run
    // while the windows are made, and ICLOAD's looks at the same paths join them.
    void lookAhead();
    // The start-up that need not come before the icons show: the tooltips, the ini, the
    // session and power notices, the keys, the Run entry, the started-up handler. Run once, a
    // moment after the icons show, or sooner when the settings window opens first.
    void finishStartUp();
    // The pause key was pressed: the chain goes away, or comes back under the pointer.
    void togglePause();
    // Nobody is at the session for this reason any more, or from now on.
    void awayChanged(AwayReason reason, bool away);
    // Timer1 runs at its interval when the chain's presence lets it, and stops otherwise.
    void applyTimer();
    // A Run entry left pointing at this program's old folder is made to start it from here.
    void repointStartupEntry();
    // A drive arrived, the session was unlocked, the machine woke or a minute passed: the
    // groups hidden for want of their item are looked at again.
    void lookAgainAtHiddenGroups();
    // The monitors or their work areas have changed (launcher_display_change.cpp).
    void displayChanged();

    // ChainWindows: what the motion timer moves.
    Rect frame(int group) const override;
    bool isVisible(int group) const override;
    void moveTopmost(int group, Point topLeft) override;
    void show(int group) override;
    void hide(int group) override;
    int dpiAt(Point screenPoint) const override;
    void setIconSize(int pixels) override;

    // IconWindows: what ICLOAD draws into, labels and shows.
    Picture& picture(int group) override;
    void setTooltip(int group, const std::string& text) override;
    void setVisible(int group, bool visible) override;

    LauncherState state_;
    // The services that work items use are shared with them: a look at an unreachable share
    // may still be running when the program quits.
    std::shared_ptr<Win32FileSystem> files_;
    std::shared_ptr<Win32IconApi> icons_;
    std::shared_ptr<Win32ProcessApi> processes_;
    Win32CodePage codePage_;
    Win32PointerInput pointer_;
    Win32BackgroundWork work_;
    ItemProbes probes_;
    ItemStarter starter_;
    Win32Desktop desktop_;
    std::shared_ptr<Win32StartupRegistry> startupRegistry_;
    StartWithWindows startWithWindows_;
    PopupSlot popupSlot_;
    Motion motion_;
    ChainPresence presence_;
    // Timer1's interval while it runs.
    unsigned timerInterval_;
    std::array<std::unique_ptr<IconWindow>, kGroupCount> windows_;
    IconLoader loader_;
    std::unique_ptr<SystemEvents> systemEvents_;
    std::unique_ptr<GlobalKey> pauseKey_;
    std::unique_ptr<GlobalKey> listKey_;
    std::function<void()> listKeyPressed_;
    std::function<void()> startedUp_;
    // Where the list and the ini are kept, decided once before anything is read.
    std::string listFolder_;
    std::string listFile_;
    // What reading the list at construction found, for Form_Load to act on.
    ListStartup firstListStartup_;
    std::string optionsFile_;
    bool startUpFinished_ = false;
    // The settings window the tray icon opens, and the tray icon itself (Module1).
    std::unique_ptr<SettingsWindowLoader> settingsWindow_;
    std::unique_ptr<TrayIcon> tray_;
};

} // namespace miruteka::win32
