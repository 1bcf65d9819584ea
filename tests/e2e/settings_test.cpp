// The settings window on the real program: opened from the tray icon in Wine's tray window
// (and by itself at a first start), closed with Cancel, Quit that ends the program without
// saving, a user's whole round trip of edits saved with OK (or kept when the save fails), and
// the tray answering while an item's drive does not.
#include "e2e/harness/harness.h"
#include "e2e/harness/list_file_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include <commctrl.h>
#include <wtsapi32.h>

namespace e2e {
namespace {

constexpr int kFirstOptionId = 1001;
constexpr int kOkId = 1101;
constexpr int kCancelId = 1102;
constexpr int kQuitId = 1103;
constexpr int kMoveUpId = 1104;
constexpr int kDeleteId = 1107;
constexpr int kAddId = 1108;
constexpr int kStartWithWindowsId = 1304;
// The tray icon's identity, and the message its window gets for a mouse message on it.
constexpr UINT kTrayCallbackMessage = 0x200;
constexpr WPARAM kTrayIconId = 1;
constexpr int kFirstSliderId = 1201;
constexpr int kFirstValueLabelId = 1211;
constexpr int kItemDialogOkId = 1101;
constexpr int kItemNameId = 1111;
constexpr int kItemPathId = 1112;
constexpr COLORREF kIconBackground = 0x0080FFFF;
constexpr int kPauseKeyId = 1302;

std::wstring systemProgram(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length) + L"\\" + name;
}

POINT centreOf(HWND window) {
    const RECT rect = windowRect(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void clickAt(POINT point) {
    movePointer(point.x, point.y);
    // A window is enabled again only a moment after a modal box over it closes; a click that
    // comes before that is lost.
    waitUntil([&] {
        HWND target = ::WindowFromPoint(point);
        return target != nullptr && ::IsWindowEnabled(target) &&
               ::IsWindowEnabled(::GetAncestor(target, GA_ROOT));
    });
    click(Button::Left);
}

// Wine's own tray window (shown when the X server has no system tray); it hides when it holds
// no icon.
HWND wineTray() {
    return ::FindWindowW(L"__winex11_standalone_tray", nullptr);
}

bool trayHasIcons() {
    HWND tray = wineTray();
    return tray != nullptr && ::IsWindowVisible(tray);
}

// The first icon of Wine's tray window: its first 20-pixel cell.
POINT firstTrayIcon() {
    POINT origin{0, 0};
    ::ClientToScreen(wineTray(), &origin);
    return {origin.x + 10, origin.y + 10};
}

// A dialog box (#32770) of the process with this title, if one shows.
HWND dialogBox(const Instance& instance, const wchar_t* title) {
    for (HWND window : instance.visibleWindows(L"#32770")) {
        if (windowText(window) == title) {
            return window;
        }
    }
    return nullptr;
}

bool allIconWindowsVisible(const Instance& instance) {
    for (int group = 1; group <= 4; ++group) {
        const std::wstring form = L"MirutekaForm" + std::to_wstring(group);
        if (instance.visibleWindows(form.c_str()).empty()) {
            return false;
        }
    }
    return true;
}

// Two presses on the tray icon within the double-click time make a double click, which adds
// nothing to the press before it: each press waits until it cannot be the second of a pair.
void pressTrayIcon() {
    static std::chrono::steady_clock::time_point lastPress;
    const auto doubleClickTime = std::chrono::milliseconds(::GetDoubleClickTime() + 50);
    waitUntil([&] { return std::chrono::steady_clock::now() - lastPress > doubleClickTime; });
    clickAt(firstTrayIcon());
    lastPress = std::chrono::steady_clock::now();
}

HWND openSettingsFromTray(const Instance& instance) {
    pressTrayIcon();
    return instance.waitForVisibleWindow(L"MirutekaForm6");
}

// Answers the next message box of the process with this title by clicking the button.
bool answerBox(const Instance& instance, const wchar_t* title, int button,
               std::wstring* text = nullptr) {
    HWND box = nullptr;
    if (!waitUntil([&] { return (box = dialogBox(instance, title)) != nullptr; })) {
        return false;
    }
    if (text != nullptr) {
        *text = windowText(::GetDlgItem(box, 0xFFFF));
    }
    clickAt(centreOf(::GetDlgItem(box, button)));
    return waitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); });
}

