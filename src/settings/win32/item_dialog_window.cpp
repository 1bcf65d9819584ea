#include "settings/win32/item_dialog_window.h"

#include "platform/geometry.h"
#include "platform/texts.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_message_boxes.h"
#include "toolkit/win32/dark_mode.h"
#include "toolkit/win32/display_scale.h"
#include "toolkit/win32/graphical_button.h"
#include "toolkit/win32/modal_window.h"
#include "toolkit/win32/ui_font.h"

#include <commdlg.h>

#include <vector>

namespace miruteka::win32 {
namespace {

constexpr wchar_t kDialogClassName[] = L"MirutekaItemDialog";
constexpr DWORD kDialogStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = 0;

constexpr int kDialogClientWidth = 4620;
constexpr int kDialogClientHeight = 3810;

struct Control {
    int id;
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height; // twips
};

// In tab order: browse, cancel, OK, path, name, then the labels.
constexpr Control kControls[] = {
    {kItemBrowseId, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, 3300, 1800, 1035, 435},
    {kItemCancelId, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, 1440, 3060, 1035, 435},
    {kItemOkId, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, 180, 3060, 1035, 435},
    {kItemPathId, L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 120, 1320, 4215,
     315},
    {kItemNameId, L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 120, 480, 4215,
     315},
    {kItemPathLabelId, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, 120, 960, 1215, 255},
    {kItemNameLabelId, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, 120, 120, 1215, 255},
};

const char* captionOf(int id) {
    switch (id) {
    case kItemBrowseId:
        return text(TextId::BrowseButton);
    case kItemCancelId:
        return text(TextId::CancelButton);
    case kItemOkId:
        return text(TextId::OkButton);
    case kItemPathLabelId:
        return text(TextId::ItemPathLabel);
    case kItemNameLabelId:
        return text(TextId::ItemNameLabel);
    default:
        return "";
    }
}

std::string windowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied));
    return toUtf8(text);
}

} // namespace

ItemDialogWindow::ItemDialogWindow(ItemProbes& probes, ItemDialogHost& host)
    : probes_(probes), confirmation_(probes, messages_, host) {}

