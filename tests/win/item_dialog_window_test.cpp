#include "fakes/fake_background_work.h"
#include "platform/geometry.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_background_work.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_icons.h"
#include "settings/win32/item_dialog_window.h"
#include "toolkit/palette.h"
#include "toolkit/win32/display_scale.h"
#include "toolkit/win32/modal_window.h"
#include "win/dark_theme.h"
#include "win/modal_test_support.h"
#include "win/text_fit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace miruteka::win32 {
namespace {

using testing::classOf;
using testing::DialogBoxWatcher;
using testing::messageBoxText;
using testing::runSoon;
using testing::textOf;

class RecordingHost : public ItemDialogHost {
  public:
    void acceptItem(const std::string& name, const std::string& path) override {
        accepted.push_back({name, path});
    }
    std::vector<ItemFields> accepted;
};

// A plain window standing in for the settings window.
class Owner {
  public:
    Owner() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"MirutekaTestItemOwner";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"MirutekaTestItemOwner", L"owner",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 560, 480, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    ~Owner() { ::DestroyWindow(window_); }
    HWND get() const { return window_; }

  private:
    HWND window_;
};

// A file and a folder of our own under the temporary folder.
class ScratchFolder {
  public:
    ScratchFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
        folder_ = std::filesystem::path(temp) /
                  (L"miruteka-item-" + std::to_wstring(::GetCurrentProcessId()));
        std::filesystem::create_directories(folder_);
        std::ofstream(file()) << "item";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::filesystem::path folder() const { return folder_; }
    std::filesystem::path file() const { return folder_ / L"道具.txt"; }

  private:
    std::filesystem::path folder_;
};

class ItemDialogWindowTest : public ::testing::Test {
  protected:
    HWND item(const ItemDialogWindow& dialog, int id) { return ::GetDlgItem(dialog.hwnd(), id); }
    RECT boundsOf(const ItemDialogWindow& dialog, int id) {
        RECT bounds{};
        ::GetWindowRect(item(dialog, id), &bounds);
        ::MapWindowPoints(nullptr, dialog.hwnd(), reinterpret_cast<POINT*>(&bounds), 2);
        return bounds;
    }
    static std::string utf8(const std::filesystem::path& path) { return toUtf8(path.wstring()); }

