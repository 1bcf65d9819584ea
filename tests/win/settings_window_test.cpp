#include "data/list_file.h"
#include "e2e/harness/drag_files.h"
#include "fakes/fake_background_work.h"
#include "fakes/fake_launcher_host.h"
#include "fakes/fake_message_boxes.h"
#include "platform/geometry.h"
#include "platform/win32/unique.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_background_work.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_icons.h"
#include "settings/win32/settings_window.h"
#include "toolkit/palette.h"
#include "toolkit/win32/display_scale.h"
#include "win/dark_theme.h"
#include "win/modal_test_support.h"
#include "win/text_fit.h"

#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace miruteka::win32 {
namespace {

namespace fs = std::filesystem;
using testing::pumpUntil;
using testing::textOf;

constexpr const char* kListBefore = "the list as it was";

std::string rawRead(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Where a control sits in its parent's client area, in pixels.
RECT placeOf(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool samePlace(const RECT& rect, int x, int y, int width, int height) {
    return rect.left == x && rect.top == y && rect.right - rect.left == width &&
           rect.bottom - rect.top == height;
}

std::wstring cell(HWND grid, int row, int column) {
    wchar_t text[512] = {};
    ListView_GetItemText(grid, row - 1, column, text, static_cast<int>(std::size(text)));
    return text;
}

int selectedRow(HWND grid) {
    return ListView_GetNextItem(grid, -1, LVNI_SELECTED) + 1;
}

// In the square of this size, from column fromX on.
bool hasNonWhitePixel(HDC dc, int size = 32, int fromX = 0) {
    for (int y = 0; y < size; ++y) {
        for (int x = fromX; x < size; ++x) {
            if (::GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                return true;
            }
        }
    }
    return false;
}

// A program with an icon of its own, on Windows and in every Wine prefix.
std::string notepad() {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    return toUtf8(std::wstring_view(folder, length)) + "\\notepad.exe";
}

class SettingsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        static int counter = 0;
        folder_ = fs::temp_directory_path() /
                  (L"settings-window-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++counter));
        fs::create_directories(folder_);
        std::ofstream(folder_ / L"filelist.txt", std::ios::binary) << kListBefore;
        state.settings = kDefaultSettings;
        state.blnSettingsOpen = true;
    }
    void TearDown() override {
        window.reset();
        pumpUntil([] { return true; });
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        ::OleUninitialize();
    }

    void setItem(int group, int slot, const std::string& name, const std::string& path) {
        state.items.strItemName[itemIndex(group, slot)] = name;
        state.items.strItemPath[itemIndex(group, slot)] = path;
    }
    void open() {
        SettingsWindowContext context{
            state,
            host,
            files,
            codePage,
            probes,
            toUtf8((folder_ / L"filelist.txt").wstring()),
            nullptr,
            &messages,
            [this](HWND owner, const ItemFields& fields, ItemDialogHost& target) {
                dialogOwner = owner;
                dialogFields = fields;
                if (dialogAnswer) {
                    target.acceptItem(dialogAnswer->name, dialogAnswer->path);
                }
            },
            [this](HWND owner) { aboutOwner = owner; }};
        context.optionsPath = toUtf8(optionsFile().wstring());
        window = std::make_unique<SettingsWindow>(std::move(context));
        ASSERT_TRUE(window->create());
        log.clear(); // the pause key goes off while the window is open
    }
    HWND control(int id) const { return window->control(id); }
    HWND grid(int index) const { return control(kGridId + index); }
    void click(int id) { ::SendMessageW(control(id), BM_CLICK, 0, 0); }
    void command(int number) { click(kCommandId + number); }
    fs::path listFile() const { return folder_ / L"filelist.txt"; }
    fs::path optionsFile() const { return folder_ / L"miruteka.ini"; }

    LauncherState state;
    std::vector<std::string> log;
    FakeLauncherHost host{&log};
    Win32FileSystem files;
    Win32CodePage codePage;
    Win32IconApi icons;
    Win32BackgroundWork work;
    ItemProbes probes{work, borrowed(files), borrowed(icons)};
    FakeMessageBoxes messages;
    std::unique_ptr<SettingsWindow> window;
    HWND dialogOwner = nullptr;
    ItemFields dialogFields;
    std::optional<ItemFields> dialogAnswer;
    HWND aboutOwner = nullptr;

  private:
    fs::path folder_;
};

TEST_F(SettingsWindowTest, LaysOutEveryControlWithItsCaptionCentredOnTheScreen) {
    open();
    HWND form = window->hwnd();
    EXPECT_EQ(textOf(form), L"ミルテカ設定");
    const LONG style = ::GetWindowLongW(form, GWL_STYLE);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    RECT client{};
    ::GetClientRect(form, &client);
    EXPECT_EQ(client.right, 550);
    EXPECT_EQ(client.bottom, 501); // two rows below the OK row
    EXPECT_EQ(textOf(control(kPauseKeyLabelId)), L"一時停止キー");
    EXPECT_TRUE(samePlace(placeOf(control(kPauseKeyLabelId)), 8, 444, 97, 17));
    EXPECT_TRUE(samePlace(placeOf(control(kPauseKeyId)), 112, 440, 128, 25));
    EXPECT_TRUE(samePlace(placeOf(control(kPauseKeyNoteId)), 247, 444, 88, 17));
    EXPECT_EQ(::SendMessageW(control(kPauseKeyId), HKM_GETHOTKEY, 0, 0),
              MAKEWORD('X', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
    EXPECT_FALSE(::IsWindowVisible(control(kPauseKeyNoteId)));
    EXPECT_TRUE(samePlace(placeOf(control(kListKeyId)), 112, 470, 128, 25));
    EXPECT_EQ(::SendMessageW(control(kListKeyId), HKM_GETHOTKEY, 0, 0),
              MAKEWORD('Z', HOTKEYF_ALT | HOTKEYF_SHIFT));
    RECT outer{};
    ::GetWindowRect(form, &outer);
    EXPECT_LE(std::abs((outer.left + outer.right) / 2 - ::GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((outer.top + outer.bottom) / 2 - ::GetSystemMetrics(SM_CYSCREEN) / 2), 1);

    EXPECT_TRUE(samePlace(placeOf(control(kOption1Id)), 12, 8, 81, 29));
    EXPECT_TRUE(samePlace(placeOf(control(kOption1Id + 3)), 288, 8, 81, 29));
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(textOf(control(kOption1Id + k)), L"オプション　" + std::to_wstring(k + 1));
        EXPECT_TRUE(samePlace(placeOf(grid(k)), 12, 44, 529, 149)) << k;
    }
    EXPECT_TRUE(samePlace(placeOf(control(kPreviewId)), 12, 200, 32, 32));
    struct Button {
        int number;
        const wchar_t* caption;
        int x, y, width, height;
    };
    const Button buttons[] = {
        {1, L"OK", 8, 400, 97, 29},
        {2, L"キャンセル", 120, 400, 97, 29},
        {3, L"終了", 440, 400, 97, 29},
        {4, L"▲　上へ移動", 244, 204, 89, 25},
        {5, L"▼　下へ移動", 340, 204, 89, 25},
        {6, L"編集", 52, 204, 89, 25},
        {7, L"削除", 452, 204, 89, 25},
        {8, L"追加", 148, 204, 89, 25},
        {9, L"バージョン", 328, 400, 97, 29},
    };
    for (const Button& button : buttons) {
        HWND command = control(kCommandId + button.number);
        EXPECT_EQ(textOf(command), button.caption);
        EXPECT_TRUE(samePlace(placeOf(command), button.x, button.y, button.width, button.height))
            << button.number;
    }
    EXPECT_EQ(textOf(control(kCheck1Id)), L"Windows の起動時に開始する");
    EXPECT_TRUE(samePlace(placeOf(control(kCheck1Id)), 342, 440, 199, 25));
    EXPECT_EQ(::SendMessageW(control(kCheck1Id), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    const wchar_t* captions[] = {L"タイマー間隔", L"アイコンが動く最小マウス移動距離",
                                 L"マウスとアイコンの離れ具合", L"アイコン同士の離れ具合",
                                 L"ロックを解除するマウス移動距離"};
    const int tops[] = {260, 284, 308, 332, 356};
    const int maxima[] = {500, 100, 100, 100, 100};
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(textOf(control(kCaptionLabelId + 1 + s)), captions[s]);
        EXPECT_TRUE(samePlace(placeOf(control(kCaptionLabelId + 1 + s)), 8, tops[s], 293, 17));
        EXPECT_TRUE(samePlace(placeOf(control(kValueLabelId + 1 + s)), 500, tops[s], 33, 17));
        HWND slider = control(kSliderId + 1 + s);
        EXPECT_TRUE(samePlace(placeOf(slider), 236, tops[s], 253, 17)) << s;
        // Named by its caption (its text, and the label just before it, cut where it starts).
        EXPECT_EQ(textOf(slider), captions[s]);
        EXPECT_EQ(::GetWindow(slider, GW_HWNDPREV), control(kCaptionLabelId + 1 + s));
        RECT shown{};
        EXPECT_TRUE(::GetWindowRgnBox(control(kCaptionLabelId + 1 + s), &shown) &&
                    shown.right == 236 - 8);
        EXPECT_EQ(::SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 0);
        EXPECT_EQ(::SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), maxima[s]);
    }

    HWND header = ListView_GetHeader(grid(0));
    wchar_t headerText[32] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = headerText;
    item.cchTextMax = static_cast<int>(std::size(headerText));
    Header_GetItem(header, 0, &item);
    EXPECT_EQ(std::wstring(headerText), L"名前");
    Header_GetItem(header, 1, &item);
    EXPECT_EQ(std::wstring(headerText), L"パス");
    EXPECT_EQ(ListView_GetColumnWidth(grid(0), 0), 253);
    EXPECT_EQ(ListView_GetColumnWidth(grid(0), 1), 253);
    EXPECT_EQ(ListView_GetItemCount(grid(0)), 10);
    RECT row{};
    ListView_GetItemRect(grid(0), 0, &row, LVIR_BOUNDS);
    EXPECT_EQ(row.bottom - row.top, 20);
    EXPECT_EQ(ListView_GetCountPerPage(grid(0)) < 10, true); // the grid scrolls
    EXPECT_EQ(::GetWindowLongW(grid(0), GWL_STYLE) & LVS_EDITLABELS, 0);
    // A list's accessible name is its window text: the group it holds.
    EXPECT_EQ(textOf(grid(3)), L"オプション　4");
}

TEST_F(SettingsWindowTest, AtEachDisplayScaleTheLayoutGrowsAndEveryTextFits) {
    setItem(1, 0, "メモ帳", notepad());
    open();
    for (const int dpi : {96, 144, 192, 120, 96}) {
        SCOPED_TRACE(::testing::Message() << dpi << " dpi");
        RECT client{};
        if (dpi == 144) {
            // Moved onto a monitor at 150 %: the window takes the rectangle the system
            // suggests (here, the same frame around the client area of that scale).
            RECT outer{};
            ::GetWindowRect(window->hwnd(), &outer);
            ::GetClientRect(window->hwnd(), &client);
            const RECT suggested{
                40, 30, 40 + outer.right - outer.left - client.right + twipsToPixels(8250, dpi),
                30 + outer.bottom - outer.top - client.bottom + twipsToPixels(7515, dpi)};
            ::SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
            ::GetWindowRect(window->hwnd(), &outer);
            EXPECT_TRUE(::EqualRect(&outer, &suggested));
        } else {
            window->applyDpi(dpi);
        }
        ::GetClientRect(window->hwnd(), &client);
        EXPECT_EQ(client.right, twipsToPixels(8250, dpi));
        EXPECT_EQ(client.bottom, twipsToPixels(7515, dpi));
        const RECT option4 = placeOf(control(kOption1Id + 3));
        EXPECT_TRUE(samePlace(option4, twipsToPixels(4320, dpi), twipsToPixels(120, dpi),
                              twipsToPixels(1215, dpi), twipsToPixels(435, dpi)));
        if (dpi % 48 == 0) { // 100 %, 150 %, 200 %
            EXPECT_EQ(testing::textsThatDoNotFit(window->hwnd()), std::vector<std::string>{});
        }

        // The grid's columns and rows follow, and its columns still fit beside the scroll bar.
        HWND shown = grid(0);
        EXPECT_EQ(ListView_GetColumnWidth(shown, 1), twipsToPixels(3800, dpi));
        RECT row{};
        ListView_GetItemRect(shown, 0, &row, LVIR_BOUNDS);
        EXPECT_EQ(row.bottom - row.top, twipsToPixels(300, dpi));
        EXPECT_EQ(::GetWindowLongW(shown, GWL_STYLE) & WS_HSCROLL, 0);

        // The preview is as large as its box and the icon fills it.
        const int preview = twipsToPixels(480, dpi);
        EXPECT_EQ(window->preview().size(), preview);
        EXPECT_TRUE(samePlace(placeOf(control(kPreviewId)), twipsToPixels(180, dpi),
                              twipsToPixels(3000, dpi), preview, preview));
        click(kOption1Id); // draws the preview again
        EXPECT_TRUE(hasNonWhitePixel(window->preview().dc(), preview, preview - preview / 4));
    }
}

TEST_F(SettingsWindowTest, InEnglishEveryTextFitsInTheSystemsMessageFontAt96And144Dpi) {
    testing::EnglishTexts english;
    state.optionsUnreadable = true; // the longer note beside the pause key
    open();
    EXPECT_EQ(textOf(control(kOption1Id + 3)), L"Group 4");
    EXPECT_EQ(textOf(control(kCommandId + 2)), L"Cancel");
    LOGFONTW font{};
    ::GetObjectW(
        reinterpret_cast<HGDIOBJ>(::SendMessageW(control(kCommandId + 1), WM_GETFONT, 0, 0)),
        sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, messageFontAtDpi(window->dpi()).lfFaceName);
    for (const int dpi : {96, 144}) {
        window->applyDpi(dpi);
        EXPECT_EQ(testing::textsThatDoNotFit(window->hwnd()), std::vector<std::string>{}) << dpi;
    }
}

TEST_F(SettingsWindowTest, TabOrderFollowsTheLayout) {
    open();
    const std::vector<int> expected{kOption1Id,     kOption1Id + 1, kOption1Id + 2, kOption1Id + 3,
                                    kCommandId + 1, kCommandId + 2, kCommandId + 3, kCommandId + 8,
                                    kCommandId + 7, kCommandId + 6, kCommandId + 5, kCommandId + 4,
                                    kGridId,        kSliderId + 1,  kSliderId + 2,  kSliderId + 3,
                                    kSliderId + 4,  kSliderId + 5,  kCommandId + 9, kPauseKeyId,
                                    kCheck1Id,      kListKeyId,     kOption1Id};
    std::vector<int> order;
    HWND at = control(kOption1Id);
    for (size_t i = 0; i < expected.size(); ++i) {
        order.push_back(::GetDlgCtrlID(at));
        at = ::GetNextDlgTabItem(window->hwnd(), at, FALSE);
    }
    EXPECT_EQ(order, expected);
    EXPECT_EQ(::GetFocus(), control(kOption1Id));

    // The program's own message loop knows nothing of the window, yet Tab moves the focus.
    ::PostMessageW(control(kOption1Id), WM_KEYDOWN, VK_TAB, 0);
    ::PostMessageW(control(kOption1Id), WM_KEYUP, VK_TAB, 0);
    EXPECT_TRUE(pumpUntil([&] { return ::GetFocus() == control(kOption1Id + 1); },
                          std::chrono::milliseconds(2000)));
}

TEST_F(SettingsWindowTest, ShowsTheListFilesItemsAndSettingsAndSwitchesGroups) {
    setItem(2, 0, "Editor", "C:\\editor.exe");
    setItem(2, 3, "名前だけ", "");
    setItem(1, 0, "", "C:\\only\\a\\path");
    state.settings = Settings{900, 15, 30, -3, 100};
    open();

    EXPECT_TRUE(::IsWindowVisible(grid(0)));
    for (int k = 1; k < 4; ++k) {
        EXPECT_FALSE(::IsWindowVisible(grid(k))) << k;
    }
    EXPECT_EQ(cell(grid(0), 1, 1), L"C:\\only\\a\\path");
    EXPECT_EQ(cell(grid(1), 1, 0), L"Editor");
    EXPECT_EQ(cell(grid(1), 2, 0), L"");
    EXPECT_EQ(cell(grid(1), 4, 0), L"名前だけ");
    EXPECT_EQ(cell(grid(1), 4, 1), L"");
    const int positions[] = {500, 15, 30, 0, 100};
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(::SendMessageW(control(kSliderId + 1 + s), TBM_GETPOS, 0, 0), positions[s]);
        EXPECT_EQ(textOf(control(kValueLabelId + 1 + s)), std::to_wstring(positions[s]));
    }

    ListView_SetItemState(grid(0), 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(window->form().workingCopy().grid(0).currentRow(), 3);
    click(kOption1Id + 1);
    EXPECT_TRUE(::IsWindowVisible(grid(1)));
    EXPECT_FALSE(::IsWindowVisible(grid(0)));
    EXPECT_EQ(selectedRow(grid(1)), 1);
    click(kOption1Id);
    EXPECT_TRUE(::IsWindowVisible(grid(0)));
    EXPECT_EQ(selectedRow(grid(0)), 3);
    EXPECT_EQ(state.settings, (Settings{900, 15, 30, -3, 100}));
}

TEST_F(SettingsWindowTest, PreviewShowsTheIconOfTheSelectedExistingPath) {
    setItem(1, 0, "program", notepad());
    setItem(1, 1, "missing", "C:\\no\\such\\file.exe");
    open();
    EXPECT_TRUE(hasNonWhitePixel(window->preview().dc()));

    ListView_SetItemState(grid(0), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_FALSE(hasNonWhitePixel(window->preview().dc()));
    // A click beside the rows takes the selection away; the grid keeps its current row.
    ListView_SetItemState(grid(0), -1, 0, LVIS_SELECTED);
    ASSERT_TRUE(pumpUntil([&] { return selectedRow(grid(0)) == 2; }));
    EXPECT_EQ(window->form().workingCopy().grid(0).currentRow(), 2);
}

TEST_F(SettingsWindowTest, DroppedFilesFillFreeRowsAndAFullGridIsReportedAfterTheDrop) {
    for (int slot = 0; slot < 9; ++slot) {
        setItem(3, slot, "x", "C:\\x" + std::to_string(slot));
    }
    open();
    click(kOption1Id + 2);
    RECT area{};
    ::GetWindowRect(grid(2), &area);
    ::SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);

    e2e::dragFiles({L"C:\\tools\\app.exe", L"C:\\tools\\other.exe"});
    EXPECT_TRUE(messages.shown.empty()); // never inside the drop
    ASSERT_TRUE(pumpUntil([&] { return !messages.shown.empty(); }));
    EXPECT_EQ(messages.shown,
              (std::vector<FakeMessageBoxes::Shown>{{false, "これ以上追加できません。"}}));
    EXPECT_EQ(cell(grid(2), 10, 0), L"app.exe");
    EXPECT_EQ(cell(grid(2), 10, 1), L"C:\\tools\\app.exe");
    EXPECT_EQ(selectedRow(grid(2)), 1);

    // Text is not a file list.
    messages.shown.clear();
    e2e::dragText(L"C:\\tools\\text.exe");
    pumpUntil([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsWindowTest, DarkWhileWindowsAppsAreDarkAndLightAgainOnTheSwitch) {
    using testing::pixelOf, testing::showsLightText;
    const testing::AppsTheme theme;
    const Palette dark = choosePalette(false, {}, true);
    open();
    HWND hotKey = control(kPauseKeyId);
    RECT field{};
    ::GetClientRect(hotKey, &field);
    RECT row{}; // selected, in a grid without the focus
    ListView_GetItemRect(grid(0), 0, &row, LVIR_BOUNDS);
    EXPECT_EQ(pixelOf(window->hwnd(), 2, 2), dark.labels.back);
    EXPECT_EQ(pixelOf(control(kOption1Id + 1), 4, 4), dark.buttons.back);
    EXPECT_EQ(pixelOf(grid(0), row.left + 40, row.top + 4), dark.buttons.back);
    for (const int id : {kPauseKeyId, kListKeyId}) {
        EXPECT_EQ(pixelOf(control(id), field.right - 3, field.bottom - 3), dark.fields.back) << id;
        EXPECT_TRUE(showsLightText(control(id), dark.fields.back)) << id;
    }
    EXPECT_TRUE(showsLightText(control(kCheck1Id), dark.labels.back));
    EXPECT_TRUE(showsLightText(ListView_GetHeader(grid(0)), dark.fields.back));

    theme.set(false, window->hwnd()); // light again without reopening
    EXPECT_EQ(pixelOf(window->hwnd(), 2, 2), 0x00C0FFFF);
    EXPECT_EQ(pixelOf(hotKey, field.right - 3, field.bottom - 3), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(SettingsWindowTest, SliderMovesShowInTheirLabelOnlyAndCloseIsCancel) {
    setItem(1, 0, "a", "C:\\a.exe");
    open();
    HWND slider = control(kSliderId + 2);
    ::SetFocus(slider);
    ::SendMessageW(slider, WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageW(slider, WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ(textOf(control(kValueLabelId + 2)), L"11");
    EXPECT_EQ(state.settings, kDefaultSettings);

    ::SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window->hwnd(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"ICLOAD", "global keys on"}));
    EXPECT_FALSE(state.blnSettingsOpen);
    EXPECT_EQ(state.settings, kDefaultSettings);
    EXPECT_EQ(rawRead(listFile()), kListBefore);
}

TEST_F(SettingsWindowTest, CommandsEditTheVisibleGrid) {
    setItem(1, 0, "a", "C:\\a.exe");
    setItem(1, 1, "b", "C:\\b.exe");
    setItem(1, 2, "c", "C:\\c.exe");
    open();
    ListView_SetItemState(grid(0), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    command(4); // move up
    EXPECT_EQ(cell(grid(0), 1, 0), L"b");
    EXPECT_EQ(selectedRow(grid(0)), 1);
    command(5); // move down
    EXPECT_EQ(cell(grid(0), 2, 0), L"b");
    EXPECT_EQ(selectedRow(grid(0)), 2);

    messages.answers = {true};
    command(7); // delete b
    EXPECT_EQ(messages.shown.back(), (FakeMessageBoxes::Shown{true, "bを削除しますか？"}));
    EXPECT_EQ(cell(grid(0), 2, 0), L"c");
    EXPECT_EQ(cell(grid(0), 3, 0), L"");

    dialogAnswer = ItemFields{"新しい項目", "C:\\new.exe"};
    command(8); // add: row 3 is the first without a path
    EXPECT_EQ(dialogOwner, window->hwnd());
    EXPECT_EQ(dialogFields, (ItemFields{"", ""}));
    EXPECT_EQ(selectedRow(grid(0)), 3);
    EXPECT_EQ(cell(grid(0), 3, 0), L"新しい項目");

    dialogAnswer = ItemFields{"edited", "C:\\edited.exe"};
    command(6); // edit row 3
    EXPECT_EQ(dialogFields, (ItemFields{"新しい項目", "C:\\new.exe"}));
    EXPECT_EQ(cell(grid(0), 3, 1), L"C:\\edited.exe");

    command(9);
    EXPECT_EQ(aboutOwner, window->hwnd());
    EXPECT_EQ(state.items.name(1, 1), "b");
    EXPECT_TRUE(log.empty());
}

TEST_F(SettingsWindowTest, TwoQuickClicksOnMoveDownMoveTheItemTwoRows) {
    for (const int slot : {0, 1, 2}) {
        setItem(1, slot, std::string(1, 'a' + slot), "C:\\x.exe");
    }
    open();
    testing::doubleClick(control(kCommandId + 5));
    EXPECT_TRUE(
        pumpUntil([&] { return selectedRow(grid(0)) == 3 && cell(grid(0), 3, 0) == L"a"; }));
}

TEST_F(SettingsWindowTest, OkSavesTheListOrKeepsEverythingWhenTheFileIsHeld) {
    setItem(4, 9, "最後", "C:\\last.exe");
    open();
    ::SendMessageW(control(kSliderId + 1), TBM_SETPOS, TRUE, 250);
    ::SendMessageW(window->hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 250),
                   reinterpret_cast<LPARAM>(control(kSliderId + 1)));
    EXPECT_EQ(textOf(control(kValueLabelId + 1)), L"250");
    {
        UniqueFile held(::CreateFileW(listFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        command(1);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.shown[0].text.find("保存できませんでした"), std::string::npos);
        EXPECT_NE(window->hwnd(), nullptr);
        EXPECT_TRUE(log.empty());
        EXPECT_EQ(state.settings, kDefaultSettings);
    }
    EXPECT_EQ(rawRead(listFile()), kListBefore);
    EXPECT_EQ(textOf(control(kValueLabelId + 1)), L"250");

    // The key the control holds is taken with OK: a taken one is said to be so at once.
    const HotKey altShiftF9{VK_F9, false, true, true};
    host.takenKeys = {altShiftF9};
    ::SendMessageW(control(kPauseKeyId), HKM_SETHOTKEY,
                   MAKEWORD(VK_F9, HOTKEYF_ALT | HOTKEYF_SHIFT), 0);
    ::SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(kPauseKeyId, EN_CHANGE),
                   reinterpret_cast<LPARAM>(control(kPauseKeyId)));
    EXPECT_TRUE(::IsWindowVisible(control(kPauseKeyNoteId)));
    EXPECT_EQ(textOf(control(kPauseKeyNoteId)), L"登録できません");
    command(1);
    EXPECT_EQ(window->hwnd(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"timer 250", "ICLOAD", "global keys on"}));
    EXPECT_EQ(state.options.pauseKey, altShiftF9);
    EXPECT_EQ(rawRead(optionsFile()), "[Keys]\r\nPause=Shift+Alt+F9\r\n");
    EXPECT_FALSE(state.blnSettingsOpen);
    EXPECT_EQ(state.settings.intTimerInterval, 250);
    const std::string saved = rawRead(listFile());
    EXPECT_EQ(saved.substr(0, 7), " 250 \r\n");
    EXPECT_NE(saved.find("\x8d\xc5\x8c\xe3\r\nC:\\last.exe\r\n"), std::string::npos); // 最後
    EXPECT_EQ(saved.size(), 31u + 78u * 2u + 6u + 13u);
}

} // namespace
} // namespace miruteka::win32
