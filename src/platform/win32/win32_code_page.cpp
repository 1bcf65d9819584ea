#include "platform/win32/win32_code_page.h"

#include "platform/win32/wide_string.h"

#include <windows.h>

#include <iterator>

namespace miruteka::win32 {
namespace {

constexpr wchar_t kReplacementCharacter = 0xFFFD;

std::optional<std::wstring> strictWide(UINT codePage, std::string_view bytes) {
    const int length = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                             static_cast<int>(bytes.size()), nullptr, 0);
    if (length == 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                          static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

} // namespace

unsigned Win32CodePage::number() const {
    return codePage_ == CP_ACP ? ::GetACP() : codePage_;
}

bool Win32CodePage::isUtf8() const {
    return number() == CP_UTF8;
}

std::optional<std::string> Win32CodePage::fromUtf8(std::string_view utf8) const {
    if (utf8.empty()) {
        return std::string();
    }
    const auto wide = strictWide(CP_UTF8, utf8);
    if (!wide) {
        return std::nullopt;
    }
    // UTF-8 as the system code page (a Windows option) takes neither flag nor default char.
    const DWORD flags = isUtf8() ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = isUtf8() ? nullptr : &usedDefault;
    const int wideLength = static_cast<int>(wide->size());
    const int length = ::WideCharToMultiByte(codePage_, flags, wide->data(), wideLength, nullptr, 0,
                                             nullptr, usedDefaultOut);
    if (length == 0 || usedDefault) {
        return std::nullopt;
    }
    std::string ansi(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(codePage_, flags, wide->data(), wideLength, ansi.data(), length, nullptr,
                          usedDefaultOut);
    if (usedDefault || strictWide(codePage_, ansi) != wide) {
        return std::nullopt;
    }
    return ansi;
}

std::string Win32CodePage::toUtf8(std::string_view ansi) const {
    if (ansi.empty()) {
        return {};
    }
    if (const auto wide = strictWide(codePage_, ansi)) {
        return win32::toUtf8(*wide);
    }
    if (isUtf8()) {
        return win32::toUtf8(toWide(ansi)); // without flags, bad sequences become U+FFFD
    }
    // Character by character, so one bad byte costs one replacement character only.
    std::wstring wide;
    for (size_t at = 0; at < ansi.size();) {
        const bool lead = ::IsDBCSLeadByteEx(codePage_, static_cast<BYTE>(ansi[at])) != 0;
        const size_t length = lead && at + 1 < ansi.size() ? 2 : 1;
        wchar_t decoded[2];
        const int count = ::MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, ansi.data() + at,
                                                static_cast<int>(length), decoded,
                                                static_cast<int>(std::size(decoded)));
        if (count > 0) {
            wide.append(decoded, static_cast<size_t>(count));
            at += length;
        } else {
            wide += kReplacementCharacter;
            at += 1;
        }
    }
    return win32::toUtf8(wide);
}

} // namespace miruteka::win32
