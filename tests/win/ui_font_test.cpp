#include "platform/win32/unique.h"
#include "toolkit/win32/ui_font.h"

#include <gtest/gtest.h>

#include <string>

namespace miruteka::win32 {
namespace {

bool isProportional(const UniqueGdiObject& font) {
    WindowDc screen(nullptr);
    SelectObjectScope selected(screen.get(), font.get());
    SIZE narrow{};
    SIZE wide{};
    ::GetTextExtentPoint32W(screen.get(), L"iiii", 4, &narrow);
    ::GetTextExtentPoint32W(screen.get(), L"WWWW", 4, &wide);
    return narrow.cx < wide.cx;
}

TEST(UiFont, TheLayoutsGothicFallsBackToAProportionalJapaneseFont) {
    // A monospaced stand-in would push the settings window's long captions under its sliders.
    const wchar_t* face = firstInstalledFace(kPGothicFace);
    ASSERT_NE(face, nullptr) << "no proportional Japanese font is installed";
    EXPECT_TRUE(isFontInstalled(face));
    EXPECT_TRUE(isProportional(createFont(kPGothicFace, 11.25)));
}

TEST(UiFont, AnUnknownFaceHasNoStandIn) {
    EXPECT_EQ(firstInstalledFace(L"No Such Face 1234"), nullptr);
    EXPECT_TRUE(createFont(L"No Such Face 1234", 9).get() != nullptr);
}

} // namespace
} // namespace miruteka::win32
