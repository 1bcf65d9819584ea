#include "data/list_file.h"

#include "data/text_lines.h"
#include "data/unicode_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace miruteka {
namespace {

constexpr std::string_view kListFileName = "filelist.txt";
// "シフトJIS" in code page 932: a line that is never valid UTF-8 (see encodeListFile).
constexpr std::string_view kNotUtf8Line = "\x83\x56\x83\x74\x83\x67JIS\r\n";

// Works for Settings and const Settings alike.
template <typename S> auto settingsInFileOrder(S& s) {
    return std::array{&s.intTimerInterval, &s.intMoveThreshold, &s.intMouseGap, &s.intIconGap,
                      &s.intUnlockDistance};
}

void appendNumberLine(std::string& out, int value) {
    out += value < 0 ? '-' : ' ';
    out += std::to_string(value < 0 ? -value : value);
    out += ' ';
    out += kCrLf;
}

// The file has no quoting: a line break inside a name or path would move every later line.
bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// An optionally signed decimal integer with blanks around it; an empty line is 0. Nothing
// when the line is not such a number or the value does not fit 16 bits.
std::optional<int16_t> parseSetting(std::string_view line) {
    line = withoutBlanks(line);
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

SaveResult fromWrite(const WriteResult& written) {
    if (written.error == WriteError::None) {
        return SaveResult{};
    }
    return SaveResult{.status = SaveResult::Status::WriteFailed,
                      .writeError = written.error,
                      .group = 0,
                      .row = 0,
                      .keptAt = written.keptAt};
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
    std::string numbers;
    for (const int16_t* value : settingsInFileOrder(settings)) {
        appendNumberLine(numbers, *value);
    }
    // The list stays in the code page while every name and path fits it, so files of older
    // versions and of other programs keep their form; one that does not fit makes the whole
    // file UTF-8 with a mark, which the reader (and Notepad) tells apart.
    std::string ansiLines;
    std::string utf8Lines;
    bool fitsCodePage = true;
    for (int group = 1; group <= kGroupCount; ++group) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            for (const std::string* text : {&items.name(group, slot), &items.path(group, slot)}) {
                if (holdsLineBreak(*text)) {
                    return EncodedList{.ok = false, .bytes = {}, .group = group, .row = slot + 1};
                }
                if (fitsCodePage) {
                    const auto ansi = codePage.fromUtf8(*text);
                    fitsCodePage = ansi.has_value();
                    ansiLines += ansi.value_or("");
                    ansiLines += kCrLf;
                }
                utf8Lines += wellFormedUtf8(*text);
                utf8Lines += kCrLf;
            }
        }
    }
    if (!fitsCodePage) {
        return EncodedList{.ok = true,
                           .bytes = std::string(kUtf8Mark) + numbers + utf8Lines,
                           .group = 0,
                           .row = 0};
    }
    EncodedList result{.ok = true, .bytes = numbers + ansiLines, .group = 0, .row = 0};
    // Rare code page text (half-width katakana next to certain kanji, say) is valid UTF-8 as
    // well; the reader would take it for UTF-8. A line past the 85th, which readers ignore,
    // makes such a file plainly not UTF-8, so it reads back as it was saved.
    if (readsAsUtf8(result.bytes) && codePage.toUtf8(result.bytes) != result.bytes) {
        result.bytes += kNotUtf8Line;
    }
    return result;
}

void decodeListFile(const AnsiCodePage& codePage, std::string_view bytes, Settings& settings,
                    ItemTables& items) {
    // Notepad's "Unicode" is UTF-16 with a mark; converted, it reads as UTF-8 does.
    const std::optional<std::string> fromUtf16 = utf16WithMarkToUtf8(bytes);
    bool utf8 = fromUtf16.has_value() || bytes.starts_with(kUtf8Mark);
    if (fromUtf16) {
        bytes = *fromUtf16;
    } else if (utf8) {
        bytes.remove_prefix(kUtf8Mark.size());
    } else {
        utf8 = readsAsUtf8(bytes);
    }
    const std::vector<std::string_view> lines = splitLines(bytes, kListFileLines);
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
            *text = utf8 ? wellFormedUtf8(lines[line]) : codePage.toUtf8(lines[line]);
            ++line;
        }
    }
}

bool holdsWholeList(std::string_view bytes) {
    return std::count(bytes.begin(), bytes.end(), '\n') >= kListFileLines;
}

ReadResult readListFile(const FileSystem& files, const AnsiCodePage& codePage,
                        const std::string& path, Settings& settings, ItemTables& items) {
    ReadResult read = files.readFile(path);
    if (read.ok()) {
        decodeListFile(codePage, read.bytes, settings, items);
    }
    return read;
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
    // The writer needs the temporary's name, and a temporary it cannot settle may hold the
    // newest list: the save waits rather than write past it.
    const LeftoverTemporary leftover =
        settleLeftoverTemporary(files, temporaryPathFor(path), path, kListFileFormat);
    if (leftover.fate == LeftoverTemporary::Fate::Unreadable ||
        leftover.fate == LeftoverTemporary::Fate::Held) {
        return SaveResult{.status = SaveResult::Status::WriteFailed,
                          .writeError = WriteError::TemporaryHeld,
                          .group = 0,
                          .row = 0,
                          .keptAt = temporaryPathFor(path)};
    }
    return fromWrite(writeStoredFile(files, path, encoded.bytes, kListFileFormat));
}

SaveResult createDefaultListFile(FileSystem& files, const AnsiCodePage& codePage,
                                 const std::string& path) {
    const EncodedList defaults = encodeListFile(codePage, kDefaultSettings, ItemTables{});
    const WriteResult written = files.createFile(path, defaults.bytes, temporaryPathFor(path));
    if (written.error == WriteError::AlreadyExists) {
        return SaveResult{};
    }
    SaveResult result = fromWrite(written);
    result.created = result.saved();
    return result;
}

} // namespace miruteka
