#include "about/win32/about_window.h"

#include "platform/geometry.h"
#include "platform/win32/graphical_button.h"
#include "platform/win32/modal_window.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/ui_font.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_browser.h"
#include "resource_ids.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace miruteka::win32 {
namespace {

constexpr wchar_t kClassName[] = L"MirutekaAbout";
constexpr COLORREF kLightYellow = RGB(255, 255, 192); // 0x00C0FFFF
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);        // 0x00FF0000
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;

// Layout in twips: left, top, width, height.
struct Twips {
    int left, top, width, height;
    RECT pixels(POINT origin = {0, 0}) const {
        const LONG x = origin.x + twipsToPixels(left);
        const LONG y = origin.y + twipsToPixels(top);
        return {x, y, x + twipsToPixels(width), y + twipsToPixels(height)};
    }
};

constexpr int kClientWidth = 4425;
constexpr int kClientHeight = 3300;
constexpr Twips kIcon{180, 180, 480, 480};
constexpr Twips kTitle{840, 300, 3285, 225};
constexpr Twips kFrame{180, 1020, 4095, 1215};
// Inside the frame:
constexpr Twips kAuthorCaption{180, 240, 1305, 165};
constexpr Twips kAuthor{1560, 240, 1545, 165};
constexpr Twips kHomepageCaption{180, 540, 1305, 165};
constexpr Twips kHomepage{1560, 540, 1125, 225};
constexpr Twips kMailCaption{180, 840, 1305, 165};
constexpr Twips kMail{1560, 840, 885, 225};
constexpr Twips kHelpButton{2880, 2400, 1395, 315};
constexpr Twips kCloseButton{2880, 2820, 1395, 315};

// The frame's etched border is two pixels wide.
constexpr int kFrameBorder = 2;

bool isLink(int id) {
    return id == kAboutHomepageId || id == kAboutMailId;
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

AboutWindow::AboutWindow(BrowserFactory& browsers, std::string programFolder)
    : actions_(browsers, std::move(programFolder)) {}

bool AboutWindow::create(HWND owner) {
    backBrush_.reset(::CreateSolidBrush(kLightYellow));
    defaultFont_ = createMessageFont();
    titleFont_ = createFont(kPGothicFace, 11.25, {.bold = true});
    linkFont_ = createFont(kPGothicFace, 9, {.underline = true});
    icon_.reset(
        static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MIRUTEKA),
                                        IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));

    // The frame's labels show their whole texts; if the values need more room than the
    // layout gives, the frame, the window and the buttons beside the frame's edge widen.
    struct FrameText {
        int id;
        std::wstring text;
        Twips layout;
        bool caption;
    };
    const FrameText texts[] = {
        {kAboutAuthorLabelId, toWide(kAboutAuthorLabel), kAuthorCaption, true},
        {kAboutAuthorId, toWide(author()), kAuthor, false},
        {kAboutHomepageLabelId, toWide(kAboutHomepageLabel), kHomepageCaption, true},
        {kAboutHomepageId, toWide(homepageAddress()), kHomepage, false},
        {kAboutMailLabelId, toWide(kAboutMailLabel), kMailCaption, true},
        {kAboutMailId, toWide(mailAddress()), kMail, false},
    };
    std::vector<FrameLabel> fitted;
    std::vector<LONG> heights;
    for (const FrameText& label : texts) {
        const UniqueGdiObject& font = isLink(label.id) ? linkFont_ : defaultFont_;
        const SIZE needed = textSize(font.get(), label.text);
        const RECT bounds = label.layout.pixels();
        fitted.push_back({bounds.left, bounds.right - bounds.left, needed.cx, label.caption});
        heights.push_back(std::max(bounds.bottom - bounds.top, needed.cy));
    }
    const RECT layoutFrame = kFrame.pixels();
    const int growth = fitFrameLabels(fitted, layoutFrame.right - layoutFrame.left, kFrameBorder);
    frame_ = layoutFrame;
    frame_.right += growth;

    const SIZE size = outerSizeForClient(kStyle, kExStyle, twipsToPixels(kClientWidth) + growth,
                                         twipsToPixels(kClientHeight));
    RECT over{};
    if (owner == nullptr || !::GetWindowRect(owner, &over)) {
        over = screenOf(owner);
    }
    const POINT corner = centredOver(over, size);
    WNDCLASSEXW windowClass{};
    windowClass.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MIRUTEKA));
    if (WindowBase::create(kClassName, windowClass, kExStyle, toWide(kAboutCaption).c_str(), kStyle,
                           corner.x, corner.y, size.cx, size.cy, owner) == nullptr) {
        return false;
    }

    // Tab order is creation order: close first, so it holds the focus when the window opens.
    const struct {
        int id;
        const char* caption;
        Twips layout;
    } buttons[] = {{kAboutCloseId, kAboutCloseButton, kCloseButton},
                   {kAboutHelpId, kAboutHelpButton, kHelpButton}};
    for (const auto& button : buttons) {
        const RECT bounds = button.layout.pixels({growth, 0});
        HWND control = createGraphicalButton(hwnd(), button.id, toWide(button.caption).c_str(),
                                             bounds.left, bounds.top, bounds.right - bounds.left,
                                             bounds.bottom - bounds.top);
        setWindowFont(control, defaultFont_);
    }
    focus_.remember(::GetDlgItem(hwnd(), kAboutCloseId));

    HWND title = createLabel(hwnd(), kAboutTitleId, toWide(aboutTitle()), SS_LEFT, kTitle.pixels());
    setWindowFont(title, titleFont_);
    for (size_t i = 0; i < std::size(texts); ++i) {
        const LONG left = frame_.left + fitted[i].left;
        const LONG top = frame_.top + twipsToPixels(texts[i].layout.top);
        const RECT bounds{left, top, left + fitted[i].width, top + heights[i]};
        HWND label = createLabel(hwnd(), texts[i].id, texts[i].text,
                                 texts[i].caption ? SS_RIGHT : SS_LEFT, bounds);
        setWindowFont(label, isLink(texts[i].id) ? linkFont_ : defaultFont_);
    }

    ::ShowWindow(hwnd(), SW_SHOW);
    focus_.restore();
    return true;
}

void AboutWindow::paint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(hwnd(), &paint);
    if (icon_) {
        const RECT icon = kIcon.pixels();
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
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(backBrush_.get()));
        return 1;
    }
    case WM_PAINT:
        paint();
        return 0;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        ::SetTextColor(dc, isLink(id) ? kLinkBlue : RGB(0, 0, 0));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetBkColor(dc, kLightYellow);
        return reinterpret_cast<LRESULT>(backBrush_.get());
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_BUTTON) {
            drawGraphicalButton(*item, kLightOrange);
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

void showAboutWindow(HWND owner) {
    Win32BrowserFactory browsers;
    showAboutWindow(owner, browsers, programFolder());
}

} // namespace miruteka::win32
