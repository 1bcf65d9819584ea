#include "iconwin/icon_loader.h"
#include "iconwin/win32/icon_window.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_icons.h"
#include "toolkit/palette.h"
#include "win/dark_theme.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <utility>
#include <vector>

namespace miruteka::win32 {
namespace {

class RecordingEvents : public IconWindowEvents {
  public:
    std::vector<std::pair<int, int>> downs; // (group, button)
    int moves = 0;
    void IC_MouseMove(int) override { ++moves; }
    void IC_OLEDragOver(int) override {}
    void IC_MouseDown(int group, int button, int) override { downs.emplace_back(group, button); }
    void IC_OLEDragDrop(int, const std::vector<std::string>&) override {}
};

class IconWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    // Whether any pixel of the picture differs from its background.
    static bool pictureHasDrawing(const Win32Picture& picture) {
        for (int y = 0; y < Win32Picture::kSize; ++y) {
            for (int x = 0; x < Win32Picture::kSize; ++x) {
                if (::GetPixel(picture.dc(), x, y) != kIconPictureBackground) {
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(IconWindowTest, IsABorderlessToolWindowFilledByItsPicture) {
    IconWindow window(3);
    ASSERT_NE(window.hwnd(), nullptr);
    wchar_t name[64];
    ::GetClassNameW(window.hwnd(), name, static_cast<int>(std::size(name)));
    EXPECT_STREQ(name, L"MirutekaForm3");
    const LONG_PTR style = ::GetWindowLongPtrW(window.hwnd(), GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_VISIBLE));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);

    RECT outer{};
    RECT picture{};
    ::GetWindowRect(window.hwnd(), &outer);
    ::GetWindowRect(window.pictureWindow(), &picture);
    EXPECT_EQ(outer.right - outer.left, 32);
    EXPECT_EQ(outer.bottom - outer.top, 32);
    EXPECT_TRUE(::EqualRect(&outer, &picture));
}

TEST_F(IconWindowTest, TooltipHoldsTheTextLastSet) {
    IconWindow window(1);
    EXPECT_EQ(window.tooltip(), L"");
    window.setTooltip(L"メモ帳 (テキスト エディター)");
    EXPECT_EQ(window.tooltipWindow(), nullptr);
    // The control made later starts with the text set before it.
    window.addTooltip();
    EXPECT_EQ(window.tooltip(), L"メモ帳 (テキスト エディター)");
    window.setTooltip(L"");
    EXPECT_EQ(window.tooltip(), L"");
}

TEST_F(IconWindowTest, TooltipIsDarkWhileWindowsAppsAreDarkAndLightAgainOnTheSwitch) {
    const testing::AppsTheme theme;
    IconWindow window(1);
    window.addTooltip();
    auto back = [&] { return ::SendMessageW(window.tooltipWindow(), TTM_GETTIPBKCOLOR, 0, 0); };
    EXPECT_EQ(back(), choosePalette(false, {}, true).tooltips.back);
    theme.set(false, window.hwnd());
    EXPECT_EQ(back(), ::GetSysColor(COLOR_INFOBK));
}

TEST_F(IconWindowTest, PictureKeepsTheIconUntilCleared) {
    IconWindow window(2);
    Win32IconApi icons;
    EXPECT_FALSE(pictureHasDrawing(window.picture()));

    EXPECT_EQ(drawItemIcon(icons, window.picture(), "C:\\windows\\notepad.exe"),
              DrawnIcon::FileIcon);
    EXPECT_TRUE(pictureHasDrawing(window.picture()));
    // Repaints show the picture again; they do not wipe it.
    ::ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
    ::RedrawWindow(window.hwnd(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(pictureHasDrawing(window.picture()));

    window.picture().clear();
    EXPECT_FALSE(pictureHasDrawing(window.picture()));
}

TEST_F(IconWindowTest, DocumentsAndFoldersDrawTheIconTheShellShows) {
    IconWindow window(4);
    Win32IconApi icons;
    EXPECT_EQ(drawItemIcon(icons, window.picture(), "C:\\no\\such\\file.exe"), DrawnIcon::None);
    // Neither has an icon of its own nor, under Wine, an associated one.
    const auto text = std::filesystem::temp_directory_path() / L"icon window test.txt";
    std::ofstream(text) << "text";
    for (const std::string& path : {std::string("C:\\windows"), toUtf8(text.wstring())}) {
        window.picture().clear();
        EXPECT_NE(drawItemIcon(icons, window.picture(), path), DrawnIcon::None) << path;
        std::set<COLORREF> colours; // an icon, not a square of one colour
        for (int i = 0; i < Win32Picture::kSize * Win32Picture::kSize; ++i) {
            colours.insert(::GetPixel(window.picture().dc(), i % Win32Picture::kSize,
                                      i / Win32Picture::kSize));
        }
        EXPECT_GT(colours.size(), 2u) << path;
    }
    std::filesystem::remove(text);
}

TEST_F(IconWindowTest, PictureReportsButtonsAsMasksWithItsGroup) {
    IconWindow window(2);
    RecordingEvents events;
    window.setEvents(&events);
    ::SendMessageW(window.pictureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageW(window.pictureWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(window.pictureWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(window.pictureWindow(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(events.moves, 1);
    EXPECT_EQ(events.downs, (std::vector<std::pair<int, int>>{{2, 1}, {2, 2}, {2, 4}}));

    window.setEvents(nullptr);
    ::SendMessageW(window.pictureWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(events.downs.size(), 3u);
}

} // namespace
} // namespace miruteka::win32
