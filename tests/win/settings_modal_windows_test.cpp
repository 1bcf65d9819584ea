// The settings window's Add and Version buttons with the real item dialog and about window.
#include "about/win32/about_window.h"
#include "fakes/fake_background_work.h"
#include "fakes/fake_launcher_host.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_background_work.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_icons.h"
#include "settings/win32/item_dialog_window.h"
#include "settings/win32/settings_window.h"
#include "win/modal_test_support.h"

#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace miruteka::win32 {
namespace {

using testing::classOf;
using testing::pumpUntil;
using testing::runSoon;
using testing::textOf;

std::wstring cell(HWND grid, int row, int column) {
    wchar_t text[512] = {};
    ListView_GetItemText(grid, row - 1, column, text, static_cast<int>(std::size(text)));
    return text;
}

bool previewIsBlank(HDC dc) {
    for (int y = 0; y < Win32Picture::kSize; ++y) {
        for (int x = 0; x < Win32Picture::kSize; ++x) {
            if (::GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                return false;
            }
        }
    }
    return true;
}

std::wstring notepad() {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length) + L"\\notepad.exe";
}

class SettingsModalWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        state.settings = kDefaultSettings;
        state.items.strItemName[itemIndex(1, 0)] = "先頭";
        state.items.strItemPath[itemIndex(1, 0)] = "C:\\no\\such.exe";
        state.blnSettingsOpen = true;
        // No list file is written: the test never presses OK.
        window = std::make_unique<SettingsWindow>(SettingsWindowContext{
            state, host, files, codePage, probes, "C:\\no\\such\\folder\\filelist.txt"});
        ASSERT_TRUE(window->create());
    }
    void TearDown() override {
        window.reset();
        ::OleUninitialize();
    }
    void command(int number) {
        ::SendMessageW(window->control(kCommandId + number), BM_CLICK, 0, 0);
    }

    LauncherState state;
    FakeLauncherHost host;
    Win32FileSystem files;
    Win32CodePage codePage;
    Win32IconApi icons;
    Win32BackgroundWork work;
    ItemProbes probes{work, borrowed(files), borrowed(icons)};
    std::unique_ptr<SettingsWindow> window;
};

TEST_F(SettingsModalWindowsTest, AddOpensTheEmptyItemDialogOverTheWindowAndOkFillsTheRow) {
    HWND grid = window->control(kGridId);
    ASSERT_TRUE(previewIsBlank(window->preview().dc()));
    std::wstring dialogClass;
    HWND dialogOwner = nullptr;
    bool settingsDisabled = false;
    std::wstring name = L"?", path = L"?";
    runSoon([&] {
        HWND dialog = ::GetActiveWindow();
        dialogClass = classOf(dialog);
        dialogOwner = ::GetWindow(dialog, GW_OWNER);
        settingsDisabled = !::IsWindowEnabled(window->hwnd());
        name = textOf(::GetDlgItem(dialog, kItemNameId));
        path = textOf(::GetDlgItem(dialog, kItemPathId));
        ::SetDlgItemTextW(dialog, kItemNameId, L"メモ帳");
        ::SetDlgItemTextW(dialog, kItemPathId, notepad().c_str());
        ::PostMessageW(::GetDlgItem(dialog, kItemOkId), BM_CLICK, 0, 0);
    });
    command(8); // Add: row 2 is the first without a path

    EXPECT_EQ(dialogClass, L"MirutekaItemDialog");
    EXPECT_EQ(dialogOwner, window->hwnd());
    EXPECT_TRUE(settingsDisabled);
    EXPECT_EQ(name, L"");
    EXPECT_EQ(path, L"");
    EXPECT_TRUE(::IsWindowEnabled(window->hwnd()));
    EXPECT_EQ(cell(grid, 2, 0), L"メモ帳");
    EXPECT_EQ(cell(grid, 2, 1), notepad());
    EXPECT_EQ(cell(grid, 1, 0), L"先頭");
    EXPECT_EQ(window->form().workingCopy().grid(0).currentRow(), 2);
    EXPECT_FALSE(previewIsBlank(window->preview().dc())); // notepad's icon
    EXPECT_EQ(state.items.name(1, 1), "");                // only the working copy changed
}

TEST_F(SettingsModalWindowsTest, VersionOpensTheAboutWindowOverTheSettingsWindow) {
    std::wstring aboutClass, title;
    HWND aboutOwner = nullptr;
    bool settingsDisabled = false;
    runSoon([&] {
        HWND about = ::GetActiveWindow();
        aboutClass = classOf(about);
        aboutOwner = ::GetWindow(about, GW_OWNER);
        settingsDisabled = !::IsWindowEnabled(window->hwnd());
        title = textOf(::GetDlgItem(about, kAboutTitleId));
        ::PostMessageW(::GetDlgItem(about, kAboutCloseId), BM_CLICK, 0, 0);
    });
    command(9);

    EXPECT_EQ(aboutClass, L"MirutekaAbout");
    EXPECT_EQ(aboutOwner, window->hwnd());
    EXPECT_TRUE(settingsDisabled);
    EXPECT_EQ(title, L"ミルテカ　Ver 1.2");
    EXPECT_TRUE(::IsWindowEnabled(window->hwnd()));
    EXPECT_TRUE(::IsWindow(window->hwnd()));
}

TEST_F(SettingsModalWindowsTest, TheFocusedButtonKeepsTheFocusAfterAMessageBox) {
    HWND remove = window->control(kCommandId + 7);
    ::SetFocus(remove);
    testing::DialogBoxWatcher no(::GetCurrentThreadId(), L"確認",
                                 [](HWND box) { ::PostMessageW(box, WM_COMMAND, IDNO, 0); });
    command(7); // Delete asks first
    EXPECT_TRUE(no.seen());
    EXPECT_TRUE(pumpUntil([&] { return ::GetFocus() == remove; }, std::chrono::milliseconds(2000)));
}

} // namespace
} // namespace miruteka::win32
