// The shell's icon extraction, and a picture that keeps what is drawn into it in a bitmap
// of its own so every repaint shows it again.
#pragma once

#include "platform/icons.h"
#include "platform/win32/unique.h"

#include <windows.h>

namespace miruteka::win32 {

class Win32IconApi : public IconApi {
  public:
    ExtractedIcons extractIconEx(const std::string& path, int size) override;
    AssociatedIcon extractAssociatedIcon(const std::string& path, int size) override;
    IconHandle shellIcon(const std::string& path, int size) override;
    void destroyIcon(std::uintptr_t value) override;
};

class Win32Picture : public Picture {
  public:
    static constexpr int kSize = 32; // at 96 dpi

    explicit Win32Picture(COLORREF background, int size = kSize);
    ~Win32Picture() override;
    Win32Picture(const Win32Picture&) = delete;
    Win32Picture& operator=(const Win32Picture&) = delete;

    // The window that shows the picture; it is repainted after every change.
    void setWindow(HWND window) { window_ = window; }
    // Copies the picture to (0, 0) of the target (a window's WM_PAINT).
    void paint(HDC target) const;
    // The picture's own device context, for reading its pixels.
    HDC dc() const { return dc_.get(); }

    // A new size, for a new display scale: what the picture holds is stretched to it until
    // its owner draws it again.
    void resize(int size);
    // A new back colour, for the next clear.
    void setBackground(COLORREF background) { background_ = background; }

    int size() const override { return size_; }
    void clear() override;
    void drawIconEx(const IconHandle& icon) override;
    void drawIcon(const IconHandle& icon) override;

  private:
    void changed() const;

    COLORREF background_;
    int size_;
    UniqueGdiObject bitmap_;
    UniqueMemoryDc dc_;
    HGDIOBJ originalBitmap_ = nullptr;
    HWND window_ = nullptr;
};

} // namespace miruteka::win32
