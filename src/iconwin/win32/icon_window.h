// Form1..Form4: a borderless 32 x 32 tool window (no taskbar button, no caption) filled by
// its picture box IC, which shows the group's icon, carries the tooltip and takes the
// mouse input and dropped files. On a monitor of another scale the window and its picture
// are as much larger (48 x 48 at 144 dpi); the motion decides when.
//
// Window classes, for tests and tools that look for the windows: "MirutekaForm1" ..
// "MirutekaForm4" for the top-level windows, "MirutekaIconPicture" for each IC.
#pragma once

#include "iconwin/icon_window_events.h"
#include "platform/win32/win32_icons.h"
#include "toolkit/win32/window_base.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace miruteka::win32 {

inline constexpr COLORREF kIconPictureBackground = 0x0080FFFF;
inline constexpr const wchar_t* kIconPictureClass = L"MirutekaIconPicture";

// The class name of the group's window: "MirutekaForm1" for group 1, and so on.
std::wstring iconWindowClass(int group);

class IconWindow : public WindowBase {
  public:
    // Creates the window hidden at (0, 0), 32 x 32, with its IC; the tooltip comes with
    // addTooltip.
    explicit IconWindow(int group);
    ~IconWindow() override;

    int group() const { return group_; }
    // The IC picture box: mouse input, dropped files and the tooltip belong to it.
    HWND pictureWindow() const { return pictureBox_.hwnd(); }
    // None until addTooltip.
    HWND tooltipWindow() const { return tooltip_.get(); }
    Win32Picture& picture() { return picture_; }

    // Gives the window and its picture this width and height, keeping the corner; the
    // picture is to be drawn again.
    void resize(int pixels);

    // Gives IC its tooltip, with the text set so far. A top-level window each, the tooltips
    // cost start-up time that nobody waits for: nobody hovers before the icons show.
    void addTooltip();
    // The tooltip, and the window text of the window and of IC (their accessible names).
    void setTooltip(const std::wstring& text);
    // The text the tooltip control holds now (the text it will get, before addTooltip).
    std::wstring tooltip() const;

    // Where IC's mouse input goes; nullptr drops it.
    void setEvents(IconWindowEvents* events) { events_ = events; }
    // Runs on each WM_TIMER the window receives with this id (Form1's Timer1, say).
    void setTimerHandler(UINT_PTR timerId, std::function<void()> handler);
    // Runs when the monitors or their work areas have changed (WM_DISPLAYCHANGE, or
    // WM_SETTINGCHANGE for SPI_SETWORKAREA).
    void setDisplayChangeHandler(std::function<void()> handler);

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    class PictureBox : public WindowBase {
      public:
        explicit PictureBox(IconWindow& owner) : owner_(owner) {}
        void create(HWND parent);

      protected:
        LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

      private:
        IconWindow& owner_;
    };

    // keys: the MK_* flags of the press.
    void mouseDown(int button, WPARAM keys);
    // Dark while Windows' apps are (and high contrast is off), else as Windows draws it.
    void colourTooltip();

    int group_;
    Win32Picture picture_;
    PictureBox pictureBox_;
    UniqueWindow tooltip_;
    std::wstring tooltipText_;
    bool tooltipDark_ = false;
    IconWindowEvents* events_ = nullptr;
    std::map<UINT_PTR, std::function<void()>> timerHandlers_;
    std::function<void()> displayChangeHandler_;
};

} // namespace miruteka::win32
