// The user's input on the icon windows and in the item list popup, on the real program: the
// pointer and the buttons are driven with SendInput, started items are recorder.exe.
#include "e2e/harness/drag_files.h"
#include "e2e/harness/harness.h"
#include "e2e/harness/list_file_writer.h"
#include "win/dark_theme.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <sstream>

namespace e2e {
namespace {

constexpr POINT kStart{500, 400};
constexpr int kMoveThreshold = 40;
constexpr int kUnlockDistance = 60;
constexpr COLORREF kShownColour = 0x0080C0FF;
constexpr COLORREF kHoverColour = 0x0080FFFF;

POINT centreOf(HWND window) {
    const RECT rect = windowRect(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool sameRect(const RECT& a, const RECT& b) {
    return ::EqualRect(&a, &b) != FALSE;
}

// True when the condition holds every time it is asked during the period (a handful of
// motion ticks at the 50 ms interval these tests use).
bool holdsFor(const std::function<bool()>& condition,
              std::chrono::milliseconds period = std::chrono::milliseconds(400)) {
    return !waitUntil([&] { return !condition(); }, period);
}

std::vector<COLORREF> pixelsOf(const RECT& area) {
    std::vector<COLORREF> pixels;
    HDC screen = ::GetDC(nullptr);
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            pixels.push_back(::GetPixel(screen, x, y));
        }
    }
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

class IconWindowInput : public ::testing::Test {
  protected:
    IconWindowInput() { contents_.settings = {50, kMoveThreshold, 30, 20, kUnlockDistance}; }

    void SetUp() override {
        recorder_ = folder_.path() / L"recorder.exe";
        std::filesystem::copy_file(buildFolder() / L"recorder.exe", recorder_);
        log_ = folder_.path() / L"starts.log";
        ::SetEnvironmentVariableW(L"MIRUTEKA_RECORDER_LOG", log_.c_str());

        for (int group = 1; group <= 4; ++group) {
            contents_.setItem(group, 0, L"記録", recorder_.wstring());
        }
        contents_.setItem(2, 1, L"引数つき", recorder_.wstring() + L" entry-1");
        contents_.setItem(2, 2, L"ミルテカ", folder_.exe().wstring());
        contents_.setItem(2, 3, L"", recorder_.wstring());
        contents_.setItem(2, 4, L"パスなし", L"");
        writeListFile(folder_.listFile(), contents_);

        movePointer(start_.x, start_.y);
        instance_ = std::make_unique<Instance>(folder_.exe());
        ASSERT_TRUE(waitUntil([&] {
            for (int group = 1; group <= 4; ++group) {
                if (instance_->visibleWindows(formClass(group).c_str()).empty()) {
                    return false;
                }
            }
            return true;
        }));
    }
    void TearDown() override {
        instance_.reset();
        ::SetEnvironmentVariableW(L"MIRUTEKA_RECORDER_LOG", nullptr);
    }

    static std::wstring formClass(int group) { return L"MirutekaForm" + std::to_wstring(group); }
    HWND iconWindow(int group) const {
        const auto windows = instance_->windows(formClass(group).c_str());
        return windows.empty() ? nullptr : windows.front();
    }
    HWND popup() const {
        const auto windows = instance_->visibleWindows(L"MirutekaForm5");
        return windows.empty() ? nullptr : windows.front();
    }

    // Onto the group's window down the column from Form1, so the icon lock holds at every
    // step and the chain stays where start-up put it.
    void moveOnto(int group) {
        for (int g = 1; g <= group; ++g) {
            const POINT centre = centreOf(iconWindow(g));
            movePointer(centre.x, centre.y);
        }
    }

    HWND openPopupFrom(int group) {
        moveOnto(group);
        click(Button::Right);
        HWND window = nullptr;
        waitUntil([&] { return (window = popup()) != nullptr; });
        return window;
    }

    // The command lines recorder.exe has logged, in order.
    std::vector<std::string> startedCommandLines() const {
        std::vector<std::string> lines;
        std::istringstream log(readBytes(log_));
        for (std::string line; std::getline(log, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line.substr(line.rfind('\t') + 1));
        }
        return lines;
    }
    bool startedCount(size_t count) const { return startedCommandLines().size() >= count; }

    POINT start_ = kStart;
    ProgramFolder folder_;
    std::filesystem::path recorder_;
    std::filesystem::path log_;
    ListFileContents contents_;
    std::unique_ptr<Instance> instance_;
};

TEST_F(IconWindowInput, PointerOnAnIconLocksTheChainUntilItMovesFartherThanTheUnlockDistance) {
    const RECT before = windowRect(iconWindow(1));
    moveOnto(1);
    const POINT touched = centreOf(iconWindow(1));

    // Far enough from the start to move an unlocked chain, not far enough to unlock it.
    movePointer(touched.x + kMoveThreshold + 5, touched.y);
    EXPECT_TRUE(holdsFor([&] { return sameRect(windowRect(iconWindow(1)), before); }));

    movePointer(touched.x + kUnlockDistance + 15, touched.y);
    EXPECT_TRUE(waitUntil([&] { return !sameRect(windowRect(iconWindow(1)), before); }));
}

TEST_F(IconWindowInput, LeftPressStartsTheShownItemAndDroppedFilesOpenWithIt) {
    moveOnto(1);
    click(Button::Left);
    ASSERT_TRUE(waitUntil([&] { return startedCount(1); }));
    EXPECT_NE(startedCommandLines()[0].find("recorder.exe"), std::string::npos);

    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    const DWORD effect = dragFiles({L"C:\\資料\\a b.txt", L"C:\\資料\\c.txt"});
    ::OleUninitialize();
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_TRUE(waitUntil([&] { return startedCount(3); }));
    // One start per file; the two recorders may log in either order.
    const auto lines = startedCommandLines();
    const auto started = [&](const std::string& tail) {
        return lines[1].ends_with(tail) || lines[2].ends_with(tail);
    };
    EXPECT_TRUE(started("recorder.exe\" \"C:\\資料\\a b.txt\"")) << lines[1] << "\n" << lines[2];
    EXPECT_TRUE(started("recorder.exe\" C:\\資料\\c.txt")) << lines[1] << "\n" << lines[2];

    // Ctrl+Shift: as administrator, which Wine starts as it would any program.
    moveOnto(1);
    sendKey(VK_CONTROL, true);
    sendKey(VK_SHIFT, true);
    click(Button::Left);
    sendKey(VK_SHIFT, false);
    sendKey(VK_CONTROL, false);
    ASSERT_TRUE(waitUntil([&] { return startedCount(4); }));
    EXPECT_NE(startedCommandLines()[3].find("recorder.exe"), std::string::npos);
}

TEST_F(IconWindowInput, RightPressOpensTheGroupsListByTheWindowAndLeavingItClosesIt) {
    const RECT icon = windowRect(iconWindow(2));
    HWND window = openPopupFrom(2);
    ASSERT_NE(window, nullptr);

    const RECT frame = windowRect(window);
    const POINT pointer = pointerPosition();
    EXPECT_EQ(frame.top, icon.top);
    EXPECT_TRUE(::PtInRect(&frame, pointer));
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 222);
    EXPECT_EQ(client.bottom, 277);
    EXPECT_EQ(::GetWindowLongW(window, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME);

    const std::vector<std::wstring> captions{L"記録", L"引数つき", L"ミルテカ", L"×", L"パスなし"};
    for (int slot = 0; slot < 10; ++slot) {
        HWND entry = ::GetDlgItem(window, 100 + slot);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(windowText(entry), slot < 5 ? captions[slot] : L"×") << slot;
        EXPECT_EQ(::IsWindowEnabled(entry) != FALSE, slot < 5 && slot != 3) << slot;
        const RECT at = windowRect(entry);
        EXPECT_EQ(at.top - frame.top - 3, 24 * slot);
        EXPECT_EQ(at.right - at.left, 221);
        EXPECT_EQ(at.bottom - at.top, 21);
    }
    EXPECT_EQ(windowText(::GetDlgItem(window, 120)), L"左クリック・・・アイコンの実行");
    EXPECT_EQ(windowText(::GetDlgItem(window, 121)), L"右クリック・・・表示アイコンの変更");

    // Hovering an entry marks it light yellow and the shown item light orange.
    const RECT hovered = windowRect(::GetDlgItem(window, 104));
    movePointer(hovered.left + 40, hovered.top + 10);
    const RECT shown = windowRect(::GetDlgItem(window, 100));
    EXPECT_TRUE(waitUntil([&] {
        return screenPixel(hovered.left + 4, hovered.top + 4) == kHoverColour &&
               screenPixel(shown.left + 4, shown.top + 4) == kShownColour;
    }));
    // A disabled entry counts as background: no entry stays light yellow.
    const RECT disabled = windowRect(::GetDlgItem(window, 103));
    movePointer(disabled.left + 40, disabled.top + 10);
    EXPECT_TRUE(waitUntil([&] {
        return screenPixel(hovered.left + 4, hovered.top + 4) == ::GetSysColor(COLOR_BTNFACE) &&
               screenPixel(shown.left + 4, shown.top + 4) == kShownColour;
    }));

    // Leaving the popup closes it, and the chain follows the pointer again.
    const RECT chain = windowRect(iconWindow(1));
    movePointer(frame.right + 200, frame.bottom + 100);
    EXPECT_TRUE(waitUntil([&] { return popup() == nullptr; }));
    EXPECT_TRUE(waitUntil([&] { return !sameRect(windowRect(iconWindow(1)), chain); }));
}

TEST_F(IconWindowInput, LeftPressOnAnEntryStartsItAndClosesThePopup) {
    HWND window = openPopupFrom(2);
    ASSERT_NE(window, nullptr);
    const POINT entry = centreOf(::GetDlgItem(window, 101));
    movePointer(entry.x, entry.y);
    click(Button::Left);

    ASSERT_TRUE(waitUntil([&] { return startedCount(1); }));
    EXPECT_TRUE(startedCommandLines()[0].ends_with(" entry-1")) << startedCommandLines()[0];
    EXPECT_TRUE(waitUntil([&] { return popup() == nullptr; }));
}

TEST_F(IconWindowInput, RightPressOnAnEntryChangesTheWindowsIconAndKeepsThePopupOpen) {
    const std::vector<COLORREF> before = pixelsOf(windowRect(iconWindow(2)));
    HWND window = openPopupFrom(2);
    ASSERT_NE(window, nullptr);
    const POINT entry = centreOf(::GetDlgItem(window, 102));
    movePointer(entry.x, entry.y);
    click(Button::Right);
    EXPECT_TRUE(holdsFor([&] { return popup() == window; }));

    // The popup covers the window; once it has closed the new icon shows.
    const RECT frame = windowRect(window);
    movePointer(frame.right + 200, frame.bottom + 100);
    ASSERT_TRUE(waitUntil([&] { return popup() == nullptr; }));
    EXPECT_TRUE(waitUntil([&] {
        return ::IsWindowVisible(iconWindow(2)) && pixelsOf(windowRect(iconWindow(2))) != before;
    }));
    EXPECT_TRUE(startedCommandLines().empty());

    // The list key opens group 1's list under the pointer. Right shows group 2's in its place,
    // where the entry without a path made the shown item hides group 2's window (Up goes round
    // to it) ...
    const LRESULT listKey = MAKEWORD('Z', HOTKEYF_ALT | HOTKEYF_SHIFT);
    pressHotKey(listKey);
    ASSERT_TRUE(waitUntil([&] { return (window = popup()) != nullptr; }));
    const RECT underPointer = windowRect(window);
    EXPECT_TRUE(::PtInRect(&underPointer, pointerPosition()));
    EXPECT_EQ(windowText(::GetDlgItem(window, 100)), L"記録");
    pressKeys({VK_RIGHT});
    pressKeys({VK_UP});
    pressKeys({VK_SHIFT, VK_RETURN});
    EXPECT_TRUE(waitUntil([&] { return !::IsWindowVisible(iconWindow(2)); }));
    pressKeys({VK_ESCAPE});
    ASSERT_TRUE(waitUntil([&] { return popup() == nullptr; }));
    // ... and the key reaches it again to give it back a shown item with an icon; 1 starts
    // group 1's first item.
    pressHotKey(listKey);
    ASSERT_TRUE(waitUntil([&] { return (window = popup()) != nullptr; }));
    pressKeys({VK_RIGHT});
    pressKeys({VK_SHIFT, VK_F10});
    EXPECT_TRUE(waitUntil([&] { return ::IsWindowVisible(iconWindow(2)); }));
    pressKeys({VK_LEFT});
    pressKeys({'1'});
    ASSERT_TRUE(waitUntil([&] { return startedCount(1); }));
    EXPECT_TRUE(waitUntil([&] { return popup() == nullptr; }));
}

TEST_F(IconWindowInput, MiddlePressHidesTheWindowUntilTheChainNextMoves) {
    moveOnto(3);
    const RECT before = windowRect(iconWindow(3));
    click(Button::Middle);
    ASSERT_TRUE(waitUntil([&] { return !::IsWindowVisible(iconWindow(3)); }));
    EXPECT_TRUE(holdsFor([&] { return !::IsWindowVisible(iconWindow(3)); }));

    movePointer(before.right + 200, before.bottom + 100);
    EXPECT_TRUE(waitUntil([&] {
        return ::IsWindowVisible(iconWindow(3)) && !sameRect(windowRect(iconWindow(3)), before);
    }));
}

// Windows' apps dark in the test prefix from before the program starts.
class IconWindowInputDark : public IconWindowInput {
    const miruteka::win32::testing::AppsTheme theme_;
};

TEST_F(IconWindowInputDark, ThePopupIsDarkWithItsEntriesApartAndLightHints) {
    HWND window = openPopupFrom(2);
    ASSERT_NE(window, nullptr);
    const RECT hovered = windowRect(::GetDlgItem(window, 104));
    const RECT shown = windowRect(::GetDlgItem(window, 100));
    movePointer(hovered.left + 40, hovered.top + 10);
    EXPECT_TRUE(waitUntil([&] {
        return screenPixel(shown.left + 4, shown.top + 4) == 0x00264A6B &&
               screenPixel(hovered.left + 4, hovered.top + 4) == 0x001E6A6E;
    }));
    EXPECT_TRUE(miruteka::win32::testing::showsLightText(::GetDlgItem(window, 120), 0x002D2D2D));
}

// With a timer interval of 0 no motion tick comes; the popup watches the pointer itself.
class IconWindowInputWithoutTimer : public IconWindowInput {
  protected:
    IconWindowInputWithoutTimer() { contents_.settings[0] = 0; }
};

TEST_F(IconWindowInputWithoutTimer, PopupStillClosesWhenLeftAndOpensAgain) {
    HWND window = openPopupFrom(2);
    ASSERT_NE(window, nullptr);
    const RECT frame = windowRect(window);
    movePointer(frame.right + 200, frame.bottom + 100);
    ASSERT_TRUE(waitUntil([&] { return popup() == nullptr; }));

    // Closed by starting an entry, it can be opened again too.
    window = openPopupFrom(2);
    ASSERT_NE(window, nullptr);
    const POINT entry = centreOf(::GetDlgItem(window, 101));
    movePointer(entry.x, entry.y);
    click(Button::Left);
    ASSERT_TRUE(waitUntil([&] { return popup() == nullptr; }));
    EXPECT_TRUE(waitUntil([&] { return startedCount(1); }));
    EXPECT_NE(openPopupFrom(2), nullptr);
}

// Two monitors side by side, the second smaller and level with the first's top (scripts/test
// runs these on a wide X screen of their own).
constexpr RECT kFirstMonitor{0, 0, 1280, 1024};
constexpr RECT kSecondMonitor{1280, 0, 2304, 768};

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

class TwoMonitors : public IconWindowInput {
  protected:
    void SetUp() override {
        ASSERT_TRUE(setMonitors({kFirstMonitor, kSecondMonitor})) << "needs the two-monitor pass";
        start_ = {1700, 400};
        IconWindowInput::SetUp();
    }
    void TearDown() override {
        IconWindowInput::TearDown();
        setMonitors({kFirstMonitor, kSecondMonitor});
    }
};

TEST_F(TwoMonitors, TheChainStartsOnTheSecondAndFollowsAcrossTheBoundaryAndBack) {
    EXPECT_EQ(windowRect(iconWindow(1)).left, 1700 - 16);
    EXPECT_EQ(windowRect(iconWindow(1)).top, 400 + 14);
    EXPECT_TRUE(inside(windowRect(iconWindow(4)), kSecondMonitor));

    movePointer(1000, 400);
    EXPECT_TRUE(waitUntil([&] {
        const RECT form1 = windowRect(iconWindow(1));
        return form1.left == 1000 + 30 - 16 && form1.top == 400 - 16;
    }));
    movePointer(1700, 300);
    EXPECT_TRUE(waitUntil([&] { return inside(windowRect(iconWindow(1)), kSecondMonitor); }));
}

TEST_F(TwoMonitors, APopupOpenedNearTheSecondMonitorsCornerLiesWithinIt) {
    movePointer(2290, 700);
    ASSERT_TRUE(waitUntil([&] { return windowRect(iconWindow(1)).right > 2270; }));
    HWND window = openPopupFrom(1);
    ASSERT_NE(window, nullptr);
    const RECT frame = windowRect(window);
    EXPECT_TRUE(inside(frame, kSecondMonitor))
        << frame.left << ", " << frame.top << ", " << frame.right << ", " << frame.bottom;
    EXPECT_TRUE(::PtInRect(&frame, pointerPosition()));
}

class TwoMonitorsWithoutTimer : public TwoMonitors {
  protected:
    TwoMonitorsWithoutTimer() { contents_.settings[0] = 0; }
};

TEST_F(TwoMonitorsWithoutTimer,
       RemovingTheSecondPutsTheChainUnderThePointerAndTheSettingsOnTheFirst) {
    const std::array<HWND, 4> chain{iconWindow(1), iconWindow(2), iconWindow(3), iconWindow(4)};
    ASSERT_TRUE(inside(windowRect(chain[0]), kSecondMonitor));
    // The settings window, opened as by a press on the tray icon, on the second monitor too.
    ::PostMessageW(instance_->windows(L"MirutekaTray").front(), 0x200, 1, WM_LBUTTONDOWN);
    HWND settings = instance_->waitForVisibleWindow(L"MirutekaForm6");
    ASSERT_NE(settings, nullptr);
    ::SetWindowPos(settings, nullptr, 1500, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(waitUntil([&] { return inside(windowRect(settings), kSecondMonitor); }));

    movePointer(600, 500);
    ASSERT_TRUE(setMonitors({kFirstMonitor}));
    EXPECT_TRUE(waitForCorners(chain, {{{584, 514}, {584, 554}, {584, 594}, {584, 634}}}))
        << describeCorners(cornersOf(chain));
    EXPECT_TRUE(waitUntil([&] { return inside(windowRect(settings), kFirstMonitor); }));

    // Nor is a title bar left where it cannot be grabbed (above the screen, the rest of the
    // window on it) when the monitors change again.
    ::SetWindowPos(settings, nullptr, 300, -100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(waitUntil([&] { return windowRect(settings).top == -100; }));
    ASSERT_TRUE(setMonitors({kFirstMonitor, kSecondMonitor}));
    EXPECT_TRUE(waitUntil([&] { return windowRect(settings).top == 0; }))
        << windowRect(settings).top;
}

} // namespace
} // namespace e2e
