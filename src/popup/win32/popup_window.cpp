#include "popup/win32/popup_window.h"

#include "platform/geometry.h"
#include "platform/texts.h"
#include "platform/win32/unique.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_pointer_input.h"
#include "popup/popup_placement.h"
#include "toolkit/win32/display_scale.h"
#include "toolkit/win32/graphical_button.h"
#include "toolkit/win32/modal_window.h"
#include "toolkit/win32/system_palette.h"
#include "toolkit/win32/ui_font.h"
#include "toolkit/win32/window_base.h"

#include <commctrl.h>

#include <array>
#include <optional>
#include <vector>

namespace miruteka::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

// Layout in twips: left, top, width, height; pixels() at a DPI.
struct Layout {
    int left, top, width, height;
    Layout pixels(int dpi) const {
        return {twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
                twipsToPixels(height, dpi)};
    }
};

constexpr int kClientWidth = 3330;
constexpr int kClientHeight = 4155;
constexpr Layout entryLayout(int slot) {
    return {0, 360 * slot, 3315, 315};
}
constexpr Layout kLeftHint{60, 3660, 3135, 195};
constexpr Layout kRightHint{60, 3900, 3135, 195};

// While the motion timer is stopped the popup watches the pointer itself, this often.
constexpr UINT_PTR kWatchTimerId = 1;
constexpr UINT kWatchMilliseconds = 200;
// Posted by an entry that started its item: the popup closes once the press is handled.
constexpr UINT kCloseMessage = WM_APP + 1;
constexpr UINT_PTR kEntrySubclassId = 1;

// The logic's colour names the entry's state; the palette says how that state looks.
const ColourPair& entryColours(const Palette& palette, uint32_t colour) {
    switch (colour) {
    case kEntryHoverColour:
        return palette.entryHover;
    case kEntryShownColour:
        return palette.entryShown;
    default:
        return palette.entryResting;
    }
}

// The list's meaning of a key, with the modifiers held now.
std::optional<ListKey> listKeyOf(WPARAM key) {
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_UP:
        return ListKey::Up;
    case VK_DOWN:
        return ListKey::Down;
    case VK_LEFT:
        return ListKey::PreviousGroup;
    case VK_RIGHT:
        return ListKey::NextGroup;
    case VK_RETURN:
        return shift && ctrl ? ListKey::StartAsAdministrator
                             : (shift ? ListKey::MakeShown : ListKey::Start);
    case VK_SPACE:
        return ListKey::Start;
    case VK_F10:
        return shift ? std::optional(ListKey::MakeShown) : std::nullopt;
    case VK_APPS:
        return ListKey::MakeShown;
    case VK_ESCAPE:
        return ListKey::Close;
    default:
        return std::nullopt;
    }
}

// 0..9 for a digit key of either row, else -1.
int digitOf(WPARAM key) {
    if (key >= '0' && key <= '9') {
        return static_cast<int>(key - '0');
    }
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
        return static_cast<int>(key - VK_NUMPAD0);
    }
    return -1;
}

bool isListKey(WPARAM key) {
    return listKeyOf(key).has_value() || digitOf(key) >= 0;
}

// Every key but Tab goes to the list instead of the dialog manager; Tab still moves the
// focus, and the highlight with it.
LRESULT wantedKeys(LPARAM pendingMessage) {
    const auto* pending = reinterpret_cast<const MSG*>(pendingMessage);
    const bool key = pending != nullptr && pending->message == WM_KEYDOWN;
    return DLGC_WANTCHARS | (key && pending->wParam != VK_TAB ? DLGC_WANTMESSAGE : 0);
}

bool contains(const Layout& area, POINT point) {
    return area.left <= point.x && point.x < area.left + area.width && area.top <= point.y &&
           point.y < area.top + area.height;
}

Rect workAreaAt(Point point) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoW(::MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST),
                          &monitor)) {
        const RECT& work = monitor.rcWork;
        return {work.left, work.top, work.right, work.bottom};
    }
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

