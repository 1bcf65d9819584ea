#include "platform/win32/wide_string.h"

#include <gtest/gtest.h>

namespace miruteka::win32 {
namespace {

TEST(WideString, RoundTripsJapaneseAndEmptyText) {
    const std::string utf8 = "ミルテカ C:\\ソフト\\表示.exe";
    const std::wstring wide = toWide(utf8);
    EXPECT_EQ(wide, L"ミルテカ C:\\ソフト\\表示.exe");
    EXPECT_EQ(toUtf8(wide), utf8);
    EXPECT_TRUE(toWide("").empty());
    EXPECT_TRUE(toUtf8(L"").empty());
}

TEST(WideString, KeepsCharactersOutsideTheBasicPlane) {
    const std::string emoji = "\xF0\x9F\x98\x80"; // U+1F600, a surrogate pair in UTF-16
    EXPECT_EQ(toWide(emoji).size(), 2u);
    EXPECT_EQ(toUtf8(toWide(emoji)), emoji);
}

} // namespace
} // namespace miruteka::win32