// Add in the settings window, then the item typed into the item dialog and confirmed.
void addItem(const Instance& instance, HWND form6, const std::wstring& name,
             const std::wstring& path) {
    clickAt(centreOf(::GetDlgItem(form6, kAddId)));
    HWND dialog = instance.waitForVisibleWindow(L"MirutekaItemDialog");
    ASSERT_NE(dialog, nullptr);
    ::SendMessageW(::GetDlgItem(dialog, kItemNameId), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(name.c_str()));
    ::SendMessageW(::GetDlgItem(dialog, kItemPathId), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(path.c_str()));
    clickAt(centreOf(::GetDlgItem(dialog, kItemDialogOkId)));
    ASSERT_TRUE(waitUntil([&] { return !::IsWindow(dialog); }));
}

// Keys sent to a slider as the keyboard would (it reports each move to the window).
void pressOnSlider(HWND form6, int slider, WPARAM key, int times) {
    HWND trackbar = ::GetDlgItem(form6, kFirstSliderId + slider);
    for (int i = 0; i < times; ++i) {
        ::PostMessageW(trackbar, WM_KEYDOWN, key, 0);
        ::PostMessageW(trackbar, WM_KEYUP, key, 0);
    }
}

std::wstring valueLabel(HWND form6, int slider) {
    return windowText(::GetDlgItem(form6, kFirstValueLabelId + slider));
}

// The program's value under the per-user Run key of the test's prefix.
constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
std::optional<std::wstring> runEntry() {
    wchar_t text[1024];
    DWORD size = sizeof text;
    return ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Miruteka", RRF_RT_REG_SZ, nullptr, text,
                          &size) == ERROR_SUCCESS
               ? std::optional<std::wstring>(text)
               : std::nullopt;
}

class SettingsWindowE2e : public ::testing::Test {
  protected:
    void SetUp() override {
        ListFileContents contents;
        contents.setItem(1, 0, L"メモ帳", systemProgram(L"notepad.exe"));
        contents.setItem(2, 0, L"ワードパッド", systemProgram(L"write.exe"));
        writeListFile(folder_.listFile(), contents);
        listBefore_ = readBytes(folder_.listFile());

        movePointer(600, 500);
        instance_ = std::make_unique<Instance>(folder_.exe());
        form1_ = instance_->waitForWindow(L"MirutekaForm1");
        ASSERT_NE(form1_, nullptr);
        ASSERT_TRUE(waitUntil([&] { return ::IsWindowVisible(form1_) != FALSE; }));
        ASSERT_TRUE(waitUntil(trayHasIcons));
    }

    std::vector<HWND> settingsWindows() const { return instance_->windows(L"MirutekaForm6"); }

    HWND openSettings() { return openSettingsFromTray(*instance_); }

    ProgramFolder folder_;
    std::string listBefore_;
    std::unique_ptr<Instance> instance_;
    HWND form1_ = nullptr;
};

