#include "iconwin/chain_scale.h"
#include "iconwin/startup_placement.h"

#include <gtest/gtest.h>

#include <limits>

namespace miruteka {
namespace {

using Corners = std::array<Point, kGroupCount>;

const Corners kBefore{Point{1, 2}, Point{3, 4}, Point{5, 6}, Point{7, 8}};

Settings gaps(int16_t mouseGap, int16_t iconGap) {
    Settings settings = kDefaultSettings;
    settings.intMouseGap = mouseGap;
    settings.intIconGap = iconGap;
    return settings;
}

TEST(StartupPlacement, StacksAColumnUnderThePointerWithoutClamping) {
    EXPECT_EQ(startupCorners({500, 500}, kDefaultSettings, kBefore),
              (Corners{Point{484, 514}, Point{484, 554}, Point{484, 594}, Point{484, 634}}));
    // Near the screen's corner the column runs off it; nothing pulls it back.
    EXPECT_EQ(
        startupCorners({1279, 1023}, kDefaultSettings, kBefore),
        (Corners{Point{1263, 1037}, Point{1263, 1077}, Point{1263, 1117}, Point{1263, 1157}}));
    EXPECT_EQ(startupCorners({0, 0}, gaps(-30, -20), kBefore),
              (Corners{Point{-16, -46}, Point{-16, -86}, Point{-16, -126}, Point{-16, -166}}));
    // At 144 dpi: 48-pixel windows, Form1 centred 45 pixels below, one window every 60.
    const ChainScale at144 = chainScaleAt(kDefaultSettings, 144);
    EXPECT_EQ(startupCorners({500, 500}, at144.settings, kBefore, at144.iconSize),
              (Corners{Point{476, 521}, Point{476, 581}, Point{476, 641}, Point{476, 701}}));
}

TEST(StartupPlacement, ZeroIconGapStacksAllFourOnOnePlace) {
    const Corners corners = startupCorners({200, 100}, gaps(30, 0), kBefore);
    for (const Point& corner : corners) {
        EXPECT_EQ(corner, (Point{184, 114}));
    }
}

TEST(StartupPlacement, SixteenBitOverflowSkipsOnlyThePlacementItBreaks) {
    // y + intMouseGap beyond 32767: Form1 keeps its corner, the followers stack under it.
    EXPECT_EQ(startupCorners({100, 32740}, gaps(30, 20), kBefore),
              (Corners{Point{1, 2}, Point{1, 42}, Point{1, 82}, Point{1, 122}}));
    EXPECT_EQ(startupCorners({100, -32760}, gaps(-30, 20), kBefore)[0], (Point{1, 2}));
    // The largest sums that still fit are placed.
    EXPECT_EQ(startupCorners({100, 32737}, gaps(30, 20), kBefore)[0], (Point{84, 32751}));
    EXPECT_EQ(startupCorners({100, -32738}, gaps(-30, 20), kBefore)[0], (Point{84, -32784}));

    // 2 x intIconGap beyond the 16-bit range: the three followers keep their corners.
    EXPECT_EQ(startupCorners({500, 500}, gaps(30, 16384), kBefore),
              (Corners{Point{484, 514}, Point{3, 4}, Point{5, 6}, Point{7, 8}}));
    EXPECT_EQ(startupCorners({500, 500}, gaps(30, -16385), kBefore),
              (Corners{Point{484, 514}, Point{3, 4}, Point{5, 6}, Point{7, 8}}));
    EXPECT_EQ(startupCorners({500, 500}, gaps(30, 16383), kBefore)[1], (Point{484, 514 + 32766}));
    EXPECT_EQ(startupCorners({500, 500}, gaps(30, -16384), kBefore)[1], (Point{484, 514 - 32768}));

    // Both at once: nothing moves.
    EXPECT_EQ(startupCorners({0, 32767}, gaps(1, 20000), kBefore), kBefore);

    // Corners at the ends of the 32-bit range stop there.
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(startupCorners({kMin + 3, 0}, gaps(30, 20), kBefore)[0], (Point{kMin, 14}));
    const Corners nearEnds{Point{0, kMax - 50}, Point{}, Point{}, Point{}};
    EXPECT_EQ(startupCorners({0, 32767}, gaps(30, 16383), nearEnds)[3], (Point{0, kMax}));
    const Corners nearStart{Point{0, kMin + 50}, Point{}, Point{}, Point{}};
    EXPECT_EQ(startupCorners({0, 32767}, gaps(30, -16384), nearStart)[1], (Point{0, kMin}));
}

} // namespace
} // namespace miruteka
