#include "platform/palette.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

// Six colours that differ from each other and from every fixed colour.
constexpr SystemColours kSystem{.window = 0x000001,
                                .windowText = 0x000002,
                                .buttonFace = 0x000003,
                                .buttonText = 0x000004,
                                .highlight = 0x000005,
                                .highlightText = 0x000006};

TEST(Palette, FixedColoursWhileHighContrastIsOffAndOnlyTheSystemsWhileOn) {
    const Palette off = choosePalette(false, kSystem);
    EXPECT_EQ(off.labels, (ColourPair{0x00C0FFFF, kSystem.windowText}));
    EXPECT_EQ(off.aboutText, (ColourPair{0x00C0FFFF, 0x00000000}));
    EXPECT_EQ(off.aboutLinks, (ColourPair{0x00C0FFFF, 0x00FF0000}));
    EXPECT_EQ(off.buttons, (ColourPair{0x0080C0FF, kSystem.buttonText}));
    EXPECT_EQ(off.previewBack, 0x00FFFFFFu);
    EXPECT_EQ(off.entryResting, (ColourPair{kSystem.buttonFace, kSystem.buttonText}));
    EXPECT_EQ(off.entryShown, (ColourPair{0x0080C0FF, kSystem.buttonText}));
    EXPECT_EQ(off.entryHover, (ColourPair{0x0080FFFF, kSystem.buttonText}));

    const Palette on = choosePalette(true, kSystem);
    const ColourPair window{kSystem.window, kSystem.windowText};
    const ColourPair button{kSystem.buttonFace, kSystem.buttonText};
    EXPECT_EQ(on.labels, window);
    EXPECT_EQ(on.aboutText, window);
    EXPECT_EQ(on.aboutLinks, window);
    EXPECT_EQ(on.buttons, button);
    EXPECT_EQ(on.previewBack, kSystem.window);
    EXPECT_EQ(on.entryResting, button);
    EXPECT_EQ(on.entryHover, (ColourPair{kSystem.highlight, kSystem.highlightText}));
    // The shown item stays apart from the others in the user's own colours.
    EXPECT_EQ(on.entryShown, (ColourPair{kSystem.buttonText, kSystem.buttonFace}));
}

} // namespace
} // namespace miruteka