TEST_F(SettingsWindowE2e,
       TrayPressOpensTheSettingsOnceOrBringsThemForwardAndCancelBringsTheIconsBack) {
    HWND form6 = openSettings();
    ASSERT_NE(form6, nullptr);
    EXPECT_EQ(windowText(form6), L"ミルテカ設定");
    for (int group = 1; group <= 2; ++group) {
        const std::wstring form = L"MirutekaForm" + std::to_wstring(group);
        EXPECT_TRUE(instance_->visibleWindows(form.c_str()).empty()) << group;
    }

    clickAt(centreOf(::GetDlgItem(form6, kCancelId)));
    ASSERT_TRUE(waitUntil([&] { return settingsWindows().empty(); }));
    EXPECT_TRUE(waitUntil([&] {
        return !instance_->visibleWindows(L"MirutekaForm1").empty() &&
               !instance_->visibleWindows(L"MirutekaForm2").empty();
    }));
    EXPECT_EQ(readBytes(folder_.listFile()), listBefore_);

    // And it opens again.
    form6 = openSettings();
    ASSERT_NE(form6, nullptr);

    // Another program covers the window, which has no taskbar button: a second press opens
    // nothing more but brings it back in front, or the item dialog that stands over it. The
    // press comes as the shell reports it, to the tray icon's window: a real click would make
    // Wine's tray window active as well, and its focus events race with the program's.
    Instance other(systemProgram(L"notepad.exe"));
    HWND cover = other.waitForWindow(L"Notepad");
    HWND trayWindow = instance_->waitForWindow(L"MirutekaTray");
    ASSERT_NE(trayWindow, nullptr);
    const auto coverThenPress = [&] {
        ::SetWindowPos(cover, HWND_TOP, 150, 150, 1000, 700, SWP_SHOWWINDOW);
        ::SetForegroundWindow(cover);
        EXPECT_TRUE(waitUntil([&] { return ::GetForegroundWindow() == cover; }));
        ::PostMessageW(trayWindow, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
    };
    coverThenPress();
    EXPECT_TRUE(waitUntil([&] { return ::GetForegroundWindow() == form6; }));
    EXPECT_FALSE(
        waitUntil([&] { return settingsWindows().size() > 1; }, std::chrono::milliseconds(500)));
    clickAt(centreOf(::GetDlgItem(form6, kAddId)));
    HWND dialog = instance_->waitForVisibleWindow(L"MirutekaItemDialog");
    coverThenPress();
    EXPECT_TRUE(waitUntil([&] { return dialog != nullptr && ::GetForegroundWindow() == dialog; }));
}

// The pause key as the settings window shows it: the chain goes and stays away while the
// pointer moves and through the settings window's Cancel, and comes back under the pointer to
// follow it. A locked session holds it too.
TEST_F(SettingsWindowE2e, ThePauseKeyHidesTheChainThroughTheSettingsWindowUntilPressedAgain) {
    HWND form6 = openSettings();
    ASSERT_NE(form6, nullptr);
    const LRESULT pauseKey = ::SendMessageW(::GetDlgItem(form6, kPauseKeyId), HKM_GETHOTKEY, 0, 0);
    ASSERT_NE(LOBYTE(pauseKey), 0) << "no pause key";
    clickAt(centreOf(::GetDlgItem(form6, kCancelId)));
    ASSERT_TRUE(waitUntil([&] { return ::IsWindowVisible(form1_) != FALSE; }));
    const auto anyVisible = [&] {
        return !instance_->visibleWindows(L"MirutekaForm1").empty() ||
               !instance_->visibleWindows(L"MirutekaForm2").empty();
    };
    const auto staysHidden = [&] { return !waitUntil(anyVisible, std::chrono::milliseconds(700)); };

    pressHotKey(pauseKey);
    ASSERT_TRUE(waitUntil([&] { return !anyVisible(); })) << "the key did not pause the chain";
    form6 = openSettings();
    ASSERT_NE(form6, nullptr);
    clickAt(centreOf(::GetDlgItem(form6, kCancelId)));
    ASSERT_TRUE(waitUntil([&] { return settingsWindows().empty(); }));
    movePointer(300, 300);
    EXPECT_TRUE(staysHidden());

    movePointer(400, 300);
    pressHotKey(pauseKey);
    ASSERT_TRUE(waitUntil([&] { return ::IsWindowVisible(form1_) != FALSE; }));
    EXPECT_EQ(windowRect(form1_).left, 400 - 16); // under the pointer where it is now
    movePointer(440, 300);
    EXPECT_TRUE(waitUntil([&] { return windowRect(form1_).left == 440 - 30 - 16; }));

    // A locked session, as the system tells of it, holds the chain; the unlock lets it go.
    HWND systemEvents = instance_->waitForWindow(L"MirutekaSystemEvents");
    ASSERT_NE(systemEvents, nullptr);
    ::PostMessageW(systemEvents, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    movePointer(300, 450);
    EXPECT_FALSE(waitUntil([&] { return windowRect(form1_).left != 440 - 30 - 16; },
                           std::chrono::milliseconds(700)));
    ::PostMessageW(systemEvents, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    EXPECT_TRUE(waitUntil([&] { return windowRect(form1_).left != 440 - 30 - 16; }));
}

TEST_F(SettingsWindowE2e, QuitAnsweredYesEndsWithoutSavingAndTakesTheTrayIconAway) {
    HWND form6 = openSettings();
    ASSERT_NE(form6, nullptr);
    // An edit that must not be saved: the timer slider moves by a page.
    const RECT slider = windowRect(::GetDlgItem(form6, kFirstSliderId));
    clickAt({slider.right - 8, (slider.top + slider.bottom) / 2});

    clickAt(centreOf(::GetDlgItem(form6, kQuitId)));
    HWND question = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (question = dialogBox(*instance_, L"確認")) != nullptr; }));
    EXPECT_EQ(windowText(::GetDlgItem(question, 0xFFFF)), L"ミルテカを終了しますか？");
    EXPECT_NE(::GetDlgItem(question, IDNO), nullptr);
    clickAt(centreOf(::GetDlgItem(question, IDYES)));

    ASSERT_TRUE(instance_->waitForExit());
    EXPECT_EQ(instance_->exitCode(), 0u);
    EXPECT_EQ(readBytes(folder_.listFile()), listBefore_);
    EXPECT_TRUE(waitUntil([] { return !trayHasIcons(); }));
}

