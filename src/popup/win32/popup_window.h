// Form5 on Windows: a topmost tool window with a dialog frame and no caption, ten
// owner-drawn entries and two hint labels. It is created afresh at each opening, placed by
// the icon window it was opened from (or under the pointer, by the list key) and shown
// modally: the program's other top-level windows take no input meanwhile, their timers keep
// running. The highlighted entry holds the keyboard focus, so screen readers name it.
//
// Window class, for tests that look for it: "MirutekaForm5"; the entries are its BUTTON
// children with ids kPopupEntryFirstId + slot, the hints its STATIC children.
#pragma once

#include "platform/input.h"
#include "platform/process.h"
#include "popup/popup.h"
#include "shared_ui/launcher_host.h"
#include "shared_ui/popup_watch.h"

#include <windows.h>

#include <memory>

namespace miruteka::win32 {

inline constexpr const wchar_t* kPopupWindowClass = L"MirutekaForm5";
inline constexpr int kPopupEntryFirstId = 100;
inline constexpr int kPopupLeftHintId = 120;
inline constexpr int kPopupRightHintId = 121;

// Lives for the whole run and stands for whichever popup is open, so the motion timer can
// watch it.
class PopupWindow : public OpenPopup {
  public:
    PopupWindow(LauncherState& state, ItemStarter& starter, LauncherHost& host,
                PointerInput& pointer);
    ~PopupWindow() override;
    PopupWindow(const PopupWindow&) = delete;
    PopupWindow& operator=(const PopupWindow&) = delete;

    // Loads the popup for state.intOpenGroup, places it by the icon window and shows it
    // modally; returns once it has closed.
    void showModally(HWND iconWindow);
    // Loads the list for state.intOpenGroup under the pointer, as a right click there would
    // place it, gives it the keyboard focus and shows it modally until Esc, a start or
    // another window's activation closes it; returns with the popup lock ended.
    void showAtPointer();
    // Gives the open list the foreground and the keyboard focus.
    void bringForward();

    // The popup window while one is open, else nullptr.
    HWND window() const;

    bool isOpen() const override;
    Rect frame() const override;
    void close() override;
    bool closesWhenPointerLeaves() const override;

  private:
    class Form5;

    void show(const Rect& anchor, Point pointer, bool fromKeyboard);
    bool motionTimerStopped() const;

    LauncherState& state_;
    ItemStarter& starter_;
    LauncherHost& host_;
    PointerInput& pointer_;
    std::unique_ptr<Form5> form_;
};

} // namespace miruteka::win32