Rect rectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The program's other top-level windows take no input while the popup is shown, as with
// any modal window; their timers keep running.
class OtherWindowsDisabled {
  public:
    explicit OtherWindowsDisabled(HWND popup) : popup_(popup) {
        ::EnumThreadWindows(::GetCurrentThreadId(), disable, reinterpret_cast<LPARAM>(this));
    }
    ~OtherWindowsDisabled() {
        for (HWND window : disabled_) {
            if (::IsWindow(window)) {
                ::EnableWindow(window, TRUE);
            }
        }
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

  private:
    static BOOL CALLBACK disable(HWND window, LPARAM self) {
        auto* scope = reinterpret_cast<OtherWindowsDisabled*>(self);
        if (window != scope->popup_ && ::IsWindowEnabled(window)) {
            ::EnableWindow(window, FALSE);
            scope->disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND popup_;
    std::vector<HWND> disabled_;
};

} // namespace

class PopupWindow::Form5 : public WindowBase {
  public:
    Form5(PopupWindow& owner, bool fromKeyboard)
        : owner_(owner), logic_(owner.state_, owner.starter_, owner.host_),
          fromKeyboard_(fromKeyboard) {}

    // Form_Load: fills the entries from the open group; the window stays hidden. It is
    // created at the pointer, so it is laid out for the monitor where it opens.
    bool load(Point pointer) {
        logic_.Form_Load();
        if (fromKeyboard_) {
            logic_.highlightFirst();
        }
        lastPointer_ = POINT{pointer.x, pointer.y};
        shownGroup_ = owner_.state_.intOpenGroup;
        WNDCLASSEXW windowClass{};
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        if (create(kPopupWindowClass, windowClass, kExStyle, L"", kStyle, pointer.x, pointer.y, 0,
                   0, nullptr) == nullptr) {
            return false;
        }
        dpi_ = dpiOfWindow(hwnd());
        // Created in tab order: the last entry first, the hints last.
        for (int slot = kSlotCount - 1; slot >= 0; --slot) {
            const PopupEntry& entry = logic_.entries()[slot];
            HWND button = createGraphicalButton(hwnd(), kPopupEntryFirstId + slot,
                                                toWide(entry.caption).c_str(), 0, 0, 0, 0);
            ::EnableWindow(button, entry.enabled ? TRUE : FALSE);
            ::SetWindowSubclass(button, entryProc, kEntrySubclassId,
                                reinterpret_cast<DWORD_PTR>(this));
            entries_[slot] = button;
            painted_[slot] = entry.colour;
        }
        addHint(kPopupLeftHintId, text(TextId::LeftClickHint));
        addHint(kPopupRightHintId, text(TextId::RightClickHint));
        layOut(nullptr);
        return true;
    }

    // The window's size (or the suggested rectangle), the entries, the hints and the font,
    // from the twips at the popup's DPI.
    void layOut(const RECT* suggested) {
        const UniqueGdiObject previous = std::move(font_); // in use until replaced below
        font_ = createMessageFont(dpi_);
        sizeForDpi(hwnd(), suggested, kClientWidth, kClientHeight, dpi_);
        auto place = [this](int id, const Layout& twips) {
            const Layout at = twips.pixels(dpi_);
            HWND control = ::GetDlgItem(hwnd(), id);
            ::SetWindowPos(control, nullptr, at.left, at.top, at.width, at.height,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            setWindowFont(control, font_);
        };
        for (int slot = 0; slot < kSlotCount; ++slot) {
            place(kPopupEntryFirstId + slot, entryLayout(slot));
        }
        place(kPopupLeftHintId, kLeftHint);
        place(kPopupRightHintId, kRightHint);
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }

    // A list from the keyboard that has the foreground stays when the pointer leaves it and
    // goes when another window is activated. Without the foreground (Windows refused it)
    // it behaves as one opened by a click: the pointer is on it now.
    void takeForeground() {
        if (fromKeyboard_) {
            ::SetForegroundWindow(hwnd());
            keyboardHolds_ = ::GetForegroundWindow() == hwnd();
        }
        focusHighlight();
    }
    bool keyboardHolds() const { return keyboardHolds_; }

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (keyboardHolds_) {
                    ::PostMessageW(hwnd(), kCloseMessage, 0, 0);
                }
            } else {
                focusHighlight();
            }
            return 0;
        case WM_GETDLGCODE:
            return wantedKeys(lParam);
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (keyDown(wParam, lParam)) {
                return 0;
            }
            break;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const int slot = static_cast<int>(item.CtlID) - kPopupEntryFirstId;
            if (slot < 0 || slot >= kSlotCount) {
                break;
            }
            painted_[slot] = logic_.entries()[slot].colour;
            const ColourPair& colours = entryColours(palette_.get(), painted_[slot]);
            // The hover colour marks the entry with the focus: no dotted frame on top.
            DRAWITEMSTRUCT unframed = item;
            unframed.itemState &= ~ODS_FOCUS;
            drawGraphicalButton(unframed, colours.back, colours.text);
            return TRUE;
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            palette_.onSystemChange(hwnd(), message, wParam, lParam);
            return 0;
        // While light the back and the hints keep the system's colours.
        case WM_ERASEBKGND:
            if (palette_.get().dark) {
                RECT client{};
                ::GetClientRect(hwnd(), &client);
                ::FillRect(reinterpret_cast<HDC>(wParam), &client,
                           palette_.brush(palette_.get().popup.back));
                return 1;
            }
            break;
        case WM_CTLCOLORSTATIC:
            if (palette_.get().dark) {
                return palette_.colourControl(wParam, palette_.get().popup);
            }
            break;
        case WM_MOUSEMOVE: {
            // The pointer over the background or a disabled entry; over a hint nothing
            // changes.
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (pointerMoved() && !contains(kLeftHint.pixels(dpi_), at) &&
                !contains(kRightHint.pixels(dpi_), at)) {
                logic_.Form_MouseMove();
                repaintChangedEntries();
            }
            return 0;
        }
        case WM_TIMER:
            if (wParam == kWatchTimerId) {
                watchPopup(owner_.state_, owner_, owner_.pointer_.cursorPos());
                return 0;
            }
            break;
        case kCloseMessage:
            ::DestroyWindow(hwnd());
            return 0;
        case WM_DPICHANGED:
            dpi_ = LOWORD(wParam);
            layOut(reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_COMMAND:
            // Entries act when a button or key goes down, not on clicks; Esc does nothing.
            return 0;
        default:
            break;
        }
        return WindowBase::handleMessage(message, wParam, lParam);
    }

  private:
    static LRESULT CALLBACK entryProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) {
        auto* form = reinterpret_cast<Form5*>(self);
        const int slot = ::GetDlgCtrlID(button) - kPopupEntryFirstId;
        try {
            switch (message) {
            case WM_MOUSEMOVE:
                if (form->pointerMoved()) {
                    form->logic_.Command1_MouseMove(slot);
                    form->repaintChangedEntries();
                    form->focusHighlight();
                }
                break;
            case WM_SETFOCUS:
                form->logic_.highlight(slot);
                form->repaintChangedEntries();
                break;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                if (form->mouseDown(slot, 1, modifierMask(wParam)) ==
                    ItemListPopup::AfterPress::Close) {
                    return 0;
                }
                break; // the button shows itself pressed
            case WM_RBUTTONDOWN:
            case WM_RBUTTONDBLCLK:
                form->mouseDown(slot, 2);
                return 0;
            case WM_MBUTTONDOWN:
            case WM_MBUTTONDBLCLK:
                form->mouseDown(slot, 4);
                return 0;
            case WM_GETDLGCODE:
                return ::DefSubclassProc(button, message, wParam, lParam) | wantedKeys(lParam);
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                if (form->keyDown(wParam, lParam)) {
                    return 0;
                }
                break;
            case WM_KEYUP:
            case WM_SYSKEYUP:
                // The button would click on Space's release, the context-menu key ask again.
                if (isListKey(wParam)) {
                    return 0;
                }
                break;
            case WM_NCDESTROY:
                ::RemoveWindowSubclass(button, entryProc, kEntrySubclassId);
                break;
            default:
                break;
            }
        } catch (...) {
            // A failing handler ends that handler only.
        }
        if (!::IsWindow(button)) {
            return 0;
        }
        return ::DefSubclassProc(button, message, wParam, lParam);
    }