TEST(SettingsRoundTrip, EditsSavedWithOkAreTheListTheIconsAndTheMotionAfterARestart) {
    ProgramFolder folder;
    const std::wstring document = (folder.path() / L"資料.txt").wstring();
    writeBytes(document, "memo");
    movePointer(600, 500);
    auto instance = std::make_unique<Instance>(folder.exe());
    ASSERT_TRUE(waitUntil(trayHasIcons));
    // A first start writes the default list and opens the settings window by itself.
    HWND form6 = instance->waitForVisibleWindow(L"MirutekaForm6");
    ASSERT_NE(form6, nullptr);
    ASSERT_EQ(readBytes(folder.listFile()).size(), 191u);
    addItem(*instance, form6, L"ワードパッド", systemProgram(L"write.exe"));
    addItem(*instance, form6, L"メモ帳", systemProgram(L"notepad.exe"));
    clickAt(centreOf(::GetDlgItem(form6, kMoveUpId))); // the new row 2 becomes row 1
    clickAt(centreOf(::GetDlgItem(form6, kFirstOptionId + 1)));
    addItem(*instance, form6, L"バージョン情報", systemProgram(L"winver.exe"));
    clickAt(centreOf(::GetDlgItem(form6, kFirstOptionId + 2)));
    addItem(*instance, form6, L"資料", document);
    addItem(*instance, form6, L"消す", systemProgram(L"notepad.exe"));
    clickAt(centreOf(::GetDlgItem(form6, kDeleteId)));
    std::wstring question;
    ASSERT_TRUE(answerBox(*instance, L"確認", IDYES, &question));
    EXPECT_EQ(question, L"消すを削除しますか？");
    clickAt(centreOf(::GetDlgItem(form6, kFirstOptionId + 3)));
    addItem(*instance, form6, L"Windows", L"C:\\windows");
    pressOnSlider(form6, 0, VK_NEXT, 1);  // 200 + a page of 50
    pressOnSlider(form6, 2, VK_RIGHT, 5); // 30 + 5
    ASSERT_TRUE(waitUntil([&] { return valueLabel(form6, 0) == L"250"; }));
    ASSERT_TRUE(waitUntil([&] { return valueLabel(form6, 2) == L"35"; }));
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Miruteka");
    HWND startBox = ::GetDlgItem(form6, kStartWithWindowsId);
    clickAt(centreOf(startBox));
    ASSERT_TRUE(waitUntil([&] { return ::SendMessageW(startBox, BM_GETCHECK, 0, 0) != 0; }));
    clickAt(centreOf(::GetDlgItem(form6, kOkId)));
    ASSERT_TRUE(waitUntil([&] { return instance->windows(L"MirutekaForm6").empty(); }));
    EXPECT_EQ(runEntry(), L"\"" + folder.exe().wstring() + L"\"");

    ListFileContents expected;
    expected.settings = {250, 10, 35, 20, 30};
    expected.setItem(1, 0, L"メモ帳", systemProgram(L"notepad.exe"));
    expected.setItem(1, 1, L"ワードパッド", systemProgram(L"write.exe"));
    expected.setItem(2, 0, L"バージョン情報", systemProgram(L"winver.exe"));
    expected.setItem(3, 0, L"資料", document);
    expected.setItem(4, 0, L"Windows", L"C:\\windows");
    const auto expectedFile = folder.path() / L"expected.txt";
    writeListFile(expectedFile, expected);
    const std::string saved = readBytes(folder.listFile());
    EXPECT_EQ(saved, readBytes(expectedFile));

    // The icon windows come back with the new icons and follow with the new distance.
    ASSERT_TRUE(waitUntil([&] { return allIconWindowsVisible(*instance); }));
    HWND form1 = instance->visibleWindows(L"MirutekaForm1").front();
    // Form1's centre keeps the new mouse gap (35, not 30) from the pointer, out in the open
    // where its new icon shows.
    movePointer(400, 300);
    EXPECT_TRUE(waitUntil([&] {
        const RECT rect = windowRect(form1);
        const double dx = (rect.left + rect.right) / 2.0 - 400;
        const double dy = (rect.top + rect.bottom) / 2.0 - 300;
        return std::abs(std::sqrt(dx * dx + dy * dy) - 35) <= 1;
    }));
    EXPECT_TRUE(waitUntil([&] { return hasPixelOtherThan(windowRect(form1), kIconBackground); }));

    // Quit, start again: the same list and settings.
    form6 = openSettingsFromTray(*instance);
    ASSERT_NE(form6, nullptr);
    clickAt(centreOf(::GetDlgItem(form6, kQuitId)));
    ASSERT_TRUE(answerBox(*instance, L"確認", IDYES));
    ASSERT_TRUE(instance->waitForExit());
    movePointer(500, 400);
    instance = std::make_unique<Instance>(folder.exe());
    ASSERT_TRUE(waitUntil([&] { return allIconWindowsVisible(*instance); }));
    EXPECT_TRUE(instance->windows(L"MirutekaForm6").empty()); // a later start opens nothing
    const RECT first = windowRect(instance->visibleWindows(L"MirutekaForm1").front());
    EXPECT_EQ(first.left, 500 - 16);
    EXPECT_EQ(first.top, 400 + 35 - 16);
    EXPECT_EQ(readBytes(folder.listFile()), saved);

    // The box shows the entry; unticked, OK removes it.
    form6 = openSettingsFromTray(*instance);
    ASSERT_NE(form6, nullptr);
    startBox = ::GetDlgItem(form6, kStartWithWindowsId);
    ASSERT_EQ(::SendMessageW(startBox, BM_GETCHECK, 0, 0), BST_CHECKED);
    clickAt(centreOf(startBox));
    ASSERT_TRUE(waitUntil([&] { return ::SendMessageW(startBox, BM_GETCHECK, 0, 0) == 0; }));
    clickAt(centreOf(::GetDlgItem(form6, kOkId)));
    ASSERT_TRUE(waitUntil([&] { return instance->windows(L"MirutekaForm6").empty(); }));
    EXPECT_FALSE(runEntry());

    // A file whose name code page 932 cannot spell is an item like any other: saved without
    // a word (the list turns UTF-8), and after a restart its group shows it.
    const std::wstring foreign = (folder.path() / L"café.txt").wstring();
    writeBytes(foreign, "menu");
    form6 = openSettingsFromTray(*instance);
    ASSERT_NE(form6, nullptr);
    clickAt(centreOf(::GetDlgItem(form6, kFirstOptionId + 2)));
    addItem(*instance, form6, L"カフェ", foreign);
    clickAt(centreOf(::GetDlgItem(form6, kMoveUpId))); // group 3's shown item
    clickAt(centreOf(::GetDlgItem(form6, kOkId)));
    ASSERT_TRUE(waitUntil([&] { return instance->windows(L"MirutekaForm6").empty(); }));
    expected.utf8 = true;
    expected.setItem(3, 0, L"カフェ", foreign);
    expected.setItem(3, 1, L"資料", document);
    writeListFile(expectedFile, expected);
    const std::string savedAsUtf8 = readBytes(folder.listFile());
    EXPECT_EQ(savedAsUtf8, readBytes(expectedFile));
    form6 = openSettingsFromTray(*instance);
    ASSERT_NE(form6, nullptr);
    clickAt(centreOf(::GetDlgItem(form6, kQuitId)));
    ASSERT_TRUE(answerBox(*instance, L"確認", IDYES));
    ASSERT_TRUE(instance->waitForExit());
    instance = std::make_unique<Instance>(folder.exe());
    EXPECT_TRUE(waitUntil([&] { return allIconWindowsVisible(*instance); }));
    EXPECT_EQ(readBytes(folder.listFile()), savedAsUtf8);
}

