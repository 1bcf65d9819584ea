// Which window in front keeps the chain out of the way: a program in full screen on the
// monitor under the pointer, told apart from maximised windows, the shell and our own.
#include "fakes/fake_desktop.h"
#include "iconwin/full_screen.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

constexpr uint32_t kPopup = 0x80000000;     // WS_POPUP
constexpr uint32_t kCaptioned = 0x00CF0000; // WS_OVERLAPPEDWINDOW
constexpr Point kOnFirst{500, 500};
constexpr Rect kFirst{0, 0, 1280, 1024};

TEST(FullScreen, AWindowWithoutTitleBarThatMatchesTheMonitorToAPixelCounts) {
    struct Case {
        const char* name;
        Rect frame;
        uint32_t style;
        const char* className;
        bool fullScreen;
    };
    const Case cases[] = {
        {"the monitor exactly", kFirst, kPopup, "Game", true},
        {"a pixel beyond on every side", {-1, -1, 1281, 1025}, kPopup, "Game", true},
        {"two pixels beyond", {-2, 0, 1280, 1024}, kPopup, "Game", false},
        {"maximised without a title bar", {-8, -8, 1288, 1032}, kPopup, "Chrome", false},
        {"a pixel short", {0, 0, 1280, 1023}, kPopup, "Game", false},
        {"maximised with a title bar", kFirst, kCaptioned, "Notepad", false},
        {"the system's desktop window", kFirst, kPopup, "#32769", false},
        {"the desktop", kFirst, kPopup, "Progman", false},
        {"the desktop's icons", kFirst, kPopup, "WorkerW", false},
        {"the taskbar", kFirst, kPopup, "Shell_TrayWnd", false},
        {"another taskbar", kFirst, kPopup, "shell_secondarytraywnd", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        desktop.putInFront(c.frame, c.style, c.className);
        EXPECT_EQ(fullScreenUnderPointer(desktop, kOnFirst), c.fullScreen);
    }
}

TEST(FullScreen, OnlyAnotherProgramOnTheMonitorUnderThePointerCounts) {
    FakeDesktop desktop;
    desktop.monitorCount = 2;
    EXPECT_FALSE(fullScreenUnderPointer(desktop, kOnFirst)); // nothing in front
    desktop.putInFront(desktop.monitors[1], kPopup);
    EXPECT_TRUE(fullScreenUnderPointer(desktop, {1500, 300}));
    EXPECT_FALSE(fullScreenUnderPointer(desktop, kOnFirst));
    EXPECT_FALSE(fullScreenUnderPointer(desktop, {1500, 900})); // below it, on no monitor
    desktop.foreground->processId = FakeDesktop::kOwnProcess;
    EXPECT_FALSE(fullScreenUnderPointer(desktop, {1500, 300}));
}

TEST(FullScreen, TheShellCountsForDirect3DAndPresentationsOnlyNotBusyOrApps) {
    FakeDesktop desktop;
    desktop.putInFront({100, 100, 700, 500}, kCaptioned, "Viewer");
    for (int state = 0; state <= 7; ++state) {
        desktop.state = state;
        EXPECT_EQ(fullScreenUnderPointer(desktop, kOnFirst), state == 3 || state == 4) << state;
    }
}

} // namespace
} // namespace miruteka
