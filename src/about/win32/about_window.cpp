#include "about/win32/about_window.h"

#include "data/program_place.h"
#include "platform/geometry.h"
#include "platform/texts.h"
#include "platform/win32/shell_folder.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_browser.h"
#include "platform/win32/win32_program_place.h"
#include "resource_ids.h"
#include "toolkit/win32/display_scale.h"
#include "toolkit/win32/graphical_button.h"
#include "toolkit/win32/modal_window.h"
#include "toolkit/win32/ui_font.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace miruteka::win32 {
namespace {

constexpr wchar_t kClassName[] = L"MirutekaAbout";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;

constexpr int kClientWidth = 4425;
constexpr int kClientHeight = 3300;
constexpr TwipsRect kIcon{180, 180, 480, 480};
constexpr TwipsRect kTitle{840, 300, 3285, 225};
constexpr TwipsRect kFrame{180, 1020, 4095, 1215};
// Inside the frame:
constexpr TwipsRect kAuthorCaption{180, 240, 1305, 165};
constexpr TwipsRect kAuthor{1560, 240, 1545, 165};
constexpr TwipsRect kHomepageCaption{180, 540, 1305, 165};
constexpr TwipsRect kHomepage{1560, 540, 1125, 225};
constexpr TwipsRect kMailCaption{180, 840, 1305, 165};
constexpr TwipsRect kMail{1560, 840, 885, 225};
constexpr TwipsRect kHelpButton{2880, 2400, 1395, 315};
constexpr TwipsRect kCloseButton{2880, 2820, 1395, 315};
// In the free corner left of the buttons, level with help.
constexpr TwipsRect kListFolder{180, 2445, 2520, 225};

// The frame's etched border is two pixels wide.
constexpr int kFrameBorder = 2;

bool isLink(int id) {
    return id == kAboutHomepageId || id == kAboutMailId || id == kAboutListFolderId;
}

// The width of the text in the font, and the height of one line of it.
SIZE textSize(HGDIOBJ font, const std::wstring& text) {
    WindowDc dc(nullptr);
    SelectObjectScope selected(dc.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    size.cy = std::max<LONG>(size.cy, metrics.tmHeight);
    return size;
}

HWND createLabel(HWND parent, int id, const std::wstring& text, DWORD align, const RECT& bounds) {
    const DWORD style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX | align | (isLink(id) ? SS_NOTIFY : 0);
    return ::CreateWindowExW(0, L"STATIC", text.c_str(), style, bounds.left, bounds.top,
                             bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
}

} // namespace

struct AboutWindow::FrameText {
    int id;
    std::wstring text;
    TwipsRect layout;
    bool caption;
};

AboutWindow::AboutWindow(BrowserFactory& browsers, std::string programFolder,
                         MakerAddresses addresses)
    : actions_(browsers, std::move(programFolder), std::move(addresses)) {}

void AboutWindow::offerListFolder(std::string listFile,
                                  std::function<void(const std::string& listFile)> show) {
    listFile_ = std::move(listFile);
    showListFile_ = std::move(show);
}

bool AboutWindow::create(HWND owner) {
    RECT over{};
    if (owner == nullptr || !::GetWindowRect(owner, &over)) {
        over = screenOf(owner);
    }

    // Created at the centre of its opener, so it is laid out for the monitor it opens on.
    WNDCLASSEXW windowClass{};
    windowClass.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MIRUTEKA));
    if (WindowBase::create(
            kClassName, windowClass, kExStyle, toWide(text(TextId::AboutCaption)).c_str(), kStyle,
            (over.left + over.right) / 2, (over.top + over.bottom) / 2, 0, 0, owner) == nullptr) {
        return false;
    }
    dpi_ = dpiOfWindow(hwnd());
    palette_.darkenTitleBar(hwnd());