bool ItemDialogWindow::create(HWND owner, const ItemFields& fields) {
    const RECT screen = screenOf(owner);
    dpi_ = dpiAt(POINT{(screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2});
    createFonts();

    const SIZE size =
        outerSizeAtDpi(kDialogStyle, kDialogExStyle, twipsToPixels(kDialogClientWidth, dpi_),
                       twipsToPixels(kDialogClientHeight, dpi_), dpi_);
    const POINT corner = centredOver(screen, size);
    if (WindowBase::create(kDialogClassName, WNDCLASSEXW{}, kDialogExStyle,
                           toWide(text(TextId::ItemDialogCaption)).c_str(), kDialogStyle, corner.x,
                           corner.y, size.cx, size.cy, owner) == nullptr) {
        return false;
    }
    createControls(fields);
    if (palette_.get().dark) {
        palette_.darkenTitleBar(hwnd());
        applyPalette();
    }
    if (const int dpi = dpiOfWindow(hwnd()); dpi != dpi_) {
        applyDpi(dpi);
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    focus_.restore();
    return true;
}

void ItemDialogWindow::createControls(const ItemFields& fields) {
    for (const Control& control : kControls) {
        std::wstring text = toWide(captionOf(control.id));
        if (control.id == kItemNameId) {
            text = toWide(fields.name);
        } else if (control.id == kItemPathId) {
            text = toWide(fields.path);
        }
        ::CreateWindowExW(control.exStyle, control.className, text.c_str(),
                          WS_CHILD | WS_VISIBLE | control.style, 0, 0, 0, 0, hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                          ::GetModuleHandleW(nullptr), nullptr);
    }
    placeControls();
    focus_.remember(::GetDlgItem(hwnd(), kItemBrowseId));
}

void ItemDialogWindow::createFonts() {
    labelFont_ = createLayoutFont(11.25, {}, dpi_);
    defaultFont_ = createMessageFont(dpi_);
}

// Every control from its twips at the dialog's DPI, with the font made for that DPI.
void ItemDialogWindow::placeControls() {
    for (const Control& control : kControls) {
        HWND window = ::GetDlgItem(hwnd(), control.id);
        ::SetWindowPos(window, nullptr, twipsToPixels(control.left, dpi_),
                       twipsToPixels(control.top, dpi_), twipsToPixels(control.width, dpi_),
                       twipsToPixels(control.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
        const bool label = control.id == kItemNameLabelId || control.id == kItemPathLabelId;
        setWindowFont(window, label ? labelFont_ : defaultFont_);
    }
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void ItemDialogWindow::applyDpi(int dpi, const RECT* suggested) {
    // The fonts in use live on until every control has its new one.
    const UniqueGdiObject previousLabel = std::move(labelFont_);
    const UniqueGdiObject previousDefault = std::move(defaultFont_);
    dpi_ = dpi;
    createFonts();
    sizeForDpi(hwnd(), suggested, kDialogClientWidth, kDialogClientHeight, dpi);
    placeControls();
}

// Push buttons ignore colours under visual styles: while dark they draw themselves.
void ItemDialogWindow::applyPalette() {
    for (const int id : {kItemBrowseId, kItemCancelId, kItemOkId}) {
        ::SendMessageW(::GetDlgItem(hwnd(), id), BM_SETSTYLE,
                       palette_.get().dark ? BS_OWNERDRAW : BS_PUSHBUTTON, TRUE);
    }
}

ItemFields ItemDialogWindow::fields() const {
    return {windowText(::GetDlgItem(hwnd(), kItemNameId)),
            windowText(::GetDlgItem(hwnd(), kItemPathId))};
}

void ItemDialogWindow::onOk() {
    messages_.setOwner(hwnd());
    confirmation_.confirm(fields(), [this] { endModal(hwnd()); });
    // A local path answers at once, and the dialog closes or shows its error as if it had
    // looked itself; a slow one answers later while the dialog goes on painting.
    probes_.waitForAnswers([this] { return !confirmation_.checking(); }, kQuickAnswerWait);
}

void ItemDialogWindow::onBrowse() {
    confirmation_.edited(); // whatever is chosen, the check out is for the texts before
    const auto chosen = chooseFileToOpen(hwnd());
    if (!chosen) {
        return;
    }
    const ItemFields browsed = fieldsForChosenFile(*chosen);
    ::SetDlgItemTextW(hwnd(), kItemNameId, toWide(browsed.name).c_str());
    ::SetDlgItemTextW(hwnd(), kItemPathId, toWide(browsed.path).c_str());
}

LRESULT ItemDialogWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client,
                   palette_.brush(palette_.get().labels.back));
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        return palette_.colourControl(wParam, palette_.get().labels);
    case WM_CTLCOLOREDIT:
        if (palette_.get().dark) {
            return palette_.colourControl(wParam, palette_.get().fields);
        }
        break;
    case WM_DRAWITEM: {
        const ColourPair& buttons = palette_.get().plainButtons;
        drawGraphicalButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), buttons.back,
                            buttons.text);
        return TRUE;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        if (palette_.onSystemChange(hwnd(), message, wParam, lParam)) {
            applyPalette();
        }
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE) {
            confirmation_.edited();
        } else if (HIWORD(wParam) == BN_CLICKED) {
            switch (LOWORD(wParam)) {
            case kItemOkId:
                onOk();
                break;
            case kItemCancelId:
                endModal(hwnd());
                break;
            case kItemBrowseId:
                onBrowse();
                break;
            default:
                // IDOK and IDCANCEL from Enter and Esc: the dialog has no default or cancel
                // button, so they do nothing.
                break;
            }
        }
        return 0;
    case WM_ACTIVATE:
        focus_.onActivate(hwnd(), wParam);
        return 0;
    case WM_DPICHANGED:
        applyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        // The close box and Alt+F4 close the dialog like cancel: nothing is written.
        endModal(hwnd());
        return 0;
    default:
        break;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

void showItemDialog(HWND owner, const ItemFields& fields, ItemProbes& probes,
                    ItemDialogHost& host) {
    ItemDialogWindow dialog(probes, host);
    if (dialog.create(owner, fields)) {
        runModalLoop(dialog.hwnd());
    }
}

std::optional<std::string> chooseFileToOpen(HWND owner) {
    // One filter: display text, pattern, and the list's closing empty string.
    std::wstring filter = toWide(text(TextId::AllFilesFilter));
    filter.push_back(L'\0');
    filter += L"*.*";
    filter.push_back(L'\0');
    filter.push_back(L'\0');

    std::vector<wchar_t> file(32768, L'\0'); // long paths included
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    // Without OFN_NOCHANGEDIR a browse would move the program's current folder, which every
    // item started afterwards inherits.
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    // The file dialog is loaded when first asked for; without it the browse ends as on cancel.
    static auto* const getOpenFileName =
        systemFunction<decltype(::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (getOpenFileName == nullptr || !getOpenFileName(&dialog)) {
        return std::nullopt;
    }
    return toUtf8(file.data());
}

} // namespace miruteka::win32
