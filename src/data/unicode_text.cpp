#include "data/unicode_text.h"

#include <cstdint>

namespace miruteka {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

void appendUtf8(std::string& out, std::uint32_t codePoint) {
    const auto byte = [&](std::uint32_t value) { out += static_cast<char>(value); };
    if (codePoint < 0x80) {
        byte(codePoint);
    } else if (codePoint < 0x800) {
        byte(0xC0 | (codePoint >> 6));
        byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        byte(0xE0 | (codePoint >> 12));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    } else {
        byte(0xF0 | (codePoint >> 18));
        byte(0x80 | ((codePoint >> 12) & 0x3F));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    }
}

bool isHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80; // the range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t at = 2; at < length; ++at) {
        if (byte(at) < 0x80 || byte(at) > 0xBF) {
            return 0;
        }
    }
    return length;
}

std::string wellFormedUtf8(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0) {
            result += kReplacement;
            text.remove_prefix(1);
        } else {
            result.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return result;
}

std::optional<std::string> utf16WithMarkToUtf8(std::string_view bytes) {
    bool bigEndian = false;
    if (bytes.starts_with("\xFF\xFE")) {
        bigEndian = false;
    } else if (bytes.starts_with("\xFE\xFF")) {
        bigEndian = true;
    } else {
        return std::nullopt;
    }
    bytes.remove_prefix(2);
    const auto unitAt = [&](std::size_t at) -> std::uint32_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string result;
    result.reserve(bytes.size() * 3 / 2);
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const std::uint32_t unit = unitAt(at);
        if (isHighSurrogate(unit) && at + 3 < bytes.size() && isLowSurrogate(unitAt(at + 2))) {
            appendUtf8(result, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(at + 2) - 0xDC00));
            at += 2;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            result += kReplacement;
        } else {
            appendUtf8(result, unit);
        }
    }
    if (at < bytes.size()) {
        result += kReplacement;
    }
    return result;
}

} // namespace miruteka
