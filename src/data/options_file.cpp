#include "data/options_file.h"

#include "data/text_lines.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace miruteka {
namespace {

constexpr std::string_view kFileName = "miruteka.ini";
constexpr std::string_view kKeysSection = "Keys";
constexpr std::string_view kKeysSectionLine = "[Keys]";
constexpr std::string_view kPauseKey = "Pause";

std::string_view withoutMark(std::string_view text) {
    return text.starts_with(kUtf8Mark) ? text.substr(kUtf8Mark.size()) : text;
}

// The section a "[name]" line opens, if the line is one.
std::optional<std::string_view> sectionOf(std::string_view line) {
    line = withoutBlanks(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
        return std::nullopt;
    }
    return withoutBlanks(line.substr(1, line.size() - 2));
}

// The value of a "name=value" line for that name.
std::optional<std::string_view> valueOf(std::string_view line, std::string_view name) {
    line = withoutBlanks(line);
    const size_t equals = line.find('=');
    if (line.starts_with(';') || line.starts_with('#') || equals == std::string_view::npos ||
        !sameLettersIgnoringCase(withoutBlanks(line.substr(0, equals)), name)) {
        return std::nullopt;
    }
    return withoutBlanks(line.substr(equals + 1));
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
    for (const std::string_view line : splitLines(withoutMark(text))) {
        if (const auto section = sectionOf(line)) {
            inKeys = sameLettersIgnoringCase(*section, kKeysSection);
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
    for (const std::string_view line : splitLines(withoutMark(oldText))) {
        const std::string_view content = line;
        if (const auto section = sectionOf(content)) {
            inKeys = sameLettersIgnoringCase(*section, kKeysSection);
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
        if (inKeys && !withoutBlanks(content).empty()) {
            keysEnd = lines.size();
        }
    }
    if (!written && keysEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*keysEnd), pauseLine);
    } else if (!written) {
        if (!lines.empty() && !withoutBlanks(lines.back()).empty()) {
            lines.emplace_back();
        }
        lines.emplace_back(kKeysSectionLine);
        lines.push_back(pauseLine);
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += kCrLf;
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