    ItemListPopup::AfterPress mouseDown(int slot, int button, int shift = 0) {
        return closeIfAsked(logic_.Command1_MouseDown(slot, button, shift));
    }

    ItemListPopup::AfterPress closeIfAsked(ItemListPopup::AfterPress after) {
        if (after == ItemListPopup::AfterPress::Close && hwnd() != nullptr) {
            ::PostMessageW(hwnd(), kCloseMessage, 0, 0);
        }
        return after;
    }

    // True when the key is one of the list's. A held key repeats only the moves.
    bool keyDown(WPARAM key, LPARAM flags) {
        const std::optional<ListKey> listKey = listKeyOf(key);
        const int digit = digitOf(key);
        if (!listKey && digit < 0) {
            return false;
        }
        const bool moves = listKey == ListKey::Up || listKey == ListKey::Down ||
                           listKey == ListKey::PreviousGroup || listKey == ListKey::NextGroup;
        if ((HIWORD(flags) & KF_REPEAT) != 0 && !moves) {
            return true;
        }
        const auto after = listKey ? logic_.keyDown(*listKey) : logic_.digitDown(digit);
        if (closeIfAsked(after) == ItemListPopup::AfterPress::Close) {
            return true;
        }
        showOtherGroup();
        repaintChangedEntries();
        focusHighlight();
        return true;
    }

