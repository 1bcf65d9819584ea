#include "shared_ui/item_icon.h"

#include <cstdint>

namespace miruteka {
namespace {

constexpr std::uint32_t kErrorFileNotFound = 2;

// The two extractions of a file's icon. A file with only a small icon gets nothing from
// them, and is not asked for its associated icon either.
ItemIcon extractFileIcon(IconApi& icons, const std::string& path, int size) {
    ItemIcon result;
    result.size = size;
    ExtractedIcons extracted = icons.extractIconEx(path, size);
    if (extracted.large.value() != 0 || extracted.small.value() != 0) {
        if (extracted.large.isIcon()) {
            result.kind = DrawnIcon::FileIcon;
            result.icon = std::move(extracted.large);
        }
        return result;
    }
    AssociatedIcon associated = icons.extractAssociatedIcon(path, size);
    if (associated.lastError == kErrorFileNotFound || !associated.icon.isIcon()) {
        return result;
    }
    result.kind = DrawnIcon::Associated;
    result.icon = std::move(associated.icon);
    return result;
}

} // namespace

ItemIcon extractItemIcon(IconApi& icons, const std::string& path, int size) {
    ItemIcon result = extractFileIcon(icons, path, size);
    if (result.kind != DrawnIcon::None) {
        return result;
    }
    // An empty square tells nobody which item it stands for: whatever the shell would show
    // for the item is better than nothing.
    IconHandle shown = icons.shellIcon(path, size);
    if (shown.isIcon()) {
        result.kind = DrawnIcon::Shell;
        result.icon = std::move(shown);
    }
    return result;
}

DrawnIcon drawItemIcon(Picture& picture, const ItemIcon& icon) {
    switch (icon.kind) {
    case DrawnIcon::FileIcon:
    case DrawnIcon::Shell:
        picture.drawIconEx(icon.icon);
        break;
    case DrawnIcon::Associated:
        picture.drawIcon(icon.icon);
        break;
    case DrawnIcon::None:
        break;
    }
    return icon.kind;
}

DrawnIcon drawItemIcon(IconApi& icons, Picture& picture, const std::string& path) {
    return drawItemIcon(picture, extractItemIcon(icons, path, picture.size()));
}

} // namespace miruteka
