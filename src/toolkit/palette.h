// The colours the windows paint with: their own fixed ones, dark tones of them while
// Windows' apps are dark, or, while high contrast is on, the system's, so that the contrast
// the user chose holds in every window.
#pragma once

#include <cstdint>

namespace miruteka {

// Colours as 0x00BBGGRR.
struct SystemColours {
    uint32_t window = 0;
    uint32_t windowText = 0;
    uint32_t buttonFace = 0;
    uint32_t buttonText = 0;
    uint32_t highlight = 0;
    uint32_t highlightText = 0;
};

struct ColourPair {
    uint32_t back = 0;
    uint32_t text = 0;
    bool operator==(const ColourPair&) const = default;
};

struct Palette {
    ColourPair labels;     // the settings window, the item dialog and their labels
    ColourPair aboutText;  // the about window and its labels
    ColourPair aboutLinks; // its homepage and mail links
    ColourPair buttons;    // graphical buttons
    uint32_t previewBack = 0;
    // The popup's entries: at rest, the group's shown item, the one under the pointer.
    ColourPair entryResting;
    ColourPair entryShown;
    ColourPair entryHover;
    // Only while dark (else left empty): the controls Windows draws light whatever their
    // window asks are then coloured by the windows themselves in these.
    bool dark = false;
    ColourPair popup;        // the popup's back and hints
    ColourPair fields;       // edit boxes, grids and the hotkey control
    ColourPair plainButtons; // push buttons of the standard kind
    ColourPair tooltips;
    bool operator==(const Palette&) const = default;
};

// High contrast wins over dark.
Palette choosePalette(bool highContrast, const SystemColours& system, bool dark = false);

} // namespace miruteka
