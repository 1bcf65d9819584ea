#include "toolkit/win32/graphical_button.h"

#include "platform/geometry.h"
#include "platform/win32/unique.h"
#include "toolkit/win32/display_scale.h"

#include <algorithm>
#include <string>

namespace miruteka::win32 {

HWND createGraphicalButton(HWND parent, int id, const wchar_t* caption, int x, int y, int width,
                           int height) {
    return ::CreateWindowExW(
        0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW, x,
        y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        ::GetModuleHandleW(nullptr), nullptr);
}

void drawGraphicalButton(const DRAWITEMSTRUCT& item, COLORREF backColour, COLORREF textColour) {
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;

    // The edges, the focus inset and the pressed offset are design pixels, at the button's
    // display scale.
    const int dpi = dpiOfWindow(item.hwndItem);
    const int line = std::max(1, designPixelsToDpi(1, dpi));

    UniqueGdiObject brush(::CreateSolidBrush(backColour));
    ::FillRect(dc, &face, static_cast<HBRUSH>(brush.get()));
    // Each of the edge's two lines is drawn as often as a design pixel is wide.
    for (const UINT border : {pressed ? BDR_SUNKENOUTER : BDR_RAISEDOUTER,
                              pressed ? BDR_SUNKENINNER : BDR_RAISEDINNER}) {
        for (int pass = 0; pass < line; ++pass) {
            ::DrawEdge(dc, &face, border, BF_RECT | BF_ADJUST);
        }
    }

    const int length = ::GetWindowTextLengthW(item.hwndItem);
    std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(item.hwndItem, caption.data(), length + 1);
    caption.resize(static_cast<size_t>(length));

    RECT text = face;
    if (pressed) {
        ::OffsetRect(&text, line, line);
    }
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    SelectObjectScope selected(dc, font != nullptr ? static_cast<HGDIOBJ>(font)
                                                   : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? ::GetSysColor(COLOR_GRAYTEXT) : textColour);
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = face;
        const int inset = designPixelsToDpi(2, dpi);
        ::InflateRect(&focus, -inset, -inset);
        ::DrawFocusRect(dc, &focus);
    }
}

} // namespace miruteka::win32