    // Left or Right loaded another group: its names go onto the same buttons.
    void showOtherGroup() {
        if (owner_.state_.intOpenGroup == shownGroup_) {
            return;
        }
        shownGroup_ = owner_.state_.intOpenGroup;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const PopupEntry& entry = logic_.entries()[slot];
            ::SetWindowTextW(entries_[slot], toWide(entry.caption).c_str());
            ::EnableWindow(entries_[slot], entry.enabled ? TRUE : FALSE);
            ::InvalidateRect(entries_[slot], nullptr, FALSE);
        }
    }

    // The keyboard focus goes where the highlight is, or to the list itself without one.
    void focusHighlight() {
        if (::GetActiveWindow() != hwnd()) {
            return;
        }
        const int slot = logic_.highlighted();
        HWND target = slot >= 0 && slot < kSlotCount ? entries_[slot] : hwnd();
        if (::GetFocus() != target) {
            ::SetFocus(target);
        }
    }

    // A list from the keyboard is not moved by a pointer that stands still: Windows tells
    // of the pointer whenever a window appears or changes under it.
    bool pointerMoved() {
        if (!fromKeyboard_) {
            return true;
        }
        const DWORD position = ::GetMessagePos();
        const POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        const bool moved = at.x != lastPointer_.x || at.y != lastPointer_.y;
        lastPointer_ = at;
        return moved;
    }

    void repaintChangedEntries() {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (logic_.entries()[slot].colour != painted_[slot]) {
                ::InvalidateRect(entries_[slot], nullptr, FALSE);
            }
        }
    }

    void addHint(int id, const char* text) {
        ::CreateWindowExW(0, L"STATIC", toWide(text).c_str(),
                          WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          ::GetModuleHandleW(nullptr), nullptr);
    }

    PopupWindow& owner_;
    ItemListPopup logic_;
    bool fromKeyboard_;
    bool keyboardHolds_ = false;
    POINT lastPointer_{};
    int shownGroup_ = 0;
    int dpi_ = kDesignDpi;
    UniqueGdiObject font_;
    WindowPalette palette_;
    std::array<HWND, kSlotCount> entries_{};
    std::array<uint32_t, kSlotCount> painted_{};
};

PopupWindow::PopupWindow(LauncherState& state, ItemStarter& starter, LauncherHost& host,
                         PointerInput& pointer)
    : state_(state), starter_(starter), host_(host), pointer_(pointer) {}

PopupWindow::~PopupWindow() = default;

void PopupWindow::showModally(HWND iconWindow) {
    const Rect icon = rectOf(iconWindow);
    // A pointer that cannot be read is taken to be where the right click was, on the icon.
    const Point pointer = pointer_.cursorPos().value_or(
        Point{icon.left + icon.width() / 2, icon.top + icon.height() / 2});
    show(icon, pointer, false);
}

void PopupWindow::showAtPointer() {
    const Point pointer = pointer_.cursorPos().value_or(
        Point{::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2});
    // Placed as if an icon window stood right under the pointer.
    show(Rect{pointer.x, pointer.y, pointer.x + 1, pointer.y + 1}, pointer, true);
}

void PopupWindow::bringForward() {
    if (isOpen()) {
        ::SetForegroundWindow(window());
        form_->takeForeground();
    }
}

void PopupWindow::show(const Rect& anchor, Point pointer, bool fromKeyboard) {
    // Settings cannot change while the popup is shown, so this holds for the whole showing.
    // A list from the keyboard may open while the chain is paused and no tick comes; should
    // it not get the foreground, the pointer holds it as any other.
    const bool ownWatch = motionTimerStopped() || fromKeyboard;
    form_ = std::make_unique<Form5>(*this, fromKeyboard);
    if (form_->load(pointer)) {
        HWND popup = form_->hwnd();
        const Rect outer = rectOf(popup);
        const Point corner =
            placePopup(anchor, pointer, outer.width(), outer.height(), workAreaAt(pointer));
        ::SetWindowPos(popup, HWND_TOPMOST, corner.x, corner.y, 0, 0,
                       SWP_NOSIZE | SWP_FRAMECHANGED);
        if (ownWatch) {
            ::SetTimer(popup, kWatchTimerId, kWatchMilliseconds, nullptr);
        }
        ::ShowWindow(popup, SW_SHOW);
        form_->takeForeground();
        OtherWindowsDisabled modal(popup);
        runModalLoop(popup);
    }
    form_.reset();
    if (ownWatch) {
        // No tick will come to notice that the popup has gone: end the popup lock now.
        watchPopup(state_, *this, pointer_.cursorPos());
    }
}

HWND PopupWindow::window() const {
    return form_ != nullptr ? form_->hwnd() : nullptr;
}

bool PopupWindow::isOpen() const {
    HWND popup = window();
    return popup != nullptr && ::IsWindow(popup);
}

Rect PopupWindow::frame() const {
    return rectOf(window());
}

void PopupWindow::close() {
    if (isOpen()) {
        ::DestroyWindow(window());
    }
}

bool PopupWindow::closesWhenPointerLeaves() const {
    return form_ == nullptr || !form_->keyboardHolds();
}

bool PopupWindow::motionTimerStopped() const {
    return state_.settings.intTimerInterval == 0;
}

} // namespace miruteka::win32
