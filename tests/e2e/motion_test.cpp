// The chain follows the pointer on the real program: Timer1's tick moves the four windows
// exactly, a move within the threshold moves nothing, and a timer interval of 0 stops it.
#include "e2e/harness/harness.h"
#include "e2e/harness/list_file_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace e2e {
namespace {

constexpr std::array<POINT, 4> kColumnUnder500{{{484, 514}, {484, 554}, {484, 594}, {484, 634}}};

// Longer than a few ticks at the default 200 ms.
constexpr std::chrono::milliseconds kSeveralTicks(700);

bool staysAt(const std::array<HWND, 4>& windows, const std::array<POINT, 4>& corners,
             std::chrono::milliseconds period) {
    return !waitUntil([&] { return !sameCorners(cornersOf(windows), corners); }, period);
}

TEST(Motion, TheChainJumpsAfterThePointerOnlyPastTheThreshold) {
    ProgramFolder folder;
    writeListFile(folder.listFile(), ListFileContents{}); // not a first start: no settings window
    movePointer(500, 500);
    Instance instance(folder.exe());
    const auto windows = waitForIconWindows(instance);
    ASSERT_NE(windows[3], nullptr);
    ASSERT_TRUE(waitForCorners(windows, kColumnUnder500)) << describeCorners(cornersOf(windows));

    movePointer(540, 500);
    const std::array<POINT, 4> afterMove{{{494, 484}, {488, 524}, {486, 564}, {485, 604}}};
    EXPECT_TRUE(waitForCorners(windows, afterMove)) << describeCorners(cornersOf(windows));

    // Exactly the threshold on one axis: nothing moves.
    movePointer(550, 500);
    EXPECT_TRUE(staysAt(windows, afterMove, kSeveralTicks)) << describeCorners(cornersOf(windows));

    // One pixel more, measured from where the chain last moved: Form1 lands 30 pixels
    // behind the pointer on the line it came along.
    movePointer(551, 500);
    EXPECT_TRUE(waitUntil([&] {
        const POINT corner = cornersOf(windows)[0];
        return corner.x == 551 - 30 - 16 && corner.y == 484;
    })) << describeCorners(cornersOf(windows));
}

TEST(Motion, ATimerIntervalOfZeroKeepsTheChainWhereStartUpPutIt) {
    ProgramFolder folder;
    ListFileContents contents;
    contents.settings = {0, 10, 30, 20, 30};
    writeListFile(folder.listFile(), contents);
    movePointer(500, 500);
    Instance instance(folder.exe());
    const auto windows = waitForIconWindows(instance);
    ASSERT_NE(windows[3], nullptr);
    ASSERT_TRUE(waitForCorners(windows, kColumnUnder500)) << describeCorners(cornersOf(windows));

    movePointer(700, 650);
    EXPECT_TRUE(staysAt(windows, kColumnUnder500, kSeveralTicks))
        << describeCorners(cornersOf(windows));
}

// A window of this test program, in front; destroyed when the object goes.
class FrontWindow {
  public:
    FrontWindow(DWORD style, int show) {
        window_ =
            ::CreateWindowExW(0, L"STATIC", L"", style, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                              ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
        ::ShowWindow(window_, show);
        ::SetForegroundWindow(window_);
    }
    ~FrontWindow() { ::DestroyWindow(window_); }
    HWND get() const { return window_; }

  private:
    HWND window_;
};

TEST(FullScreen, ABorderlessWindowOverTheMonitorOrAMenuHidesTheChainAndAMaximisedOneDoesNot) {
    ProgramFolder folder;
    ListFileContents contents;
    contents.settings = {50, 10, 30, 20, 30};
    for (int group = 1; group <= 4; ++group) {
        contents.setItem(group, 0, L"メモ帳", L"C:\\windows\\notepad.exe");
    }
    writeListFile(folder.listFile(), contents);
    movePointer(500, 500);
    Instance instance(folder.exe());
    const auto windows = waitForIconWindows(instance);
    const auto shown = [&] {
        MSG message; // the test's own windows answer what is sent to them
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
        return std::count_if(windows.begin(), windows.end(), ::IsWindowVisible);
    };
    ASSERT_TRUE(waitUntil([&] { return shown() == 4; }));
    {
        FrontWindow cover(WS_POPUP, SW_SHOW);
        ASSERT_EQ(::GetForegroundWindow(), cover.get());
        EXPECT_TRUE(waitUntil([&] { return shown() == 0; }, kSeveralTicks));
        const auto held = cornersOf(windows);
        movePointer(700, 650);
        EXPECT_TRUE(staysAt(windows, held, kSeveralTicks));
        EXPECT_EQ(shown(), 0);
    }
    EXPECT_TRUE(waitUntil([&] { return shown() == 4; }, kSeveralTicks));

    // A context menu of another program beside the pointer, open until Esc, hides it too.
    std::atomic<bool> closed{false};
    std::thread menu([&closed] {
        HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 600, 600, 20, 20,
                                       nullptr, nullptr, nullptr, nullptr);
        HMENU popup = ::CreatePopupMenu();
        ::AppendMenuW(popup, MF_STRING, 1, L"コピー");
        ::SetForegroundWindow(owner);
        ::TrackPopupMenu(popup, TPM_RETURNCMD, 702, 652, 0, owner, nullptr);
        ::DestroyMenu(popup);
        ::DestroyWindow(owner);
        closed = true;
    });
    EXPECT_TRUE(waitUntil([&] { return shown() == 0; }));
    const auto held = cornersOf(windows);
    movePointer(760, 700);
    EXPECT_TRUE(staysAt(windows, held, kSeveralTicks));
    for (int attempt = 0; attempt < 50 && !closed; ++attempt) {
        sendKey(VK_ESCAPE, true);
        sendKey(VK_ESCAPE, false);
        waitUntil([&] { return closed.load(); }, std::chrono::milliseconds(100));
    }
    menu.join();
    EXPECT_TRUE(waitUntil([&] { return shown() == 4; }, kSeveralTicks));

