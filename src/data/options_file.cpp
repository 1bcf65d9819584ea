#include "data/options_file.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace miruteka {
namespace {

constexpr std::string_view kFileName = "miruteka.ini";
constexpr std::string_view kKeysSection = "Keys";
constexpr std::string_view kPauseKey = "Pause";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool sameText(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::vector<std::string_view> splitLines(std::string_view text) {
    if (text.starts_with(kUtf8Mark)) {
        text.remove_prefix(kUtf8Mark.size());
    }
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

// The section a "[name]" line opens, if the line is one.
std::optional<std::string_view> sectionOf(std::string_view line) {
    line = trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
        return std::nullopt;
    }
    return trimmed(line.substr(1, line.size() - 2));
}

// The value of a "name=value" line for that name.
std::optional<std::string_view> valueOf(std::string_view line, std::string_view name) {
    line = trimmed(line);
    const size_t equals = line.find('=');
    if (line.starts_with(';') || line.starts_with('#') || equals == std::string_view::npos ||
        !sameText(trimmed(line.substr(0, equals)), name)) {
        return std::nullopt;
    }
    return trimmed(line.substr(equals + 1));
}

} // namespace

std::string optionsFilePath(const std::string& programFolder) {
    std::string path = programFolder;
    if (!path.empty() && path.back() != '\\') {
        path += '\\';
    }
    return path += kFileName;
}

Options decodeOptions(std::string_view text) {
    Options options;
    bool inKeys = false;
    for (const std::string_view line : splitLines(text)) {
        if (const auto section = sectionOf(line)) {
            inKeys = sameText(*section, kKeysSection);
        } else if (const auto value = inKeys ? valueOf(line, kPauseKey) : std::nullopt) {
            // The last readable line counts, as with the system's own ini reader.
            options.pauseKey = parseHotKey(*value).value_or(options.pauseKey);
        }
    }
    return options;
}

std::string encodeOptions(std::string_view oldText, const Options& options) {
    const std::string pauseLine = std::string(kPauseKey) + "=" + hotKeyText(options.pauseKey);
    std::vector<std::string> lines;
    bool inKeys = false;
    bool written = false;
    std::optional<size_t> keysEnd; // where the Keys section's last line is
    for (const std::string_view line : splitLines(oldText)) {
        const std::string_view content =
            line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
        if (const auto section = sectionOf(content)) {
            inKeys = sameText(*section, kKeysSection);
        } else if (inKeys && valueOf(content, kPauseKey)) {
            // A later line of the same name would win when read: only the first stays.
            if (!written) {
                lines.push_back(pauseLine);
                written = true;
                keysEnd = lines.size();
            }
            continue;
        }
        lines.emplace_back(content);
        if (inKeys && !trimmed(content).empty()) {
            keysEnd = lines.size();
        }
    }
    if (!written && keysEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*keysEnd), pauseLine);
    } else if (!written) {
        if (!lines.empty() && !trimmed(lines.back()).empty()) {
            lines.emplace_back();
        }
        lines.push_back("[" + std::string(kKeysSection) + "]");
        lines.push_back(pauseLine);
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += kLineEnd;
    }
    return text;
}

Options readOptionsFile(const FileSystem& files, const std::string& path) {
    const ReadResult read = files.readFile(path);
    return read.ok() ? decodeOptions(read.bytes) : Options{};
}

WriteResult writeOptionsFile(FileSystem& files, const std::string& path, const Options& options) {
    if (const ReadResult old = files.readFile(path); old.ok()) {
        return files.replaceFile(path, encodeOptions(old.bytes, options));
    }
    // One that cannot be read (held open) is not merged, but is not kept either: the user
    // asked for these values.
    if (files.attributes(path)) {
        return files.replaceFile(path, encodeOptions({}, options));
    }
    return files.createFile(path, encodeOptions({}, options));
}

} // namespace miruteka
