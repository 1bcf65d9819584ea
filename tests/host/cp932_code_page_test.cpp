#include "platform/host/cp932_code_page.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

TEST(Cp932CodePage, EncodesJapaneseAndKeepsBackslashes) {
    const Cp932CodePage codePage;
    // "ソ" is 0x83 0x5C: its trail byte is the byte of "\".
    const auto ansi = codePage.fromUtf8("C:\\ソフト\\表.exe");
    ASSERT_TRUE(ansi);
    EXPECT_EQ(*ansi, "C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.exe");
    EXPECT_EQ(codePage.toUtf8(*ansi), "C:\\ソフト\\表.exe");
    EXPECT_EQ(codePage.fromUtf8(""), std::string());
    EXPECT_EQ(codePage.fromUtf8("～"), std::string("\x81\x60")); // U+FF5E, the Windows form
}

TEST(Cp932CodePage, RefusesWhatWouldNotComeBack) {
    const Cp932CodePage codePage;
    EXPECT_FALSE(codePage.fromUtf8("a\xC2\xA5"));        // "¥" would become "\"
    EXPECT_FALSE(codePage.fromUtf8("〜"));               // U+301C would become U+FF5E
    EXPECT_FALSE(codePage.fromUtf8("\xF0\x9F\x98\x80")); // an emoji
    EXPECT_FALSE(codePage.fromUtf8("\xE2\x82"));         // broken UTF-8
}

TEST(Cp932CodePage, DecodesBadBytesAsReplacementCharacters) {
    const Cp932CodePage codePage;
    // A lead byte with a bad trail byte, then good text: only the lead byte is lost.
    EXPECT_EQ(codePage.toUtf8("\x83 A\x83\x5C"), "\xEF\xBF\xBD Aソ");
    // A lead byte cut off by the end.
    EXPECT_EQ(codePage.toUtf8("ab\x83"), "ab\xEF\xBF\xBD");
}

} // namespace
} // namespace miruteka
