#include "platform/win32/win32_icons.h"

#include "platform/win32/com_scope.h"

#include "platform/win32/wide_string.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <vector>

namespace miruteka::win32 {
namespace {

HICON asIcon(const IconHandle& icon) {
    return reinterpret_cast<HICON>(icon.value());
}

// The icon of a file made from the image that suits the size best (the shell's own choice
// among the file's images); nothing when the file has no such icon.
HICON iconAtSize(const wchar_t* file, int index, int size) {
    HICON large = nullptr;
    HICON small = nullptr;
    const int smallSize = size / 2;
    if (FAILED(::SHDefExtractIconW(file, index, 0, &large, &small, MAKELONG(size, smallSize)))) {
        return nullptr;
    }
    if (small != nullptr) {
        ::DestroyIcon(small);
    }
    return large;
}

// Swaps an icon of the system's icon size for one made for the size, when the size differs
// and the file gives one.
void replaceWithSized(HICON& icon, const wchar_t* file, int index, int size) {
    if (icon == nullptr || size <= 0 || size == ::GetSystemMetrics(SM_CXICON)) {
        return;
    }
    if (HICON sized = iconAtSize(file, index, size)) {
        ::DestroyIcon(icon);
        icon = sized;
    }
}

// IImageList's own, spelled out: not every SDK's import library carries it.
constexpr IID kImageListId = {
    0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};

// The icon at `index` of the shell's image list whose size is nearest `size`, a larger one
// winning a tie: shrunk it stays sharper than stretched.
HICON imageListIcon(int index, int size) {
    IUnknown* best = nullptr;
    int bestWidth = 0;
    int bestDistance = INT_MAX;
    for (const int list : std::array{SHIL_LARGE, SHIL_EXTRALARGE, SHIL_JUMBO}) {
        void* object = nullptr;
        if (FAILED(::SHGetImageList(list, kImageListId, &object)) || object == nullptr) {
            continue;
        }
        auto* images = static_cast<IUnknown*>(object);
        // The list is a comctl32 image list, whose interface is its handle.
        int width = 0;
        int height = 0;
        const bool sized =
            ::ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(images), &width, &height);
        const int distance = sized ? std::abs(width - size) : INT_MAX;
        if (sized && (distance < bestDistance || (distance == bestDistance && width > bestWidth))) {
            std::swap(best, images);
            bestWidth = width;
            bestDistance = distance;
        }
        if (images != nullptr) {
            images->Release();
        }
    }
    if (best == nullptr) {
        return nullptr;
    }
    HICON icon = ::ImageList_GetIcon(reinterpret_cast<HIMAGELIST>(best), index, ILD_TRANSPARENT);
    best->Release();
    return icon;
}

} // namespace

ExtractedIcons Win32IconApi::extractIconEx(const std::string& path, int size) {
    HICON large = nullptr;
    HICON small = nullptr;
    const std::wstring file = toWide(path);
    // ExtractIconEx decides whether the file has icons of its own; its large icon has the
    // system's size, so the one drawn is made again for the picture's size.
    // The small icon only matters when there is no large one: asked for alone, it is made
    // only then (each icon made is time at start-up).
    const auto extract = [&file](HICON* largeIcon, HICON* smallIcon) {
        const UINT extracted = ::ExtractIconExW(file.c_str(), 0, largeIcon, smallIcon, 1);
        if (extracted == 0 || extracted == UINT_MAX) {
            // Nothing was extracted (UINT_MAX: no such file). Wine writes junk into the
            // handles then; they are no icons, to draw or to destroy.
            *(largeIcon != nullptr ? largeIcon : smallIcon) = nullptr;
        }
    };
    extract(&large, nullptr);
    if (large == nullptr) {
        extract(nullptr, &small);
    }
    replaceWithSized(large, file.c_str(), 0, size);
    return ExtractedIcons{IconHandle(this, reinterpret_cast<std::uintptr_t>(large)),
                          IconHandle(this, reinterpret_cast<std::uintptr_t>(small))};
}