    Owner owner;
    Win32FileSystem files;
    Win32IconApi icons;
    Win32BackgroundWork work;
    ItemProbes probes{work, borrowed(files), borrowed(icons)};
    RecordingHost host;
    ScratchFolder scratch;
};

TEST_F(ItemDialogWindowTest, LaysOutItsControlsCentredOnTheScreenWithTheFocusOnBrowse) {
    ItemDialogWindow dialog(probes, host);
    ASSERT_TRUE(dialog.create(owner.get(), {"メモ帳", "C:\\windows\\notepad.exe"}));

    EXPECT_EQ(textOf(dialog.hwnd()), L"ミルテカ　ファイル選択");
    EXPECT_EQ(textOf(item(dialog, kItemNameLabelId)), L"名前");
    EXPECT_EQ(textOf(item(dialog, kItemPathLabelId)), L"パス");
    EXPECT_EQ(textOf(item(dialog, kItemBrowseId)), L"参照");
    EXPECT_EQ(textOf(item(dialog, kItemOkId)), L"OK");
    EXPECT_EQ(textOf(item(dialog, kItemCancelId)), L"キャンセル");
    EXPECT_EQ(dialog.fields(), (ItemFields{"メモ帳", "C:\\windows\\notepad.exe"}));

    RECT client{};
    ::GetClientRect(dialog.hwnd(), &client);
    EXPECT_EQ(client.right, 308);
    EXPECT_EQ(client.bottom, 254);
    const RECT expected[] = {{8, 8, 89, 25},     {8, 32, 289, 53},     {8, 64, 89, 81},
                             {8, 88, 289, 109},  {220, 120, 289, 149}, {12, 204, 81, 233},
                             {96, 204, 165, 233}};
    const int ids[] = {kItemNameLabelId, kItemNameId, kItemPathLabelId, kItemPathId,
                       kItemBrowseId,    kItemOkId,   kItemCancelId};
    for (size_t i = 0; i < std::size(ids); ++i) {
        const RECT bounds = boundsOf(dialog, ids[i]);
        EXPECT_TRUE(::EqualRect(&bounds, &expected[i])) << ids[i];
    }

    RECT outer{};
    ::GetWindowRect(dialog.hwnd(), &outer);
    const RECT screen = screenOf(owner.get());
    EXPECT_NEAR((outer.left + outer.right) / 2, (screen.left + screen.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (screen.top + screen.bottom) / 2, 1);
    EXPECT_EQ(::GetWindow(dialog.hwnd(), GW_OWNER), owner.get());
    EXPECT_NE(::GetWindowLongW(dialog.hwnd(), GWL_STYLE) & WS_THICKFRAME, 0);

    // Browse first, then cancel, OK, path and name; no button is the default.
    EXPECT_EQ(::GetFocus(), item(dialog, kItemBrowseId));
    std::vector<int> order;
    HWND control = item(dialog, kItemBrowseId);
    for (int i = 0; i < 5; ++i) {
        control = ::GetNextDlgTabItem(dialog.hwnd(), control, FALSE);
        order.push_back(::GetDlgCtrlID(control));
    }
    EXPECT_EQ(order, (std::vector<int>{kItemCancelId, kItemOkId, kItemPathId, kItemNameId,
                                       kItemBrowseId}));
    for (const int id : {kItemBrowseId, kItemOkId, kItemCancelId}) {
        EXPECT_EQ(::SendMessageW(item(dialog, id), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0);
    }

    LOGFONTW labelFont{};
    ::GetObjectW(
        reinterpret_cast<HGDIOBJ>(::SendMessageW(item(dialog, kItemNameLabelId), WM_GETFONT, 0, 0)),
        sizeof labelFont, &labelFont);
    EXPECT_EQ(labelFont.lfHeight, -15);

    // At 150 % and 200 % every control grows with the twips, and every text still fits.
    for (const int dpi : {144, 192}) {
        dialog.applyDpi(dpi);
        ::GetClientRect(dialog.hwnd(), &client);
        EXPECT_EQ(client.right, twipsToPixels(4620, dpi)) << dpi;
        EXPECT_EQ(client.bottom, twipsToPixels(3810, dpi)) << dpi;
        const RECT browse = boundsOf(dialog, kItemBrowseId);
        EXPECT_EQ(browse.left, twipsToPixels(3300, dpi)) << dpi;
        EXPECT_EQ(browse.bottom, twipsToPixels(1800 + 435, dpi)) << dpi;
        EXPECT_EQ(testing::textsThatDoNotFit(dialog.hwnd()), std::vector<std::string>{}) << dpi;
    }
    endModal(dialog.hwnd());
}

TEST_F(ItemDialogWindowTest, InEnglishEveryTextFitsInTheSystemsMessageFont) {
    testing::EnglishTexts english;
    ItemDialogWindow dialog(probes, host);
    ASSERT_TRUE(dialog.create(owner.get(), {}));
    EXPECT_EQ(textOf(item(dialog, kItemBrowseId)), L"Browse\u2026");
    LOGFONTW labelFont{};
    ::GetObjectW(
        reinterpret_cast<HGDIOBJ>(::SendMessageW(item(dialog, kItemNameLabelId), WM_GETFONT, 0, 0)),
        sizeof labelFont, &labelFont);
    EXPECT_STREQ(labelFont.lfFaceName, messageFontAtDpi(dialog.dpi()).lfFaceName);
    for (const int dpi : {96, 144}) {
        dialog.applyDpi(dpi);
        EXPECT_EQ(testing::textsThatDoNotFit(dialog.hwnd()), std::vector<std::string>{}) << dpi;
    }
    endModal(dialog.hwnd());
}

TEST_F(ItemDialogWindowTest, OkWithAMissingPathShowsTheErrorAndKeepsBothTexts) {
    ItemDialogWindow dialog(probes, host);
    const std::string missing = utf8(scratch.folder() / L"ない.exe");
    ASSERT_TRUE(dialog.create(owner.get(), {"名前", missing}));

    std::wstring shownText;
    {
        DialogBoxWatcher watcher(::GetCurrentThreadId(), L"エラー", [&](HWND box) {
            shownText = messageBoxText(box);
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        ::SendMessageW(item(dialog, kItemOkId), BM_CLICK, 0, 0);
        EXPECT_TRUE(watcher.seen());
    }
    EXPECT_EQ(shownText, L"ファイルが存在しません。");
    EXPECT_TRUE(host.accepted.empty());
    ASSERT_TRUE(::IsWindow(dialog.hwnd()));
    EXPECT_EQ(dialog.fields(), (ItemFields{"名前", missing}));
    endModal(dialog.hwnd());
}

TEST_F(ItemDialogWindowTest, OkWithAnExistingFileOrFolderHandsItOverAndCloses) {
    const std::vector<ItemFields> typed{{"道具", utf8(scratch.file())},
                                        {"", utf8(scratch.folder())}};
    for (const ItemFields& fields : typed) {
        ItemDialogWindow dialog(probes, host);
        ASSERT_TRUE(dialog.create(owner.get(), {"前の名前", "C:\\前のパス"}));
        ::SetDlgItemTextW(dialog.hwnd(), kItemNameId, toWide(fields.name).c_str());
        ::SetDlgItemTextW(dialog.hwnd(), kItemPathId, toWide(fields.path).c_str());
        ::SendMessageW(item(dialog, kItemOkId), BM_CLICK, 0, 0);
        EXPECT_FALSE(::IsWindow(dialog.hwnd()));
    }
    EXPECT_EQ(host.accepted, typed);
}

TEST_F(ItemDialogWindowTest, DarkWhileWindowsAppsAreDark) {
    const testing::AppsTheme theme;
    const Palette dark = choosePalette(false, {}, true);
    ItemDialogWindow dialog(probes, host);
    ASSERT_TRUE(dialog.create(owner.get(), {"道具", utf8(scratch.file())}));
    EXPECT_EQ(testing::pixelOf(dialog.hwnd(), 2, 2), dark.labels.back);
    EXPECT_EQ(testing::pixelOf(item(dialog, kItemCancelId), 4, 4), dark.plainButtons.back);
    EXPECT_TRUE(testing::showsLightText(item(dialog, kItemNameId), dark.fields.back));
    EXPECT_TRUE(testing::showsLightText(item(dialog, kItemOkId), dark.plainButtons.back));
}

TEST_F(ItemDialogWindowTest, IsModalAndOnlyCancelOrTheCloseBoxCloseItWritingNothing) {
    for (const bool useCloseBox : {false, true}) {
        bool ownerDisabled = false;
        bool survivedKeys = false;
        std::wstring activeClass;
        runSoon([&] {
            HWND dialog = ::GetActiveWindow();
            activeClass = classOf(dialog);
            ownerDisabled = !::IsWindowEnabled(owner.get());
            // With an existing path typed, Enter and Esc in the path box still do nothing.
            HWND path = ::GetDlgItem(dialog, kItemPathId);
            ::SetWindowTextW(path, scratch.file().c_str());
            ::SetFocus(path);
            for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
                ::PostMessageW(path, WM_KEYDOWN, key, 0);
                ::PostMessageW(path, WM_KEYUP, key, 0);
            }
            runSoon([&, dialog] {
                survivedKeys = ::IsWindow(dialog) != FALSE;
                if (useCloseBox) {
                    ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                } else {
                    ::PostMessageW(::GetDlgItem(dialog, kItemCancelId), BM_CLICK, 0, 0);
                }
            });
        });
        showItemDialog(owner.get(), {"", ""}, probes, host);

        EXPECT_EQ(activeClass, L"MirutekaItemDialog");
        EXPECT_TRUE(ownerDisabled);
        EXPECT_TRUE(survivedKeys);
        EXPECT_TRUE(::IsWindowEnabled(owner.get()));
    }
    EXPECT_TRUE(host.accepted.empty());
}

// Types into the open-file dialog's file name box (a combo box on the Explorer-style
// dialog, an edit box on the older one) and presses its OK.
void typeInOpenDialog(HWND box, const std::wstring& text) {
    HWND name = ::GetDlgItem(box, 0x47C); // cmb13
    if (name == nullptr) {
        name = ::GetDlgItem(box, 0x480); // edt1
    }
    ::SetWindowTextW(name, text.c_str());
    ::SendMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(ItemDialogWindowTest, BrowseReplacesBothTextsWithTheChosenFileAndCancelKeepsThem) {
    ItemDialogWindow dialog(probes, host);
    ASSERT_TRUE(dialog.create(owner.get(), {"打った名前", "打ったパス"}));
    wchar_t before[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(static_cast<DWORD>(std::size(before)), before);

    {
        DialogBoxWatcher watcher(::GetCurrentThreadId(), L"",
                                 [](HWND box) { ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0); });
        ::SendMessageW(item(dialog, kItemBrowseId), BM_CLICK, 0, 0);
        EXPECT_TRUE(watcher.seen());
    }
    EXPECT_EQ(dialog.fields(), (ItemFields{"打った名前", "打ったパス"}));

    {
        // Into the scratch folder first, then the file there: the dialog's own walk through
        // the folders must not move the program's current folder.
        DialogBoxWatcher watcher(::GetCurrentThreadId(), L"", [&](HWND box) {
            typeInOpenDialog(box, scratch.folder().wstring());
            typeInOpenDialog(box, scratch.file().filename().wstring());
        });
        ::SendMessageW(item(dialog, kItemBrowseId), BM_CLICK, 0, 0);
        EXPECT_TRUE(watcher.seen());
    }
    EXPECT_EQ(dialog.fields(), (ItemFields{"道具.txt", utf8(scratch.file())}));
    wchar_t after[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(static_cast<DWORD>(std::size(after)), after);
    EXPECT_STREQ(after, before); // the browse left the current folder alone
    EXPECT_TRUE(host.accepted.empty());
    endModal(dialog.hwnd());
}

} // namespace
} // namespace miruteka::win32
