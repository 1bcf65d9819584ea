// What the list file, miruteka.ini and the key names share in reading text: lines, blanks
// and names compared without regard to ASCII case.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace miruteka {

inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Lines end in CR LF, or in a bare LF when the file was edited by hand; the last line may
// lack its end. At most `limit` lines. Shift-JIS trail bytes are never CR or LF, so splitting
// the bytes is safe in either encoding.
inline std::vector<std::string_view> splitLines(std::string_view bytes,
                                                std::size_t limit = static_cast<std::size_t>(-1)) {
    std::vector<std::string_view> lines;
    while (!bytes.empty() && lines.size() < limit) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

// Without the spaces and tabs around it.
inline std::string_view withoutBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

inline bool sameLettersIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace miruteka
