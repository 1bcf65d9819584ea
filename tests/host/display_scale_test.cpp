#include "iconwin/chain_scale.h"
#include "platform/geometry.h"

#include <gtest/gtest.h>

#include <array>

namespace miruteka {
namespace {

constexpr std::array<int, 5> kDpis{96, 120, 144, 168, 192}; // 100 % to 200 %

TEST(DisplayScale, LayoutUnitsGoToTheNearestPixelWithTiesToEven) {
    struct Case {
        int value;
        std::array<int, 5> pixels; // at 96, 120, 144, 168, 192 dpi
    };
    // Twips, 1440 to an inch: 8250 x 120 / 1440 = 687.5 and 195 x 144 / 1440 = 19.5 are ties.
    const Case twips[] = {{480, {32, 40, 48, 56, 64}},
                          {8250, {550, 688, 825, 962, 1100}},
                          {6585, {439, 549, 658, 768, 878}},
                          {195, {13, 16, 20, 23, 26}},
                          {-540, {-36, -45, -54, -63, -72}}};
    // 96-dpi pixels: 30 x 1.25 = 37.5 and 10 x 1.25 = 12.5 are ties; negatives mirror.
    const Case pixels[] = {{30, {30, 38, 45, 52, 60}},
                           {10, {10, 12, 15, 18, 20}},
                           {1, {1, 1, 2, 2, 2}},
                           {-30, {-30, -38, -45, -52, -60}}};
    for (size_t i = 0; i < kDpis.size(); ++i) {
        for (const Case& c : twips) {
            EXPECT_EQ(twipsToPixels(c.value, kDpis[i]), c.pixels[i]) << c.value << " " << kDpis[i];
        }
        for (const Case& c : pixels) {
            EXPECT_EQ(designPixelsToDpi(c.value, kDpis[i]), c.pixels[i])
                << c.value << " " << kDpis[i];
        }
    }
}

TEST(DisplayScale, TheChainScalesItsDistancesAndSizeButNotItsInterval) {
    const std::array<ChainScale, 5> expected{{{32, {200, 10, 30, 20, 30}},
                                              {40, {200, 12, 38, 25, 38}},
                                              {48, {200, 15, 45, 30, 45}},
                                              {56, {200, 18, 52, 35, 52}},
                                              {64, {200, 20, 60, 40, 60}}}};
    for (size_t i = 0; i < kDpis.size(); ++i) {
        const ChainScale scale = chainScaleAt(kDefaultSettings, kDpis[i]);
        EXPECT_EQ(scale.iconSize, expected[i].iconSize) << kDpis[i];
        EXPECT_EQ(scale.settings, expected[i].settings) << kDpis[i];
    }
    // Settings near the ends of 16 bits stay there instead of wrapping.
    const Settings extreme{-1, 32767, -32768, 20000, -20000};
    EXPECT_EQ(chainScaleAt(extreme, 192).settings, (Settings{-1, 32767, -32768, 32767, -32768}));
    EXPECT_EQ(chainScaleAt(extreme, 96).settings, extreme);
}

} // namespace
} // namespace miruteka