    // Tab order is creation order: close first, so it holds the focus when the window opens.
    const struct {
        int id;
        TextId caption;
    } buttons[] = {{kAboutCloseId, TextId::CloseButton}, {kAboutHelpId, TextId::HelpButton}};
    for (const auto& button : buttons) {
        createGraphicalButton(hwnd(), button.id, toWide(text(button.caption)).c_str(), 0, 0, 0, 0);
    }
    focus_.remember(::GetDlgItem(hwnd(), kAboutCloseId));
    createLabel(hwnd(), kAboutTitleId, toWide(aboutTitle()), SS_LEFT, RECT{});
    for (const FrameText& label : frameTexts()) {
        createLabel(hwnd(), label.id, label.text, label.caption ? SS_RIGHT : SS_LEFT, RECT{});
    }
    if (!listFile_.empty()) {
        createLabel(hwnd(), kAboutListFolderId, toWide(text(TextId::ListFolderLink)), SS_LEFT,
                    RECT{});
    }
    // Without an address the mail link is greyed and takes no clicks.
    ::EnableWindow(::GetDlgItem(hwnd(), kAboutMailId), actions_.hasMailAddress());
    const SIZE size = layOut();
    const POINT corner = centredOver(over, size);
    ::SetWindowPos(hwnd(), nullptr, corner.x, corner.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    ::ShowWindow(hwnd(), SW_SHOW);
    focus_.restore();
    return true;
}

std::vector<AboutWindow::FrameText> AboutWindow::frameTexts() const {
    return {
        {kAboutAuthorLabelId, toWide(text(TextId::AuthorLabel)), kAuthorCaption, true},
        {kAboutAuthorId, toWide(author()), kAuthor, false},
        {kAboutHomepageLabelId, toWide(text(TextId::HomepageLabel)), kHomepageCaption, true},
        {kAboutHomepageId, toWide(actions_.homepageText()), kHomepage, false},
        {kAboutMailLabelId, toWide(text(TextId::MailLabel)), kMailCaption, true},
        {kAboutMailId, toWide(actions_.mailText()), kMail, false},
    };
}

// Fonts, icon, window size and every control from the twips at the window's DPI; returns
// the window's outer size.
SIZE AboutWindow::layOut() {
    // The fonts in use live on until every control has its new one.
    const UniqueGdiObject previous[] = {std::move(defaultFont_), std::move(titleFont_),
                                        std::move(linkFont_)};
    defaultFont_ = createMessageFont(dpi_);
    titleFont_ = createLayoutFont(11.25, {.bold = true}, dpi_);
    linkFont_ = createLayoutFont(9, {.underline = true}, dpi_);
    const int iconSize = twipsToPixels(kIcon.width, dpi_);
    icon_.reset(
        static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MIRUTEKA),
                                        IMAGE_ICON, iconSize, iconSize, LR_DEFAULTCOLOR)));

    // The frame's labels show their whole texts; if the values need more room than the
    // layout gives, the frame, the window and the buttons beside the frame's edge widen.
    const std::vector<FrameText> texts = frameTexts();
    std::vector<FrameLabel> fitted;
    std::vector<LONG> heights;
    for (const FrameText& label : texts) {
        const UniqueGdiObject& font = isLink(label.id) ? linkFont_ : defaultFont_;
        const SIZE needed = textSize(font.get(), label.text);
        const RECT bounds = label.layout.pixels(dpi_);
        fitted.push_back({bounds.left, bounds.right - bounds.left, needed.cx, label.caption});
        heights.push_back(std::max(bounds.bottom - bounds.top, needed.cy));
    }
    const RECT layoutFrame = kFrame.pixels(dpi_);
    const int growth = fitFrameLabels(fitted, layoutFrame.right - layoutFrame.left, kFrameBorder);
    frame_ = layoutFrame;
    frame_.right += growth;

    resizeClientArea(hwnd(), twipsToPixels(kClientWidth, dpi_) + growth,
                     twipsToPixels(kClientHeight, dpi_));

    auto place = [this](int id, const RECT& bounds, const UniqueGdiObject& font) {
        HWND control = ::GetDlgItem(hwnd(), id);
        ::SetWindowPos(control, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                       bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
        setWindowFont(control, font);
    };
    place(kAboutCloseId, kCloseButton.pixels(dpi_, {growth, 0}), defaultFont_);
    place(kAboutHelpId, kHelpButton.pixels(dpi_, {growth, 0}), defaultFont_);
    // The title, like the frame's labels, is at least one line of its font high.
    RECT title = kTitle.pixels(dpi_);
    title.bottom =
        std::max(title.bottom, title.top + textSize(titleFont_.get(), toWide(aboutTitle())).cy);
    place(kAboutTitleId, title, titleFont_);
    if (::GetDlgItem(hwnd(), kAboutListFolderId) != nullptr) {
        RECT bounds = kListFolder.pixels(dpi_);
        bounds.bottom = std::max(
            bounds.bottom,
            bounds.top + textSize(linkFont_.get(), toWide(text(TextId::ListFolderLink))).cy);
        place(kAboutListFolderId, bounds, linkFont_);
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        const LONG left = frame_.left + fitted[i].left;
        const LONG top = frame_.top + twipsToPixels(texts[i].layout.top, dpi_);
        place(texts[i].id, RECT{left, top, left + fitted[i].width, top + heights[i]},
              isLink(texts[i].id) ? linkFont_ : defaultFont_);
    }
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    RECT outer{};
    ::GetWindowRect(hwnd(), &outer);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

void AboutWindow::applyDpi(int dpi, const RECT* suggested) {
    dpi_ = dpi;
    layOut();
    if (suggested != nullptr) {
        moveToSuggestedRect(hwnd(), *suggested);
    }
}

void AboutWindow::paint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(hwnd(), &paint);
    if (icon_) {
        const RECT icon = kIcon.pixels(dpi_);
        ::DrawIconEx(dc, icon.left, icon.top, icon_.get(), icon.right - icon.left,
                     icon.bottom - icon.top, 0, nullptr, DI_NORMAL);
    }
    RECT frame = frame_;
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    ::EndPaint(hwnd(), &paint);
}

