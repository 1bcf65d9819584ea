#include "platform/palette.h"

namespace miruteka {
namespace {

constexpr uint32_t kLightYellow = 0x00C0FFFF;
constexpr uint32_t kLightOrange = 0x0080C0FF;
constexpr uint32_t kPaleYellow = 0x0080FFFF;
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0x00000000;
constexpr uint32_t kLinkBlue = 0x00FF0000;

} // namespace

Palette choosePalette(bool highContrast, const SystemColours& system) {
    if (!highContrast) {
        return Palette{.labels = {kLightYellow, system.windowText},
                       .aboutText = {kLightYellow, kBlack},
                       .aboutLinks = {kLightYellow, kLinkBlue},
                       .buttons = {kLightOrange, system.buttonText},
                       .previewBack = kWhite,
                       .entryResting = {system.buttonFace, system.buttonText},
                       .entryShown = {kLightOrange, system.buttonText},
                       .entryHover = {kPaleYellow, system.buttonText}};
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
                   .entryHover = {system.highlight, system.highlightText}};
}

} // namespace miruteka
