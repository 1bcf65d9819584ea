#include "platform/texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace miruteka {
namespace {

// The code points of a UTF-8 text that belong to Japanese scripts or full-width forms.
bool hasJapanese(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (int k = 1; k < length && i + k < text.size(); ++k) {
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        if ((point >= 0x3000 && point <= 0x30FF) || (point >= 0x4E00 && point <= 0x9FFF) ||
            (point >= 0xFF00 && point <= 0xFFEF)) {
            return true;
        }
        i += length;
    }
    return false;
}

std::set<std::string> placeholders(const std::string& text) {
    std::set<std::string> found;
    for (size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1)) {
        found.insert(text.substr(at, 3));
    }
    return found;
}

TEST(Texts, EveryEnglishTextIsEnglishAndTakesTheArgumentsOfItsJapaneseOne) {
    for (int i = 0; i < kTextCount; ++i) {
        const auto id = static_cast<TextId>(i);
        const std::string english = textIn(Language::English, id);
        const std::string japanese = textIn(Language::Japanese, id);
        SCOPED_TRACE(english);
        EXPECT_FALSE(english.empty());
        EXPECT_FALSE(hasJapanese(english));
        EXPECT_EQ(placeholders(english), placeholders(japanese));
    }
}

TEST(Texts, TheLanguageInUseChoosesTheTextAndArgumentsFillTheirPlaces) {
    EXPECT_EQ(formatText(TextId::DeleteQuestion, {"Editor"}), "Editorを削除しますか？");
    EXPECT_EQ(formatText(TextId::GroupCaption, {"3"}), "オプション　3");
    useLanguage(Language::English);
    EXPECT_NE(formatText(TextId::UnsavableCharacterMessage, {"4", "10"}).find("row 10 of group 4"),
              std::string::npos);
    EXPECT_EQ(std::string(text(TextId::CancelButton)), "Cancel");
    useLanguage(Language::Japanese);
    EXPECT_EQ(std::string(text(TextId::CancelButton)), "キャンセル");
}

} // namespace
} // namespace miruteka
