// Icon extraction and drawing. The chain of fallbacks that picks an icon for a path is
// platform-free (iconwin/icon_loader.h); these are the raw operations under it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace miruteka {

class IconApi;

// An owned icon handle, released when it goes out of scope. Values 0 and 1 are not icons
// (ExtractAssociatedIcon can return 1) and are never released.
class IconHandle {
  public:
    IconHandle() = default;
    IconHandle(IconApi* owner, std::uintptr_t value) : owner_(owner), value_(value) {}
    IconHandle(IconHandle&& other) noexcept
        : owner_(std::exchange(other.owner_, nullptr)), value_(std::exchange(other.value_, 0)) {}
    IconHandle& operator=(IconHandle&& other) noexcept {
        if (this != &other) {
            reset();
            owner_ = std::exchange(other.owner_, nullptr);
            value_ = std::exchange(other.value_, 0);
        }
        return *this;
    }
    IconHandle(const IconHandle&) = delete;
    IconHandle& operator=(const IconHandle&) = delete;
    ~IconHandle() { reset(); }

    std::uintptr_t value() const { return value_; }
    bool isIcon() const { return value_ > 1; }
    void reset();

  private:
    IconApi* owner_ = nullptr;
    std::uintptr_t value_ = 0;
};

struct ExtractedIcons {
    IconHandle large;
    IconHandle small;
};

struct AssociatedIcon {
    IconHandle icon;
    std::uint32_t lastError = 0; // the last error read right after the call
};

class IconApi {
  public:
    virtual ~IconApi() = default;
    // ExtractIconEx: icon 0 of the file, one large and one small. The large one is made
    // from the file's image that suits `size` pixels best, not the system's icon size.
    virtual ExtractedIcons extractIconEx(const std::string& path, int size) = 0;
    // ExtractAssociatedIcon with index 0: the file's icon or its associated program's, made
    // for `size` pixels where the shell can.
    virtual AssociatedIcon extractAssociatedIcon(const std::string& path, int size) = 0;
    // The icon the shell shows for the path in its own windows (a document's type, a
    // folder, a shortcut's target), made for `size` pixels where the shell can; none when it
    // knows none.
    virtual IconHandle shellIcon(const std::string& path, int size) = 0;
    virtual void destroyIcon(std::uintptr_t value) = 0;
};

inline void IconHandle::reset() {
    if (owner_ != nullptr && value_ > 1) {
        owner_->destroyIcon(value_);
    }
    owner_ = nullptr;
    value_ = 0;
}

// A square picture that keeps what is drawn into it: 32 x 32 at 96 dpi, larger at a larger
// display scale. An icon is drawn at (0, 0) filling it.
class Picture {
  public:
    virtual ~Picture() = default;
    virtual int size() const = 0;                        // width and height in pixels
    virtual void clear() = 0;                            // back to its background colour
    virtual void drawIconEx(const IconHandle& icon) = 0; // DrawIconEx
    virtual void drawIcon(const IconHandle& icon) = 0;   // DrawIcon
};

} // namespace miruteka
