#include "platform/palette.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace miruteka {
namespace {

// Window, window text, button face, button text, highlight, highlight text: each unlike
// the others and every fixed colour.
const SystemColours kSystem{1, 2, 3, 4, 5, 6};

TEST(Palette, FixedColoursWhileHighContrastIsOffAndOnlyTheSystemsWhileOn) {
    const uint32_t yellow = 0x00C0FFFF;
    const uint32_t orange = 0x0080C0FF;
    EXPECT_EQ(choosePalette(false, false, kSystem), (Palette{{yellow, 2},
                                                             {yellow, 0},
                                                             {yellow, 0x00FF0000},
                                                             {orange, 4},
                                                             0x00FFFFFF,
                                                             {3, 4},
                                                             {orange, 4},
                                                             {0x0080FFFF, 4},
                                                             false,
                                                             {3, 2},
                                                             {1, 2},
                                                             {3, 4},
                                                             {1, 2}}));
    // The shown entry, in the button colours swapped, stays apart from the rest; high
    // contrast wins over dark.
    const Palette highContrast{{1, 2}, {1, 2}, {1, 2}, {3, 4}, 1,      {3, 4}, {4, 3},
                               {5, 6}, false,  {3, 4}, {1, 2}, {3, 4}, {1, 2}};
    EXPECT_EQ(choosePalette(true, false, kSystem), highContrast);
    EXPECT_EQ(choosePalette(true, true, kSystem), highContrast);
}

int lightness(uint32_t colour) {
    return static_cast<int>((colour & 0xFF) * 30 + ((colour >> 8) & 0xFF) * 59 +
                            ((colour >> 16) & 0xFF) * 11) /
           100;
}

// Hue in degrees of a colour with one strongest channel.
int hue(uint32_t colour) {
    const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    const int top = std::max({r, g, b}), low = std::min({r, g, b});
    return r == top ? 60 * (g - b) / (top - low) : g == top ? 120 + 60 * (b - r) / (top - low) : 0;
}

TEST(Palette, DarkKeepsTheHuesWithLightTextOnDarkBacksAndTheEntriesApart) {
    const Palette light = choosePalette(false, false, kSystem);
    const Palette dark = choosePalette(false, true, kSystem);
    EXPECT_TRUE(dark.dark);
    for (const ColourPair& pair : {dark.labels, dark.aboutText, dark.aboutLinks, dark.buttons,
                                   dark.entryResting, dark.entryShown, dark.entryHover, dark.popup,
                                   dark.fields, dark.plainButtons, dark.tooltips}) {
        EXPECT_LT(lightness(pair.back), 110) << std::hex << pair.back;
        EXPECT_GT(lightness(pair.text) - lightness(pair.back), 100) << std::hex << pair.text;
    }
    EXPECT_NEAR(hue(dark.labels.back), hue(light.labels.back), 5);
    EXPECT_NEAR(hue(dark.buttons.back), hue(light.buttons.back), 5);
    EXPECT_NEAR(hue(dark.entryHover.back), hue(light.entryHover.back), 5);
    EXPECT_NE(dark.entryResting.back, dark.entryShown.back);
    EXPECT_NE(dark.entryShown.back, dark.entryHover.back);
    EXPECT_NE(dark.entryHover.back, dark.entryResting.back);
}

} // namespace
} // namespace miruteka
