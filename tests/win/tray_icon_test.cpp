#include "fakes/fake_launcher_host.h"
#include "iconwin/win32/tray_icon.h"
#include "win/modal_test_support.h"

#include <gtest/gtest.h>

namespace miruteka::win32 {
namespace {

class CountingOpener : public SettingsWindowOpener {
  public:
    explicit CountingOpener(std::vector<std::string>& log) : log_(log) {}
    void showSettingsWindow() override { log_.push_back("showSettings"); }
    void bringSettingsWindowForward() override { log_.push_back("bringForward"); }

  private:
    std::vector<std::string>& log_;
};

// Whether the shell still knows an icon of that window and id (a modify only works then).
bool shellHasIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 1;
    data.uFlags = NIF_TIP;
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

TEST(TrayIcon, LivesOnAHiddenTopLevelWindowAndOpensTheSettingsOnAPress) {
    LauncherState state;
    std::vector<std::string> log;
    FakeLauncherHost host(&log);
    CountingOpener opener(log);
    HWND callback = nullptr;
    {
        TrayIcon tray(state, host, opener);
        tray.AddTrayIcon();
        callback = tray.callbackWindow();
        ASSERT_NE(callback, nullptr);
        EXPECT_TRUE(tray.shown());
        EXPECT_TRUE(shellHasIcon(callback));
        EXPECT_FALSE(::IsWindowVisible(callback));
        // Top-level (a message-only window would miss "TaskbarCreated").
        EXPECT_EQ(::GetAncestor(callback, GA_PARENT), ::GetDesktopWindow());

        for (const LPARAM ignored : {0x200, 0x202, 0x203, 0x205}) {
            ::SendMessageW(callback, 0x200, 1, ignored);
        }
        EXPECT_TRUE(log.empty());
        ::SendMessageW(callback, 0x200, 1, 0x204);
        EXPECT_EQ(log, (std::vector<std::string>{"hideIconWindows", "showSettings"}));
        EXPECT_TRUE(state.blnSettingsOpen);
        ::SendMessageW(callback, 0x200, 1, 0x201);
        EXPECT_EQ(log.size(), 3u);
        EXPECT_EQ(log.back(), "bringForward");

        // A new taskbar while the icon is still there keeps it.
        ::SendMessageW(callback, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        EXPECT_TRUE(tray.shown());
        EXPECT_TRUE(shellHasIcon(callback));

        tray.DeleteTrayIcon();
        EXPECT_FALSE(shellHasIcon(callback));
        ::SendMessageW(callback, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        EXPECT_FALSE(shellHasIcon(callback));
    }
    EXPECT_FALSE(::IsWindow(callback));
}

} // namespace
} // namespace miruteka::win32