TEST_F(SettingsWindowE2e, AFailedSaveShowsWhyAndKeepsTheWindowAndItsEdits) {
    HWND form6 = openSettings();
    ASSERT_NE(form6, nullptr);
    pressOnSlider(form6, 4, VK_RIGHT, 3);
    ASSERT_TRUE(waitUntil([&] { return valueLabel(form6, 4) == L"33"; }));
    {
        HANDLE held = ::CreateFileW(folder_.listFile().c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        clickAt(centreOf(::GetDlgItem(form6, kOkId)));
        std::wstring error;
        const bool answered = answerBox(*instance_, L"エラー", IDOK, &error);
        ::CloseHandle(held);
        ASSERT_TRUE(answered);
        EXPECT_NE(error.find(L"保存できませんでした"), std::wstring::npos);
    }
    EXPECT_TRUE(::IsWindowVisible(form6));
    EXPECT_EQ(valueLabel(form6, 4), L"33");
    EXPECT_EQ(readBytes(folder_.listFile()), listBefore_);
    EXPECT_TRUE(instance_->visibleWindows(L"MirutekaForm1").empty());

    clickAt(centreOf(::GetDlgItem(form6, kCancelId)));
    ASSERT_TRUE(waitUntil([&] { return settingsWindows().empty(); }));
    EXPECT_EQ(readBytes(folder_.listFile()), listBefore_);
}

// Drive S: (mounted by the test run) stands for a share whose server is asleep: every lookup
// there takes seconds. An item reached through the folder link C:\slow_link into it holds up
// nothing else, not even the items on C: beside it: the other groups show with their icons,
// the chain follows the pointer and a tray press opens the settings window while its lookups
// still block, and its own window shows once they have answered.
TEST(SlowDrive, AnItemThereHoldsUpNeitherTheOtherGroupsNorTheChainNorTheTray) {
    const wchar_t* const slowItem = L"C:\\slow_link\\miruteka.exe";
    const auto lookupStart = std::chrono::steady_clock::now();
    ASSERT_NE(::GetFileAttributesW(slowItem), INVALID_FILE_ATTRIBUTES) << "S: is not mounted";
    ASSERT_GT(std::chrono::steady_clock::now() - lookupStart, 1s) << "S: answers at once";
    // Far less than the program's first answer from S:, which takes several such lookups.
    constexpr auto kPromptly = 3s;

    ProgramFolder folder;
    ListFileContents contents;
    contents.setItem(1, 0, L"共有のツール", slowItem);
    contents.setItem(2, 0, L"メモ帳", systemProgram(L"notepad.exe"));
    // Programs with icons of their own (Wine's write.exe has none).
    contents.setItem(3, 0, L"ファイル", systemProgram(L"winefile.exe"));
    contents.setItem(4, 0, L"マインスイーパ", systemProgram(L"winemine.exe"));
    writeListFile(folder.listFile(), contents);
    movePointer(500, 400);
    Instance instance(folder.exe());
    const auto windows = waitForIconWindows(instance, kPromptly);
    ASSERT_NE(windows[3], nullptr);

    // Drawn: the picture's background around an icon. A window shown but not yet painted
    // shows neither.
    const auto showsIcon = [](HWND window) {
        const RECT rect = windowRect(window);
        return ::IsWindowVisible(window) && screenPixel(rect.left, rect.top) == kIconBackground &&
               hasPixelOtherThan(rect, kIconBackground);
    };
    EXPECT_TRUE(waitUntil(
        [&] { return showsIcon(windows[1]) && showsIcon(windows[2]) && showsIcon(windows[3]); },
        kPromptly))
        << "groups 2 to 4 wait for S:";
    const auto corners = cornersOf(windows);
    movePointer(800, 600);
    EXPECT_TRUE(waitUntil([&] { return !sameCorners(cornersOf(windows), corners); }, kPromptly))
        << "the chain stands still while S: is looked up";
    ASSERT_FALSE(::IsWindowVisible(windows[0])) << "S: answered before the checks were done";

    pressTrayIcon();
    HWND form6 = instance.waitForVisibleWindow(L"MirutekaForm6", kPromptly);
    EXPECT_NE(form6, nullptr) << "the tray icon does not answer while S: is looked up";
    if (form6 != nullptr) {
        clickAt(centreOf(::GetDlgItem(form6, kCancelId)));
    }
    EXPECT_TRUE(waitUntil([&] { return ::IsWindowVisible(windows[0]) != FALSE; }, 30s))
        << "the item on S: never shows";
}

// Run in a Wine prefix whose display is at 144 dpi (150 %): the window is the 96-dpi one
// (550 x 501) half again as large.
TEST_F(SettingsWindowE2e, At144DpiTheWindowIsHalfAgainAsLarge) {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 144) << "run in a prefix at 144 dpi";
    HWND form6 = openSettings();
    ASSERT_NE(form6, nullptr);
    RECT client{};
    ::GetClientRect(form6, &client);
    EXPECT_NEAR(client.right, 550 * 1.5, 2);
    EXPECT_NEAR(client.bottom, 501 * 1.5, 2);
    clickAt(centreOf(::GetDlgItem(form6, kCancelId)));
    EXPECT_TRUE(waitUntil([&] { return settingsWindows().empty(); }));
}

// Run where the display language is English: no text of the window is Japanese, and it has
// OK and Cancel.
TEST_F(SettingsWindowE2e, InEnglishTheWindowShowsNoJapaneseAndHasOkAndCancel) {
    ASSERT_EQ(PRIMARYLANGID(::GetUserDefaultUILanguage()), LANG_ENGLISH)
        << "run in a prefix whose display language is English";
    HWND form6 = openSettings();
    ASSERT_NE(form6, nullptr);
    // Japanese scripts and full-width forms start at U+3000.
    for (HWND at = form6; at != nullptr;
         at = at == form6 ? ::GetWindow(form6, GW_CHILD) : ::GetWindow(at, GW_HWNDNEXT)) {
        const std::wstring text = windowText(at);
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x3000; }))
            << "control " << ::GetDlgCtrlID(at);
    }
    EXPECT_EQ(windowText(::GetDlgItem(form6, kOkId)), L"OK");
    EXPECT_EQ(windowText(::GetDlgItem(form6, kCancelId)), L"Cancel");
    clickAt(centreOf(::GetDlgItem(form6, kCancelId)));
    EXPECT_TRUE(waitUntil([&] { return settingsWindows().empty(); }));
}

} // namespace
} // namespace e2e
