#include "platform/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace miruteka {
namespace {

std::set<std::string> placeholders(const std::string& text) {
    std::set<std::string> found;
    for (size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1)) {
        found.insert(text.substr(at, 3));
    }
    return found;
}

TEST(Texts, EveryEnglishTextIsPlainEnglishAndTakesTheArgumentsOfItsJapaneseOne) {
    for (int i = 0; i < kTextCount; ++i) {
        std::string english = textIn(Language::English, static_cast<TextId>(i));
        SCOPED_TRACE(english);
        EXPECT_EQ(placeholders(english), placeholders(textIn(Language::Japanese, TextId(i))));
        // ASCII but for the ellipsis of a button that opens a window.
        for (size_t at; (at = english.find("…")) != std::string::npos;) {
            english.erase(at, 3);
        }
        EXPECT_FALSE(english.empty());
        EXPECT_TRUE(std::all_of(english.begin(), english.end(), [](char c) { return c > 0; }));
    }
}

TEST(Texts, TheLanguageInUseChoosesTheTextAndArgumentsFillTheirPlaces) {
    EXPECT_EQ(formatText(TextId::DeleteQuestion, {"Editor"}), "Editorを削除しますか？");
    useLanguage(Language::English);
    EXPECT_EQ(formatText(TextId::GroupCaption, {"3"}), "Group 3");
    useLanguage(Language::Japanese);
    EXPECT_EQ(formatText(TextId::GroupCaption, {"3"}), "オプション　3");
}

} // namespace
} // namespace miruteka
