#include "toolkit/palette.h"

namespace miruteka {
namespace {

constexpr uint32_t kLightYellow = 0x00C0FFFF;
constexpr uint32_t kLightOrange = 0x0080C0FF;
constexpr uint32_t kPaleYellow = 0x0080FFFF;
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0x00000000;
constexpr uint32_t kLinkBlue = 0x00FF0000;

// Dark tones of the same hues: yellow, orange and the hover's yellow; grey faces and fields.
constexpr uint32_t kDarkYellow = 0x00203838;     // #383820
constexpr uint32_t kDarkOrange = 0x00264A6B;     // #6B4A26
constexpr uint32_t kDarkPaleYellow = 0x001E6A6E; // #6E6A1E
constexpr uint32_t kDarkFace = 0x002D2D2D;
constexpr uint32_t kDarkField = 0x001E1E1E;
constexpr uint32_t kLightText = 0x00F0F0F0;
constexpr uint32_t kDarkLinkBlue = 0x00FAB48C; // #8CB4FA

Palette darkPalette() {
    const ColourPair face{kDarkFace, kLightText};
    return Palette{.labels = {kDarkYellow, kLightText},
                   .aboutText = {kDarkYellow, kLightText},
                   .aboutLinks = {kDarkYellow, kDarkLinkBlue},
                   .buttons = {kDarkOrange, kLightText},
                   .previewBack = kDarkField,
                   .entryResting = face,
                   .entryShown = {kDarkOrange, kLightText},
                   .entryHover = {kDarkPaleYellow, kLightText},
                   .dark = true,
                   .popup = face,
                   .fields = {kDarkField, kLightText},
                   .plainButtons = face,
                   .tooltips = face};
}

} // namespace

Palette choosePalette(bool highContrast, const SystemColours& system, bool dark) {
    if (!highContrast && dark) {
        return darkPalette();
    }
    if (!highContrast) {
        return Palette{.labels = {kLightYellow, system.windowText},
                       .aboutText = {kLightYellow, kBlack},
                       .aboutLinks = {kLightYellow, kLinkBlue},
                       .buttons = {kLightOrange, system.buttonText},
                       .previewBack = kWhite,
                       .entryResting = {system.buttonFace, system.buttonText},
                       .entryShown = {kLightOrange, system.buttonText},
                       .entryHover = {kPaleYellow, system.buttonText},
                       .dark = false,
                       .popup = {},
                       .fields = {},
                       .plainButtons = {},
                       .tooltips = {}};
    }
    const ColourPair window{system.window, system.windowText};
    const ColourPair button{system.buttonFace, system.buttonText};
    // The shown item must stay apart from the rest and from the hovered one with nothing but
    // the user's colours: the button colours swapped always read.
    return Palette{.labels = window,
                   .aboutText = window,
                   .aboutLinks = window,
                   .buttons = button,
                   .previewBack = system.window,
                   .entryResting = button,
                   .entryShown = {system.buttonText, system.buttonFace},
                   .entryHover = {system.highlight, system.highlightText},
                   .dark = false,
                   .popup = {},
                   .fields = {},
                   .plainButtons = {},
                   .tooltips = {}};
}

} // namespace miruteka
