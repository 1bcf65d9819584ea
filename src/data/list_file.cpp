#include "data/list_file.h"

#include <array>
#include <optional>
#include <vector>

namespace miruteka {
namespace {

constexpr std::string_view kListFileName = "filelist.txt";
constexpr std::string_view kLineEnd = "\r\n";

// Works for Settings and const Settings alike.
template <typename S> auto settingsInFileOrder(S& s) {
    return std::array{&s.intTimerInterval, &s.intMoveThreshold, &s.intMouseGap, &s.intIconGap,
                      &s.intUnlockDistance};
}

void appendNumberLine(std::string& out, int value) {
    out += value < 0 ? '-' : ' ';
    out += std::to_string(value < 0 ? -value : value);
    out += ' ';
    out += kLineEnd;
}

// The file has no quoting: a line break inside a name or path would move every later line.
bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Lines end in CR LF, or in a bare LF when the file was edited by hand; the last line may
// lack its end. Shift-JIS trail bytes are never CR or LF, so splitting the bytes is safe.
std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty() && lines.size() < kListFileLines) {
        const size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
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

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// An optionally signed decimal integer with blanks around it; an empty line is 0. Nothing
// when the line is not such a number or the value does not fit 16 bits.
std::optional<int16_t> parseSetting(std::string_view line) {
    while (!line.empty() && isBlank(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && isBlank(line.back())) {
        line.remove_suffix(1);
    }
    if (line.empty()) {
        return 0;
    }
    bool negative = false;
    if (line.front() == '+' || line.front() == '-') {
        negative = line.front() == '-';
        line.remove_prefix(1);
    }
    if (line.empty()) {
        return std::nullopt;
    }
    long long magnitude = 0;
    for (const char c : line) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > 32768) {
            return std::nullopt;
        }
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > 32767) {
        return std::nullopt;
    }
    return static_cast<int16_t>(value);
}

} // namespace

std::string listFilePath(const std::string& programFolder) {
    std::string path = programFolder;
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    path += kListFileName;
    return path;
}

bool listFileExists(const FileSystem& files, const std::string& path) {
    // Any entry of that name counts, hidden and system ones included: defaults must never
    // be written over a list the user already has.
    return files.findFirst(path).has_value() || files.attributes(path).has_value();
}

EncodedList encodeListFile(const AnsiCodePage& codePage, const Settings& settings,
                           const ItemTables& items) {
    EncodedList result;
    for (const int16_t* value : settingsInFileOrder(settings)) {
        appendNumberLine(result.bytes, *value);
    }
    for (int group = 1; group <= kGroupCount; ++group) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            for (const std::string* text : {&items.name(group, slot), &items.path(group, slot)}) {
                const auto ansi = holdsLineBreak(*text) ? std::nullopt : codePage.fromUtf8(*text);
                if (!ansi) {
                    return EncodedList{.ok = false, .bytes = {}, .group = group, .row = slot + 1};
                }
                result.bytes += *ansi;
                result.bytes += kLineEnd;
            }
        }
    }
    result.ok = true;
    return result;
}

void decodeListFile(const AnsiCodePage& codePage, std::string_view bytes, Settings& settings,
                    ItemTables& items) {
    const std::vector<std::string_view> lines = splitLines(bytes);
    const auto targets = settingsInFileOrder(settings);
    size_t line = 0;
    for (int16_t* target : targets) {
        if (line >= lines.size()) {
            return;
        }
        if (const auto value = parseSetting(lines[line++])) {
            *target = *value;
        }
    }
    for (int index = 0; index < kItemCount; ++index) {
        for (std::string* text : {&items.strItemName[index], &items.strItemPath[index]}) {
            if (line >= lines.size()) {
                return;
            }
            *text = codePage.toUtf8(lines[line++]);
        }
    }
}

void readListFile(const FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                  Settings& settings, ItemTables& items) {
    if (const auto bytes = files.readFile(path)) {
        decodeListFile(codePage, *bytes, settings, items);
    }
}

SaveResult writeListFile(FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                         const Settings& settings, const ItemTables& items) {
    const EncodedList encoded = encodeListFile(codePage, settings, items);
    if (!encoded.ok) {
        return SaveResult{.status = SaveResult::Status::Unrepresentable,
                          .writeError = WriteError::None,
                          .group = encoded.group,
                          .row = encoded.row};
    }
    const WriteError error = files.replaceFile(path, encoded.bytes);
    if (error != WriteError::None) {
        return SaveResult{.status = SaveResult::Status::WriteFailed, .writeError = error};
    }
    return SaveResult{};
}

SaveResult ensureListFile(FileSystem& files, const AnsiCodePage& codePage,
                          const std::string& path) {
    if (listFileExists(files, path)) {
        return SaveResult{};
    }
    return writeListFile(files, codePage, path, kDefaultSettings, ItemTables{});
}

} // namespace miruteka
