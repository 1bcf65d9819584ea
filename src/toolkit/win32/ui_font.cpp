#include "toolkit/win32/ui_font.h"

#include "platform/texts.h"
#include "toolkit/win32/display_scale.h"

#include <cmath>
#include <cwchar>

namespace miruteka::win32 {
namespace {

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

void copyFace(LOGFONTW& font, const wchar_t* face) {
    std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
}

} // namespace

const wchar_t* firstInstalledFace(const wchar_t* face) {
    if (isFontInstalled(face)) {
        return face;
    }
    if (std::wcscmp(face, kPGothicFace) != 0) {
        return nullptr;
    }
    // The same proportional gothic under its English name, then the proportional Japanese
    // UI fonts of later systems, then the free design made to stand in for it.
    for (const wchar_t* alternative :
         {L"MS PGothic", L"Meiryo UI", L"Yu Gothic UI", L"IPAPGothic"}) {
        if (isFontInstalled(alternative)) {
            return alternative;
        }
    }
    return nullptr;
}

int pointsToPixelHeight(double points, int dpi) {
    return static_cast<int>(roundHalfEven(points * dpi / 72.0));
}

bool isFontInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    copyFace(wanted, face);
    bool found = false;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

UniqueGdiObject createFont(const wchar_t* face, double points, FontStyle style, int dpi) {
    LOGFONTW font = messageFontAtDpi(dpi);
    font.lfHeight = -pointsToPixelHeight(points, dpi);
    font.lfWidth = 0;
    font.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = style.underline ? TRUE : FALSE;
    font.lfItalic = FALSE;
    font.lfStrikeOut = FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    if (const wchar_t* installed = firstInstalledFace(face)) {
        copyFace(font, installed);
    }
    return UniqueGdiObject(::CreateFontIndirectW(&font));
}

UniqueGdiObject createMessageFont(int dpi) {
    const LOGFONTW font = messageFontAtDpi(dpi);
    return UniqueGdiObject(::CreateFontIndirectW(&font));
}

UniqueGdiObject createLayoutFont(double points, FontStyle style, int dpi) {
    if (currentLanguage() == Language::Japanese) {
        return createFont(kPGothicFace, points, style, dpi);
    }
    LOGFONTW font = messageFontAtDpi(dpi);
    font.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = style.underline ? TRUE : FALSE;
    return UniqueGdiObject(::CreateFontIndirectW(&font));
}

} // namespace miruteka::win32