    FrontWindow maximised(WS_OVERLAPPEDWINDOW, SW_MAXIMIZE);
    ASSERT_EQ(::GetForegroundWindow(), maximised.get());
    const RECT frame = windowRect(maximised.get());
    EXPECT_TRUE(frame.left <= 0 && frame.top <= 0 &&
                frame.right >= ::GetSystemMetrics(SM_CXSCREEN) &&
                frame.bottom >= ::GetSystemMetrics(SM_CYSCREEN));
    const POINT before = cornersOf(windows)[0];
    movePointer(300, 300);
    EXPECT_TRUE(waitUntil([&] { return cornersOf(windows)[0].x != before.x; }));
    EXPECT_EQ(shown(), 4);
}

// Run in a Wine prefix whose display is at 144 dpi (150 %).
TEST(At144Dpi, TheChainIsTheWorkedExampleHalfAgainAsLargeWithIconsFillingTheirWindows) {
    HDC screen = ::GetDC(nullptr);
    ASSERT_EQ(::GetDeviceCaps(screen, LOGPIXELSX), 144) << "run in a prefix at 144 dpi";
    ::ReleaseDC(nullptr, screen);
    ProgramFolder folder;
    ListFileContents contents;
    contents.setItem(1, 0, L"メモ帳", L"C:\\windows\\notepad.exe");
    writeListFile(folder.listFile(), contents);
    movePointer(500, 500);
    Instance instance(folder.exe());
    const auto windows = waitForIconWindows(instance);
    ASSERT_NE(windows[3], nullptr);

    // 48-pixel windows, Form1 centred 45 pixels below the pointer, one window every 60.
    const std::array<POINT, 4> column{{{476, 521}, {476, 581}, {476, 641}, {476, 701}}};
    ASSERT_TRUE(waitForCorners(windows, column)) << describeCorners(cornersOf(windows));
    for (HWND window : windows) {
        const RECT rect = windowRect(window);
        EXPECT_EQ(rect.right - rect.left, 48);
        EXPECT_EQ(rect.bottom - rect.top, 48);
    }
    // The icon is drawn at 48 x 48: the bands right of and below the first 32 pixels show it.
    const RECT icon = windowRect(windows[0]);
    EXPECT_TRUE(waitUntil([&] {
        return hasPixelOtherThan({icon.left + 32, icon.top, icon.right, icon.bottom}, 0x0080FFFF) &&
               hasPixelOtherThan({icon.left, icon.top + 32, icon.right, icon.bottom}, 0x0080FFFF);
    })) << "the icon does not fill its window";

    movePointer(560, 500);
    const std::array<POINT, 4> afterMove{{{491, 476}, {483, 535}, {479, 595}, {477, 655}}};
    EXPECT_TRUE(waitForCorners(windows, afterMove)) << describeCorners(cornersOf(windows));
}

} // namespace
} // namespace e2e