void AboutWindow::onCommand(int id, int code) {
    switch (id) {
    case kAboutCloseId:
        if (isButtonClick(code)) {
            endModal(hwnd());
        }
        break;
    case kAboutHelpId:
        if (isButtonClick(code)) {
            actions_.openHelp();
        }
        break;
    case kAboutHomepageId:
        if (code == STN_CLICKED) {
            actions_.openHomepage();
        }
        break;
    case kAboutMailId:
        if (code == STN_CLICKED) {
            actions_.openMail();
        }
        break;
    case kAboutListFolderId:
        if (code == STN_CLICKED && showListFile_) {
            showListFile_(listFile_);
        }
        break;
    default:
        // IDOK and IDCANCEL from Enter and Esc: neither button is the default or the cancel.
        break;
    }
}

LRESULT AboutWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client,
                   palette_.brush(palette_.get().aboutText.back));
        return 1;
    }
    case WM_PAINT:
        paint();
        return 0;
    case WM_CTLCOLORSTATIC: {
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return palette_.colourControl(wParam, isLink(id) ? palette_.get().aboutLinks
                                                         : palette_.get().aboutText);
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        palette_.onSystemChange(hwnd(), message, wParam, lParam);
        return 0;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_BUTTON) {
            const ColourPair& buttons = palette_.get().buttons;
            drawGraphicalButton(*item, buttons.back, buttons.text);
            return TRUE;
        }
        break;
    }
    case WM_SETCURSOR:
        if (isLink(::GetDlgCtrlID(reinterpret_cast<HWND>(wParam)))) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        focus_.onActivate(hwnd(), wParam);
        return 0;
    case WM_DPICHANGED:
        applyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        endModal(hwnd());
        return 0;
    default:
        break;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

void showAboutWindow(HWND owner, BrowserFactory& browsers, const std::string& programFolder) {
    AboutWindow window(browsers, programFolder);
    if (window.create(owner)) {
        runModalLoop(window.hwnd());
    }
}

void showAboutWindow(HWND owner, const std::string& listFile) {
    Win32BrowserFactory browsers;
    // The help pages lie beside the exe itself, not beside a link to it.
    AboutWindow window(browsers, folderOfPath(realProgramFile(Win32ProgramPlaceQueries())));
    window.offerListFolder(listFile, showFileInFolder);
    if (window.create(owner)) {
        runModalLoop(window.hwnd());
    }
}

} // namespace miruteka::win32
