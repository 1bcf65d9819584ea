#include "platform/win32/win32_icons.h"

#include "platform/win32/wide_string.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace miruteka::win32 {
namespace {

HICON asIcon(const IconHandle& icon) {
    return reinterpret_cast<HICON>(icon.value());
}

} // namespace

ExtractedIcons Win32IconApi::extractIconEx(const std::string& path) {
    HICON large = nullptr;
    HICON small = nullptr;
    const UINT extracted = ::ExtractIconExW(toWide(path).c_str(), 0, &large, &small, 1);
    if (extracted == 0 || extracted == UINT_MAX) {
        // Nothing was extracted (UINT_MAX: no such file). Wine writes junk into the handles
        // then; they are no icons, to draw or to destroy.
        large = nullptr;
        small = nullptr;
    }
    return ExtractedIcons{IconHandle(this, reinterpret_cast<std::uintptr_t>(large)),
                          IconHandle(this, reinterpret_cast<std::uintptr_t>(small))};
}

AssociatedIcon Win32IconApi::extractAssociatedIcon(const std::string& path) {
    // The call may write the path of the icon's file back into the buffer it is given.
    const std::wstring wide = toWide(path);
    std::vector<wchar_t> buffer(std::max<size_t>(MAX_PATH, wide.size() + 1), L'\0');
    std::copy(wide.begin(), wide.end(), buffer.begin());
    WORD index = 0;
    ::SetLastError(0);
    HICON icon = ::ExtractAssociatedIconW(::GetModuleHandleW(nullptr), buffer.data(), &index);
    const DWORD lastError = ::GetLastError();
    return AssociatedIcon{IconHandle(this, reinterpret_cast<std::uintptr_t>(icon)), lastError};
}

void Win32IconApi::destroyIcon(std::uintptr_t value) {
    ::DestroyIcon(reinterpret_cast<HICON>(value));
}

Win32Picture::Win32Picture(COLORREF background) : background_(background) {
    WindowDc screen(nullptr);
    bitmap_.reset(::CreateCompatibleBitmap(screen.get(), kSize, kSize));
    dc_.reset(::CreateCompatibleDC(screen.get()));
    originalBitmap_ = ::SelectObject(dc_.get(), bitmap_.get());
    clear();
}

Win32Picture::~Win32Picture() {
    if (dc_) {
        ::SelectObject(dc_.get(), originalBitmap_);
    }
}

void Win32Picture::paint(HDC target) const {
    ::BitBlt(target, 0, 0, kSize, kSize, dc_.get(), 0, 0, SRCCOPY);
}

void Win32Picture::clear() {
    UniqueGdiObject brush(::CreateSolidBrush(background_));
    const RECT all{0, 0, kSize, kSize};
    ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(brush.get()));
    changed();
}

void Win32Picture::drawIconEx(const IconHandle& icon) {
    ::DrawIconEx(dc_.get(), 0, 0, asIcon(icon), 0, 0, 1, nullptr, DI_NORMAL);
    changed();
}

void Win32Picture::drawIcon(const IconHandle& icon) {
    ::DrawIcon(dc_.get(), 0, 0, asIcon(icon));
    changed();
}

void Win32Picture::changed() const {
    if (window_ != nullptr) {
        ::InvalidateRect(window_, nullptr, FALSE);
    }
}

} // namespace miruteka::win32
