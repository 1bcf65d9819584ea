// The icon of an item's path, drawn into a picture. The icon windows and the settings
// window's preview draw through this one chain, so both show the same icon for a path.
#pragma once

#include "platform/icons.h"

#include <string>

namespace miruteka {

enum class DrawnIcon {
    None,       // nothing fit; the picture stays as it was
    FileIcon,   // the file's own first icon (ExtractIconEx, drawn with DrawIconEx)
    Associated, // the icon of the file or its program (ExtractAssociatedIcon, DrawIcon)
};

// Draws the icon for a path into the picture: the file's first large icon, else the icon
// associated with the file, each asked for at the picture's size. Every handle obtained is
// released before this returns.
DrawnIcon drawItemIcon(IconApi& icons, Picture& picture, const std::string& path);

} // namespace miruteka
