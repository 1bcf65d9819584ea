// The icon of an item's path, drawn into a picture. The icon windows and the settings
// window's preview draw through this one chain, so both show the same icon for a path.
// Extracting may block on a slow path and runs off the user-interface thread; drawing is
// done on it.
#pragma once

#include "platform/icons.h"

#include <string>

namespace miruteka {

enum class DrawnIcon {
    None,       // nothing fit; the picture stays as it was
    FileIcon,   // the file's own first icon (ExtractIconEx, drawn with DrawIconEx)
    Associated, // the icon of the file or its program (ExtractAssociatedIcon, DrawIcon)
    Shell,      // the icon the shell shows for the item (drawn like the file's own)
};

// An icon taken from a path for a picture of `size` pixels, to be drawn later.
struct ItemIcon {
    DrawnIcon kind = DrawnIcon::None;
    IconHandle icon;
    int size = 0;
};

// The file's first large icon, else the icon associated with the file, else (documents,
// folders, shortcuts, whatever those two draw nothing for) the icon the shell shows for it,
// each asked for at `size` pixels. Every other handle obtained is released before this
// returns.
ItemIcon extractItemIcon(IconApi& icons, const std::string& path, int size);

// Draws an extracted icon the way its kind is drawn; None leaves the picture as it was.
DrawnIcon drawItemIcon(Picture& picture, const ItemIcon& icon);

// Both at once, at the picture's size.
DrawnIcon drawItemIcon(IconApi& icons, Picture& picture, const std::string& path);

} // namespace miruteka
