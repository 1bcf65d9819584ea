#include "data/hot_key.h"

#include "data/text_lines.h"

#include <array>
#include <charconv>
#include <utility>

namespace miruteka {
namespace {

struct NamedKey {
    std::uint8_t code;
    std::string_view name;
};
constexpr std::array<NamedKey, 25> kNamedKeys{{
    {0x08, "Backspace"},   {0x09, "Tab"},        {0x0D, "Enter"},    {0x13, "Pause"},
    {0x1B, "Esc"},         {0x20, "Space"},      {0x21, "PageUp"},   {0x22, "PageDown"},
    {0x23, "End"},         {0x24, "Home"},       {0x25, "Left"},     {0x26, "Up"},
    {0x27, "Right"},       {0x28, "Down"},       {0x2D, "Insert"},   {0x2E, "Delete"},
    {0x6A, "Multiply"},    {0x6B, "Add"},        {0x6D, "Subtract"}, {0x6E, "Decimal"},
    {0x6F, "Divide"},      {0x91, "ScrollLock"}, {0x90, "NumLock"},  {0x5D, "Apps"},
    {0x2C, "PrintScreen"},
}};
constexpr std::uint8_t kNumPad0 = 0x60;
constexpr std::uint8_t kF1 = 0x70;
constexpr int kFunctionKeys = 24;

std::string keyName(std::uint8_t code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
        return std::string(1, static_cast<char>(code));
    }
    if (code >= kF1 && code < kF1 + kFunctionKeys) {
        return "F" + std::to_string(code - kF1 + 1);
    }
    if (code >= kNumPad0 && code <= kNumPad0 + 9) {
        return "NumPad" + std::to_string(code - kNumPad0);
    }
    for (const NamedKey& named : kNamedKeys) {
        if (named.code == code) {
            return std::string(named.name);
        }
    }
    constexpr std::string_view kHex = "0123456789ABCDEF";
    return std::string{'#', kHex[code >> 4], kHex[code & 0xF]};
}

// A number of one to two digits after the prefix, within [first, last].
std::optional<int> numberAfter(std::string_view text, std::string_view prefix, int first, int last,
                               int base = 10) {
    if (text.size() <= prefix.size() ||
        !sameLettersIgnoringCase(text.substr(0, prefix.size()), prefix)) {
        return std::nullopt;
    }
    text.remove_prefix(prefix.size());
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc{} || end != text.data() + text.size() || text.size() > 2 ||
        value < first || value > last) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint8_t> keyCode(std::string_view name) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return static_cast<std::uint8_t>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    if (const auto f = numberAfter(name, "F", 1, kFunctionKeys)) {
        return static_cast<std::uint8_t>(kF1 + *f - 1);
    }
    if (const auto digit = numberAfter(name, "NumPad", 0, 9)) {
        return static_cast<std::uint8_t>(kNumPad0 + *digit);
    }
    if (const auto code = numberAfter(name, "#", 1, 0xFF, 16)) {
        return static_cast<std::uint8_t>(*code);
    }
    for (const NamedKey& named : kNamedKeys) {
        if (sameLettersIgnoringCase(named.name, name)) {
            return named.code;
        }
    }
    return std::nullopt;
}

} // namespace

bool usableAsGlobalKey(const HotKey& key) {
    return !key.none() && (key.ctrl || key.alt) && !(key.ctrl && key.alt && !key.shift);
}

std::string hotKeyText(const HotKey& key) {
    if (key.none()) {
        return {};
    }
    std::string text;
    for (const auto& [held, name] : {std::pair{key.ctrl, "Ctrl+"}, std::pair{key.shift, "Shift+"},
                                     std::pair{key.alt, "Alt+"}}) {
        if (held) {
            text += name;
        }
    }
    return text + keyName(key.virtualKey);
}

std::optional<HotKey> parseHotKey(std::string_view text) {
    text = withoutBlanks(text);
    if (text.empty()) {
        return HotKey{};
    }
    HotKey key;
    for (;;) {
        const size_t plus = text.find('+', 1); // a lone "+" cannot be the key: it is "Add"
        const std::string_view part = withoutBlanks(text.substr(0, plus));
        if (plus == std::string_view::npos) {
            const auto code = keyCode(part);
            if (!code) {
                return std::nullopt;
            }
            key.virtualKey = *code;
            break;
        }
        bool* modifier =
            sameLettersIgnoringCase(part, "Ctrl") || sameLettersIgnoringCase(part, "Control")
                ? &key.ctrl
            : sameLettersIgnoringCase(part, "Shift") ? &key.shift
            : sameLettersIgnoringCase(part, "Alt")   ? &key.alt
                                                     : nullptr;
        if (modifier == nullptr || *modifier) {
            return std::nullopt;
        }
        *modifier = true;
        text.remove_prefix(plus + 1);
    }
    if (!usableAsGlobalKey(key)) {
        return std::nullopt;
    }
    return key;
}

} // namespace miruteka
