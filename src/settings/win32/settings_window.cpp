#include "settings/win32/settings_window.h"

#include "about/win32/about_window.h"
#include "platform/geometry.h"
#include "platform/texts.h"
#include "platform/win32/wide_string.h"
#include "settings/win32/item_dialog_window.h"
#include "toolkit/win32/dark_mode.h"
#include "toolkit/win32/display_scale.h"
#include "toolkit/win32/graphical_button.h"
#include "toolkit/win32/modal_window.h"
#include "toolkit/win32/ui_font.h"

#include <commctrl.h>

namespace miruteka::win32 {
namespace {

constexpr const wchar_t* kClassName = L"MirutekaForm6";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr UINT kRunDroppedFiles = WM_APP + 1;
constexpr UINT kRestoreSelection = WM_APP + 2;

constexpr int kClientWidth = 8250;
// Below the OK row one row holds the pause key and the start box, the next the list key.
constexpr int kClientHeight = 7515;
// Frame1 has no border and the window's colour, so only its offset for the option buttons
// shows.
constexpr int kFrameLeft = 60;
constexpr int kFrameTop = 60;
constexpr std::array<int, kGroupCount> kOptionLeft{120, 1500, 2880, 4260};
constexpr TwipsRect kGrid{180, 660, 7935, 2235};
constexpr TwipsRect kPreview{180, 3000, 480, 480};
constexpr int kColumnWidth = 3800;
constexpr int kRowHeight = 300;
constexpr int kLineY = 3660;
constexpr int kLineLeft = -540;
constexpr int kLineRight = 8520;
constexpr std::array<int, kSliderCount> kSliderTop{3900, 4260, 4620, 4980, 5340};
constexpr TwipsRect kPauseKeyLabel{120, 6660, 1455, 255};
constexpr TwipsRect kPauseKey{1680, 6600, 1920, 375};
constexpr TwipsRect kPauseKeyNote{3705, 6660, 1320, 255};
constexpr int kListKeyRowOffset = 450;
// Under Version and Quit, as high as the edit buttons.
constexpr TwipsRect kCheck1{5130, 6600, 2985, 375};

struct Command {
    int number; // CommandN
    TextId caption;
    TwipsRect bounds;
    bool bottomRow; // the OK row uses the large font
};
// In tab order.
constexpr std::array<Command, 9> kCommands{{
    {1, TextId::OkButton, {120, 6000, 1455, 435}, true},
    {2, TextId::CancelButton, {1800, 6000, 1455, 435}, true},
    {3, TextId::QuitButton, {6600, 6000, 1455, 435}, true},
    {8, TextId::AddButton, {2220, 3060, 1335, 375}, false},
    {7, TextId::DeleteButton, {6780, 3060, 1335, 375}, false},
    {6, TextId::EditButton, {780, 3060, 1335, 375}, false},
    {5, TextId::MoveDownButton, {5100, 3060, 1335, 375}, false},
    {4, TextId::MoveUpButton, {3660, 3060, 1335, 375}, false},
    {9, TextId::AboutButton, {4920, 6000, 1455, 435}, true},
}};

constexpr std::array<TextId, kSliderCount> kSliderCaptions{
    TextId::TimerIntervalLabel, TextId::MoveThresholdLabel, TextId::MouseGapLabel,
    TextId::IconGapLabel, TextId::UnlockDistanceLabel};

// A list view's rows are as high as its small images (plus a grid line, on some versions):
// a blank image list sets the height, corrected once by what the first row measures.
void setRowHeight(HWND grid, int height) {
    auto measure = [grid] {
        RECT row{};
        ListView_GetItemRect(grid, 0, &row, LVIR_BOUNDS);
        return static_cast<int>(row.bottom - row.top);
    };
    auto useImageHeight = [grid](int imageHeight) {
        // The list view owns its image lists and destroys them with itself.
        HIMAGELIST old = ListView_SetImageList(
            grid, ImageList_Create(1, imageHeight, ILC_COLOR, 1, 0), LVSIL_SMALL);
        if (old != nullptr) {
            ImageList_Destroy(old);
        }
    };
    useImageHeight(height);
    const int extra = measure() - height;
    if (extra != 0 && height - extra > 0) {
        useImageHeight(height - extra);
    }
}

// The hotkey control's word: the key in the low byte, HOTKEYF_ flags in the high one.
bool isExtendedKey(BYTE key) {
    return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE ||
           key == VK_DIVIDE || key == VK_NUMLOCK || key == VK_SNAPSHOT || key == VK_APPS;
}

WPARAM controlWordOf(const HotKey& key) {
    const BYTE flags = (key.ctrl ? HOTKEYF_CONTROL : 0) | (key.shift ? HOTKEYF_SHIFT : 0) |
                       (key.alt ? HOTKEYF_ALT : 0) |
                       (isExtendedKey(key.virtualKey) ? HOTKEYF_EXT : 0);
    return key.none() ? 0 : MAKEWORD(key.virtualKey, flags);
}

HotKey hotKeyOf(LRESULT word) {
    const BYTE flags = HIBYTE(LOWORD(word));
    return HotKey{LOBYTE(LOWORD(word)), (flags & HOTKEYF_CONTROL) != 0,
                  (flags & HOTKEYF_SHIFT) != 0, (flags & HOTKEYF_ALT) != 0};
}

bool isStaticWithWindowColour(int id) {
    return (id > kValueLabelId && id <= kCaptionLabelId + kSliderCount) || id == kPauseKeyLabelId ||
           id == kPauseKeyNoteId || id == kCheck1Id || id == kListKeyLabelId ||
           id == kListKeyNoteId;
}

int optionIndex(int id) {
    return id - kOption1Id;
}

// The group selector's captions, which also name the group's list.
std::wstring groupCaption(int index) {
    return toWide(formatText(TextId::GroupCaption, {std::to_string(index + 1)}));
}

// Where each control stands, in twips.
TwipsRect layoutOf(int id) {
    if (id >= kOption1Id && id < kOption1Id + kGroupCount) {
        return {kFrameLeft + kOptionLeft[optionIndex(id)], kFrameTop + 60, 1215, 435};
    }
    if (id >= kGridId && id < kGridId + kGroupCount) {
        return kGrid;
    }
    if (id == kPreviewId) {
        return kPreview;
    }
    if (id == kPauseKeyLabelId) {
        return kPauseKeyLabel;
    }
    if (id == kPauseKeyId) {
        return kPauseKey;
    }
    if (id == kPauseKeyNoteId) {
        return kPauseKeyNote;
    }
    if (id == kCheck1Id) {
        return kCheck1;
    }
    if (id >= kListKeyLabelId && id <= kListKeyNoteId) {
        // The pause key's row again, one row lower.
        TwipsRect below = layoutOf(id - kListKeyLabelId + kPauseKeyLabelId);
        below.top += kListKeyRowOffset;
        return below;
    }
    for (const Command& command : kCommands) {
        if (id == kCommandId + command.number) {
            return command.bounds;
        }
    }
    const int slider = (id - kSliderId - 1) % 10;
    if (slider < 0 || slider >= kSliderCount) {
        return {};
    }
    if (id > kCaptionLabelId) {
        return {120, kSliderTop[slider], 4395, 255};
    }
    if (id > kValueLabelId) {
        return {7500, kSliderTop[slider], 495, 255};
    }
    return {3540, kSliderTop[slider], 3795, 255};
}

// A slider's caption label reaches under the slider's left end, which covers it there. The
// label stands just before its slider (screen readers name a slider by the label before it),
// so it is cut off where the slider starts instead.
void clipCaptionLabel(HWND label, int slider, int dpi) {
    const RECT labelPixels = layoutOf(kCaptionLabelId + 1 + slider).pixels(dpi);
    const RECT sliderPixels = layoutOf(kSliderId + 1 + slider).pixels(dpi);
    // The window owns the region from here on.
    ::SetWindowRgn(label,
                   ::CreateRectRgn(0, 0, sliderPixels.left - labelPixels.left,
                                   labelPixels.bottom - labelPixels.top),
                   FALSE);
}

} // namespace

SettingsWindow::SettingsWindow(SettingsWindowContext context)
    : context_(std::move(context)), ownMessages_(std::make_unique<Win32MessageBoxes>()),
      preview_(palette_.get().previewBack),
      form_(context_.state, context_.host,
            SettingsServices{context_.files, context_.codePage, context_.probes,
                             context_.messages != nullptr ? *context_.messages : *ownMessages_,
                             context_.listPath, context_.optionsPath, context_.startWithWindows},
            preview_, *this) {
    if (!context_.itemDialog) {
        context_.itemDialog = [this](HWND owner, const ItemFields& fields, ItemDialogHost& host) {
            win32::showItemDialog(owner, fields, context_.probes, host);
        };
    }
    if (!context_.about) {
        context_.about = [this](HWND owner) { showAboutWindow(owner, context_.listPath); };
    }
}

SettingsWindow::~SettingsWindow() = default;

bool SettingsWindow::create() {
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    // Laid out for the monitor it opens on; a window that lands elsewhere is laid out again.
    dpi_ = dpiAt(POINT{screen.right / 2, screen.bottom / 2});
    createFonts();

    const SIZE outer = outerSizeAtDpi(kStyle, kExStyle, twipsToPixels(kClientWidth, dpi_),
                                      twipsToPixels(kClientHeight, dpi_), dpi_);
    const POINT corner = centredOver(screen, outer);
    WNDCLASSEXW windowClass{};
    if (WindowBase::create(kClassName, windowClass, kExStyle,
                           toWide(text(TextId::SettingsCaption)).c_str(), kStyle, corner.x,
                           corner.y, outer.cx, outer.cy, context_.owner) == nullptr) {
        return false;
    }
    ownMessages_->setOwner(hwnd());
    createControls();
    if (palette_.get().dark) {
        palette_.darkenTitleBar(hwnd());
        applyPalette();
    }
    if (const int dpi = dpiOfWindow(hwnd()); dpi != dpi_) {
        applyDpi(dpi);
    }
    preview_.setWindow(control(kPreviewId));
    form_.Form_Load();
    refresh();
    registerDrops();
    dialogKeys_ = std::make_unique<ModelessDialogKeys>(hwnd());
    focus_.remember(control(kOption1Id));
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    focus_.restore();
    return true;
}

void SettingsWindow::createFonts() {
    defaultFont_ = createMessageFont(dpi_);
    labelFont_ = createLayoutFont(11.25, {}, dpi_);
    bottomButtonFont_ = createLayoutFont(12, {}, dpi_);
    gridFont_ = createLayoutFont(9, {}, dpi_);
}

const UniqueGdiObject* SettingsWindow::fontOf(int id) const {
    if (id >= kGridId && id < kGridId + kGroupCount) {
        return &gridFont_;
    }
    if ((id > kValueLabelId && id <= kCaptionLabelId + kSliderCount) || id == kPauseKeyLabelId ||
        id == kListKeyLabelId) {
        return &labelFont_;
    }
    if (id == kPauseKeyId || id == kPauseKeyNoteId || id == kListKeyId || id == kListKeyNoteId) {
        return &defaultFont_;
    }
    for (const Command& command : kCommands) {
        if (id == kCommandId + command.number) {
            return command.bottomRow ? &bottomButtonFont_ : &defaultFont_;
        }
    }
    if ((id >= kOption1Id && id < kOption1Id + kGroupCount) || id == kCheck1Id) {
        return &defaultFont_;
    }
    return nullptr; // the preview and the sliders draw no text
}

HWND SettingsWindow::addControl(const wchar_t* className, const wchar_t* text, DWORD style,
                                int id) {
    const RECT pixels = layoutOf(id).pixels(dpi_);
    const UniqueGdiObject* font = fontOf(id);
    HWND control = ::CreateWindowExW(
        0, className, text, WS_CHILD | WS_CLIPSIBLINGS | style, pixels.left, pixels.top,
        pixels.right - pixels.left, pixels.bottom - pixels.top, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (control != nullptr && font != nullptr) {
        setWindowFont(control, *font);
    }
    return control;
}

// Created in tab order; each slider's caption label just before it, its value label after.
void SettingsWindow::createControls() {
    for (int k = 0; k < kGroupCount; ++k) {
        addControl(L"BUTTON", groupCaption(k).c_str(), WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                   kOption1Id + k);
    }
    for (const Command& command : kCommands) {
        if (command.number == 9) {
            break; // Version is last in the tab order, after the grids and sliders
        }
        addControl(L"BUTTON", toWide(text(command.caption)).c_str(),
                   WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, kCommandId + command.number);
    }
    addControl(L"STATIC", L"", WS_VISIBLE | SS_OWNERDRAW, kPreviewId);
    preview_.resize(twipsToPixels(kPreview.width, dpi_));
    createGrid(0);
    for (int slider = 0; slider < kSliderCount; ++slider) {
        const std::wstring captionText = toWide(text(kSliderCaptions[slider]));
        HWND caption = addControl(L"STATIC", captionText.c_str(),
                                  WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kCaptionLabelId + 1 + slider);
        // Named by its caption also where a reader takes a window's own text.
        HWND trackbar =
            addControl(TRACKBAR_CLASSW, captionText.c_str(),
                       WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, kSliderId + 1 + slider);
        clipCaptionLabel(caption, slider, dpi_);
        addControl(L"STATIC", L"0", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kValueLabelId + 1 + slider);
        const int maximum = kSliderMaximum[slider];
        ::SendMessageW(trackbar, TBM_SETRANGEMIN, FALSE, 0);
        ::SendMessageW(trackbar, TBM_SETRANGEMAX, FALSE, maximum);
        ::SendMessageW(trackbar, TBM_SETTICFREQ, maximum / 10, 0);
        ::SendMessageW(trackbar, TBM_SETLINESIZE, 0, 1);
        ::SendMessageW(trackbar, TBM_SETPAGESIZE, 0, maximum / 10);
    }
    for (int k = 1; k < kGroupCount; ++k) {
        createGrid(k);
    }
    const Command& version = kCommands.back();
    addControl(L"BUTTON", toWide(text(version.caption)).c_str(),
               WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, kCommandId + version.number);

    addKeyControls(kPauseKeyLabelId, TextId::PauseKeyLabel);
    addControl(L"BUTTON", toWide(text(TextId::StartWithWindowsBox)).c_str(),
               WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, kCheck1Id);
    addKeyControls(kListKeyLabelId, TextId::ListKeyLabel);
}

// A global key's label, hotkey control and note, with ids in a row from the label's.
void SettingsWindow::addKeyControls(int labelId, TextId label) {
    // The label just before its control names it for screen readers.
    const std::wstring name = toWide(text(label));
    addControl(L"STATIC", name.c_str(), WS_VISIBLE | SS_LEFT | SS_NOPREFIX, labelId);
    HWND key =
        addControl(HOTKEY_CLASSW, name.c_str(), WS_VISIBLE | WS_TABSTOP | WS_BORDER, labelId + 1);
    // A key without Ctrl or Alt would be taken from every program's typing, and Ctrl+Alt is
    // AltGr on many keyboards: such keys get Ctrl+Shift instead.
    ::SendMessageW(key, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S | HKCOMB_CA,
                   MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_SHIFT, 0));
    addControl(L"STATIC", toWide(text(TextId::PauseKeyUnavailable)).c_str(), SS_LEFT | SS_NOPREFIX,
               labelId + 2);
}

// Every control's place, font, column widths and row heights, from the twips at the DPI.
void SettingsWindow::applyDpi(int dpi, const RECT* suggested) {
    // The fonts in use live on until every control has its new one.
    const std::array<UniqueGdiObject, 4> previous{std::move(defaultFont_), std::move(labelFont_),
                                                  std::move(bottomButtonFont_),
                                                  std::move(gridFont_)};
    dpi_ = dpi;
    createFonts();
    sizeForDpi(hwnd(), suggested, kClientWidth, kClientHeight, dpi);
    for (HWND child = ::GetWindow(hwnd(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        const RECT pixels = layoutOf(id).pixels(dpi);
        ::SetWindowPos(child, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
                       pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (const UniqueGdiObject* font = fontOf(id)) {
            setWindowFont(child, *font);
        }
        if (id >= kGridId && id < kGridId + kGroupCount) {
            sizeGridCells(child);
        }
        if (id > kCaptionLabelId && id <= kCaptionLabelId + kSliderCount) {
            clipCaptionLabel(child, id - kCaptionLabelId - 1, dpi);
        }
    }
    preview_.resize(twipsToPixels(kPreview.width, dpi));
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void SettingsWindow::createGrid(int index) {
    // The list has no label of its own: it is named after the group it holds.
    HWND grid = addControl(WC_LISTVIEWW, groupCaption(index).c_str(),
                           WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                               LVS_NOSORTHEADER,
                           kGridId + index);
    ListView_SetExtendedListViewStyle(grid, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const std::array<std::wstring, 2> headers{toWide(text(TextId::NameColumn)),
                                              toWide(text(TextId::PathColumn))};
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW columnInfo{};
        columnInfo.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        columnInfo.cx = twipsToPixels(kColumnWidth, dpi_);
        columnInfo.pszText = const_cast<wchar_t*>(headers[column].c_str());
        columnInfo.iSubItem = column;
        ListView_InsertColumn(grid, column, &columnInfo);
    }
    for (int row = 0; row < kSlotCount; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertItem(grid, &item);
    }
    setRowHeight(grid, twipsToPixels(kRowHeight, dpi_));
}

void SettingsWindow::sizeGridCells(HWND grid) const {
    for (int column = 0; column < 2; ++column) {
        ListView_SetColumnWidth(grid, column, twipsToPixels(kColumnWidth, dpi_));
    }
    setRowHeight(grid, twipsToPixels(kRowHeight, dpi_));
}

void SettingsWindow::registerDrops() {
    for (int index = 0; index < kGroupCount; ++index) {
        FileDropCallbacks callbacks;
        // No message box may open inside the drop: the work runs once the drop has returned.
        callbacks.drop = [this, index](std::vector<std::string> files) {
            pendingDrops_.push_back({index, std::move(files)});
            ::PostMessageW(hwnd(), kRunDroppedFiles, 0, 0);
        };
        drops_[index] = FileDropRegistration(control(kGridId + index), std::move(callbacks));
    }
}

void SettingsWindow::refresh() {
    if (hwnd() == nullptr) {
        return;
    }
    refreshing_ = true;
    const SettingsWorkingCopy& copy = form_.workingCopy();
    for (int index = 0; index < kGroupCount; ++index) {
        refreshGrid(index);
    }
    // Show the visible grid before hiding the others, so the focus never falls out of the window.
    ::ShowWindow(control(kGridId + copy.intGroupIndex()), SW_SHOWNA);
    for (int index = 0; index < kGroupCount; ++index) {
        if (index != copy.intGroupIndex()) {
            ::ShowWindow(control(kGridId + index), SW_HIDE);
        }
    }
    for (int slider = 0; slider < kSliderCount; ++slider) {
        const int value = copy.slider(slider);
        HWND trackbar = control(kSliderId + 1 + slider);
        if (::SendMessageW(trackbar, TBM_GETPOS, 0, 0) != value) {
            ::SendMessageW(trackbar, TBM_SETPOS, TRUE, value);
        }
        ::SetWindowTextW(control(kValueLabelId + 1 + slider), toWide(sliderLabel(value)).c_str());
    }
    for (int k = 0; k < kGroupCount; ++k) {
        ::InvalidateRect(control(kOption1Id + k), nullptr, FALSE);
    }
    for (const auto& [id, key] :
         {std::pair{kPauseKeyId, copy.pauseKey()}, std::pair{kListKeyId, copy.listKey()}}) {
        if (hotKeyOf(::SendMessageW(control(id), HKM_GETHOTKEY, 0, 0)) != key) {
            ::SendMessageW(control(id), HKM_SETHOTKEY, controlWordOf(key), 0);
        }
    }
    for (const int id : {kPauseKeyId, kListKeyId}) {
        ::EnableWindow(control(id), form_.keysEditable() ? TRUE : FALSE);
    }
    showKeyNotes();
    ::SendMessageW(control(kCheck1Id), BM_SETCHECK,
                   form_.startTicked() ? BST_CHECKED : BST_UNCHECKED, 0);
    refreshing_ = false;
}

void SettingsWindow::refreshGrid(int index) {
    HWND grid = control(kGridId + index);
    const ItemGrid& rows = form_.workingCopy().grid(index);
    wchar_t shown[1024];
    for (int r = ItemGrid::kFirstRow; r <= ItemGrid::kLastRow; ++r) {
        const GridRow& row = rows.row(r);
        const std::array<const std::string*, 2> cells{&row.name, &row.path};
        for (int column = 0; column < 2; ++column) {
            std::wstring text = toWide(*cells[column]);
            ListView_GetItemText(grid, r - 1, column, shown, static_cast<int>(std::size(shown)));
            if (text != shown) {
                ListView_SetItemText(grid, r - 1, column, text.data());
            }
        }
    }
    const int current = rows.currentRow() - 1;
    if (ListView_GetNextItem(grid, -1, LVNI_SELECTED) != current) {
        ListView_SetItemState(grid, current, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    ListView_EnsureVisible(grid, current, FALSE);
}

LRESULT SettingsWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0 && (LOWORD(wParam) == kPauseKeyId || LOWORD(wParam) == kListKeyId) &&
            HIWORD(wParam) == EN_CHANGE) {
            onKeyChange();
        } else if (lParam != 0 && isButtonClick(HIWORD(wParam))) {
            onCommand(LOWORD(wParam));
        }
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        const auto grid = static_cast<int>(header.idFrom) - kGridId;
        if (header.code == NM_CUSTOMDRAW && palette_.get().dark && grid >= 0 &&
            grid < kGroupCount) {
            return colourUnfocusedSelection(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        }
        return onNotify(header);
    }
    case WM_HSCROLL:
        if (lParam != 0) {
            onSlider(reinterpret_cast<HWND>(lParam));
        }
        return 0;
    case WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (isStaticWithWindowColour(id)) {
            return palette_.colourControl(wParam, palette_.get().labels);
        }
        if (palette_.get().dark && id > kSliderId && id <= kSliderId + kSliderCount) {
            // White, which the sliders' recolouring turns into the window's back.
            return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        }
        break;
    }
    case WM_ERASEBKGND: {
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client,
                   palette_.brush(palette_.get().labels.back));
        return TRUE;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        if (palette_.onSystemChange(hwnd(), message, wParam, lParam)) {
            applyPalette();
            preview_.setBackground(palette_.get().previewBack);
            form_.FG_Click(form_.workingCopy().intGroupIndex()); // the preview on its new back
        }
        return 0;
    case WM_PAINT:
        paintSeparator();
        return 0;
    case WM_ACTIVATE:
        // Coming back from a message box, a modal window or another program, the control
        // that had the focus gets it again, not the frame.
        focus_.onActivate(hwnd(), wParam);
        return 0;
    case WM_DPICHANGED:
        applyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        // The preview was stretched to its new size: the icon drawn again, made for it.
        form_.FG_Click(form_.workingCopy().intGroupIndex());
        return 0;
    case WM_CLOSE: // Alt+F4: the window has no close box, so this is the user's Cancel
        form_.Command2_Click();
        return 0;
    case kRunDroppedFiles:
        runDroppedFiles();
        return 0;
    case kRestoreSelection:
        refresh();
        return 0;
    case WM_DESTROY:
        // The grids still exist here; their drop targets go before they do.
        for (auto& drop : drops_) {
            drop = FileDropRegistration();
        }
        return 0;
    default:
        break;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

void SettingsWindow::onDestroyed() {
    dialogKeys_.reset();
    pendingDrops_.clear();
}

void SettingsWindow::onCommand(int id) {
    if (id >= kOption1Id && id < kOption1Id + kGroupCount) {
        form_.Option1_Click(optionIndex(id));
    } else if (id == kCheck1Id) {
        form_.Check1_Click(::SendMessageW(control(kCheck1Id), BM_GETCHECK, 0, 0) == BST_CHECKED);
    } else {
        switch (id - kCommandId) {
        case 1:
            onKeyChange(); // the controls' words, whether they told of their change or not
            form_.Command1_Click();
            break;
        case 2:
            form_.Command2_Click();
            break;
        case 3:
            form_.Command3_Click();
            break;
        case 4:
            form_.Command4_Click();
            break;
        case 5:
            form_.Command5_Click();
            break;
        case 6:
            form_.Command6_Click();
            break;
        case 7:
            form_.Command7_Click();
            break;
        case 8:
            form_.Command8_Click();
            break;
        case 9:
            form_.Command9_Click();
            break;
        default:
            return;
        }
    }
    refresh();
}

LRESULT SettingsWindow::onNotify(const NMHDR& header) {
    const int index = static_cast<int>(header.idFrom) - kGridId;
    if (index < 0 || index >= kGroupCount) {
        // The grids' headers: the columns keep their widths.
        if (header.code == HDN_BEGINTRACKW || header.code == HDN_BEGINTRACKA ||
            header.code == HDN_DIVIDERDBLCLICKW || header.code == HDN_DIVIDERDBLCLICKA) {
            return TRUE;
        }
        return 0;
    }
    if (refreshing_) {
        return 0;
    }
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool selected = (change.uNewState & LVIS_SELECTED) != 0;
        const bool wasSelected = (change.uOldState & LVIS_SELECTED) != 0;
        if (change.iItem >= 0 && selected && !wasSelected) {
            form_.selectRow(index, change.iItem + 1);
        } else if (wasSelected && !selected) {
            // A click beside the rows clears the selection; the grid always has a current row.
            ::PostMessageW(hwnd(), kRestoreSelection, 0, 0);
        }
    } else if (header.code == NM_CLICK) {
        const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
        if (click.iItem >= 0) {
            form_.FG_Click(index);
        }
    }
    return 0;
}

void SettingsWindow::onSlider(HWND trackbar) {
    const int slider = ::GetDlgCtrlID(trackbar) - kSliderId - 1;
    if (slider < 0 || slider >= kSliderCount || refreshing_) {
        return;
    }
    form_.Slider_Change(slider, static_cast<int>(::SendMessageW(trackbar, TBM_GETPOS, 0, 0)));
    ::SetWindowTextW(control(kValueLabelId + 1 + slider),
                     toWide(sliderLabel(form_.workingCopy().slider(slider))).c_str());
}

void SettingsWindow::onKeyChange() {
    if (refreshing_) {
        return;
    }
    form_.PauseKey_Change(hotKeyOf(::SendMessageW(control(kPauseKeyId), HKM_GETHOTKEY, 0, 0)));
    form_.ListKey_Change(hotKeyOf(::SendMessageW(control(kListKeyId), HKM_GETHOTKEY, 0, 0)));
    showKeyNotes();
}

void SettingsWindow::showKeyNotes() {
    for (const auto& [id, note] : {std::pair{kPauseKeyNoteId, form_.pauseKeyNote()},
                                   std::pair{kListKeyNoteId, form_.listKeyNote()}}) {
        HWND label = control(id);
        if (note) {
            ::SetWindowTextW(label, toWide(text(*note)).c_str());
        }
        ::ShowWindow(label, note ? SW_SHOWNA : SW_HIDE);
    }
}

void SettingsWindow::onDrawItem(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlID);
    if (id == kPreviewId) {
        preview_.paint(item.hDC);
        return;
    }
    DRAWITEMSTRUCT look = item;
    // The selected group's button stays down, like a pressed key.
    if (id >= kOption1Id && id < kOption1Id + kGroupCount &&
        optionIndex(id) == form_.workingCopy().intGroupIndex()) {
        look.itemState |= ODS_SELECTED;
    }
    const ColourPair& buttons = palette_.get().buttons;
    drawGraphicalButton(look, buttons.back, buttons.text);
}

void SettingsWindow::runDroppedFiles() {
    while (!pendingDrops_.empty() && hwnd() != nullptr) {
        PendingDrop drop = std::move(pendingDrops_.front());
        pendingDrops_.pop_front();
        form_.FG_OLEDragDrop(drop.grid, drop.files);
        refresh();
    }
}

// A grid without the focus draws its selected row light grey, a bright bar in a dark
// window: it takes the buttons' colours instead. The focused grid keeps the system's.
LRESULT SettingsWindow::colourUnfocusedSelection(NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        return CDRF_NOTIFYITEMDRAW;
    }
    HWND grid = draw.nmcd.hdr.hwndFrom;
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && ::GetFocus() != grid &&
        ListView_GetItemState(grid, static_cast<int>(draw.nmcd.dwItemSpec), LVIS_SELECTED) != 0) {
        draw.nmcd.uItemState &= ~CDIS_SELECTED;
        draw.clrText = palette_.get().buttons.text;
        draw.clrTextBk = palette_.get().buttons.back;
    }
    return CDRF_DODEFAULT;
}

// The controls Windows draws light whatever this window asks, in the palette's colours
// while it is dark, and as Windows draws them while it is not.
void SettingsWindow::applyPalette() {
    const Palette& palette = palette_.get();
    const ColourPair* fields = palette.dark ? &palette.fields : nullptr;
    for (int index = 0; index < kGroupCount; ++index) {
        HWND grid = control(kGridId + index);
        const COLORREF back = palette.dark ? palette.fields.back : ::GetSysColor(COLOR_WINDOW);
        ListView_SetBkColor(grid, back);
        ListView_SetTextBkColor(grid, back);
        ListView_SetTextColor(grid,
                              palette.dark ? palette.fields.text : ::GetSysColor(COLOR_WINDOWTEXT));
        useDarkScrollBars(grid, palette.dark);
        paintInColours(ListView_GetHeader(grid), fields);
    }
    for (int slider = 0; slider < kSliderCount; ++slider) {
        HWND trackbar = control(kSliderId + 1 + slider);
        useClassicLook(trackbar, palette.dark); // its themed back would not be recoloured
        paintInColours(trackbar, palette.dark ? &palette.labels : nullptr);
    }
    for (const int id : {kPauseKeyId, kListKeyId}) {
        paintInColours(control(id), fields);
    }
    useClassicLook(control(kCheck1Id), palette.dark); // themed, it ignores its text colour
}

void SettingsWindow::paintSeparator() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(hwnd(), &paint);
    UniqueGdiObject pen(
        ::CreatePen(PS_SOLID, designPixelsToDpi(1, dpi_), palette_.get().labels.text));
    {
        SelectObjectScope selected(dc, pen.get());
        ::MoveToEx(dc, twipsToPixels(kLineLeft, dpi_), twipsToPixels(kLineY, dpi_), nullptr);
        ::LineTo(dc, twipsToPixels(kLineRight, dpi_), twipsToPixels(kLineY, dpi_));
    }
    ::EndPaint(hwnd(), &paint);
}

void SettingsWindow::unloadWindow() {
    if (hwnd() != nullptr) {
        ::DestroyWindow(hwnd());
    }
}

void SettingsWindow::showItemDialog(const std::string& name, const std::string& path) {
    refresh(); // Add has just moved the current row: show it before the dialog opens
    context_.itemDialog(hwnd(), ItemFields{name, path}, *this);
}

void SettingsWindow::showAbout() {
    context_.about(hwnd());
}

void SettingsWindow::acceptItem(const std::string& name, const std::string& path) {
    form_.writeDialogItem(name, path);
    refresh();
}

} // namespace miruteka::win32
