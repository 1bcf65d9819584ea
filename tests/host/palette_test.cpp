#include "toolkit/palette.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

TEST(Palette, FixedColoursWhileHighContrastIsOffAndOnlyTheSystemsWhileOn) {
    // Window, window text, button face, button text, highlight, highlight text: each unlike
    // the others and every fixed colour.
    const SystemColours system{1, 2, 3, 4, 5, 6};
    const uint32_t yellow = 0x00C0FFFF;
    const uint32_t orange = 0x0080C0FF;
    EXPECT_EQ(choosePalette(false, system), (Palette{{yellow, 2},
                                                     {yellow, 0},
                                                     {yellow, 0x00FF0000},
                                                     {orange, 4},
                                                     0x00FFFFFF,
                                                     {3, 4},
                                                     {orange, 4},
                                                     {0x0080FFFF, 4}}));
    // The shown entry, in the button colours swapped, stays apart from the rest.
    EXPECT_EQ(choosePalette(true, system),
              (Palette{{1, 2}, {1, 2}, {1, 2}, {3, 4}, 1, {3, 4}, {4, 3}, {5, 6}}));
    // High contrast wins over dark; dark keeps the entries' three states apart.
    EXPECT_EQ(choosePalette(true, system, true), choosePalette(true, system));
    const Palette dark = choosePalette(false, system, true);
    EXPECT_NE(dark.entryResting.back, dark.entryShown.back);
    EXPECT_NE(dark.entryShown.back, dark.entryHover.back);
    EXPECT_NE(dark.entryHover.back, dark.entryResting.back);
}

} // namespace
} // namespace miruteka
