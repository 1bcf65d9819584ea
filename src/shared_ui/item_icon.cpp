#include "shared_ui/item_icon.h"

#include <cstdint>

namespace miruteka {
namespace {

constexpr std::uint32_t kErrorFileNotFound = 2;

} // namespace

DrawnIcon drawItemIcon(IconApi& icons, Picture& picture, const std::string& path) {
    ExtractedIcons extracted = icons.extractIconEx(path, picture.size());
    if (extracted.large.value() != 0 || extracted.small.value() != 0) {
        // A file with only a small icon draws nothing here, and still counts as having one.
        if (!extracted.large.isIcon()) {
            return DrawnIcon::None;
        }
        picture.drawIconEx(extracted.large);
        return DrawnIcon::FileIcon;
    }
    AssociatedIcon associated = icons.extractAssociatedIcon(path, picture.size());
    if (associated.lastError == kErrorFileNotFound || !associated.icon.isIcon()) {
        return DrawnIcon::None;
    }
    picture.drawIcon(associated.icon);
    return DrawnIcon::Associated;
}

} // namespace miruteka