AssociatedIcon Win32IconApi::extractAssociatedIcon(const std::string& path, int size) {
    // The call may write the path of the icon's file back into the buffer it is given.
    const std::wstring wide = toWide(path);
    std::vector<wchar_t> buffer(std::max<size_t>(MAX_PATH, wide.size() + 1), L'\0');
    std::copy(wide.begin(), wide.end(), buffer.begin());
    WORD index = 0;
    const ComScope com;
    ::SetLastError(0);
    HICON icon = ::ExtractAssociatedIconW(::GetModuleHandleW(nullptr), buffer.data(), &index);
    const DWORD lastError = ::GetLastError();
    // The buffer now names the file the icon came from and the index in it.
    replaceWithSized(icon, buffer.data(), index, size);
    return AssociatedIcon{IconHandle(this, reinterpret_cast<std::uintptr_t>(icon)), lastError};
}

IconHandle Win32IconApi::shellIcon(const std::string& path, int size) {
    const std::wstring file = toWide(path);
    const ComScope com;
    SHFILEINFOW info{};
    HICON icon = nullptr;
    if (::SHGetFileInfoW(file.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX) != 0) {
        icon = imageListIcon(info.iIcon, size);
    }
    if (icon == nullptr) {
        // No image list of the shell's to pick a size from: its large icon, stretched.
        info = SHFILEINFOW{};
        if (::SHGetFileInfoW(file.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON) !=
            0) {
            icon = info.hIcon;
        }
    }
    return IconHandle(this, reinterpret_cast<std::uintptr_t>(icon));
}

void Win32IconApi::destroyIcon(std::uintptr_t value) {
    ::DestroyIcon(reinterpret_cast<HICON>(value));
}

Win32Picture::Win32Picture(COLORREF background, int size) : background_(background), size_(size) {
    WindowDc screen(nullptr);
    bitmap_.reset(::CreateCompatibleBitmap(screen.get(), size_, size_));
    dc_.reset(::CreateCompatibleDC(screen.get()));
    originalBitmap_ = ::SelectObject(dc_.get(), bitmap_.get());
    clear();
}

void Win32Picture::resize(int size) {
    if (size == size_ || size <= 0) {
        return;
    }
    WindowDc screen(nullptr);
    UniqueGdiObject bitmap(::CreateCompatibleBitmap(screen.get(), size, size));
    UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    const HGDIOBJ original = ::SelectObject(dc.get(), bitmap.get());
    ::SetStretchBltMode(dc.get(), HALFTONE);
    ::StretchBlt(dc.get(), 0, 0, size, size, dc_.get(), 0, 0, size_, size_, SRCCOPY);
    ::SelectObject(dc_.get(), originalBitmap_);
    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    originalBitmap_ = original;
    size_ = size;
    changed();
}

Win32Picture::~Win32Picture() {
    if (dc_) {
        ::SelectObject(dc_.get(), originalBitmap_);
    }
}

void Win32Picture::paint(HDC target) const {
    ::BitBlt(target, 0, 0, size_, size_, dc_.get(), 0, 0, SRCCOPY);
}

void Win32Picture::clear() {
    UniqueGdiObject brush(::CreateSolidBrush(background_));
    const RECT all{0, 0, size_, size_};
    ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(brush.get()));
    changed();
}

// Both draw at the picture's size, so the icon fills it whatever size the shell made it;
// DrawIcon alone would draw at the system's icon size, which on a monitor of another scale
// is not the picture's.
void Win32Picture::drawIconEx(const IconHandle& icon) {
    ::DrawIconEx(dc_.get(), 0, 0, asIcon(icon), size_, size_, 1, nullptr, DI_NORMAL);
    changed();
}

void Win32Picture::drawIcon(const IconHandle& icon) {
    ::DrawIconEx(dc_.get(), 0, 0, asIcon(icon), size_, size_, 0, nullptr, DI_NORMAL);
    changed();
}

void Win32Picture::changed() const {
    if (window_ != nullptr) {
        ::InvalidateRect(window_, nullptr, FALSE);
    }
}

} // namespace miruteka::win32
