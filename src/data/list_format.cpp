#include "data/list_format.h"

#include "data/text_lines.h"
#include "data/unicode_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace miruteka {
namespace {

constexpr unsigned kJapaneseCodePage = 932;
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

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// À..ɏ but × and ÷: the accented letters of Western and Central European names.
bool isLatinLetter(std::string_view twoBytes) {
    const auto lead = static_cast<unsigned char>(twoBytes[0]);
    const auto trail = static_cast<unsigned char>(twoBytes[1]);
    const unsigned codePoint = ((lead & 0x1Fu) << 6) | (trail & 0x3Fu);
    return codePoint >= 0xC0 && codePoint <= 0x24F && codePoint != 0xD7 && codePoint != 0xF7;
}

// A line as the file's form reads it, and its bytes when that text would not be written back
// to them: bytes the code page cannot decode or a second form of a character, or bytes of a
// UTF-8 file that are no UTF-8.
struct ReadLine {
    std::string text;
    std::string kept;
};
ReadLine readCodePageLine(const AnsiCodePage& codePage, std::string_view line) {
    ReadLine read{.text = codePage.toUtf8(line), .kept = {}};
    if (codePage.fromUtf8(read.text) != line) {
        read.kept = line;
    }
    return read;
}
ReadLine readUtf8Line(std::string_view line) {
    ReadLine read{.text = wellFormedUtf8(line), .kept = {}};
    if (read.text != line) {
        read.kept = line;
    }
    return read;
}

// Kept bytes stand for a line, in a file of the code page or in UTF-8, while that form would
// read them as the line's text still.
bool keptStandsInCodePage(const AnsiCodePage& codePage, const std::string& text,
                          const std::string& kept) {
    return !kept.empty() && codePage.toUtf8(kept) == text;
}
bool keptStandsInUtf8(const std::string& text, const std::string& kept) {
    return !kept.empty() && wellFormedUtf8(kept) == text;
}

} // namespace

bool listReadsAsUtf8(std::string_view bytes, unsigned codePage) {
    bool beyondAscii = false;
    bool longSequence = false;
    bool lettersBesideAscii = true; // every two-byte sequence is such a Latin letter
    bool inRun = false;             // within a run of two-byte Latin letters
    bool runTouches = false;        // that run has an ASCII letter before or after it
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes.substr(at));
        if (length == 0) {
            return false;
        }
        if (length == 2 && isLatinLetter(bytes.substr(at, 2))) {
            if (!inRun) {
                runTouches = at > 0 && isAsciiLetter(bytes[at - 1]);
            }
            inRun = true;
        } else {
            if (inRun) {
                lettersBesideAscii =
                    lettersBesideAscii && (runTouches || (length == 1 && isAsciiLetter(bytes[at])));
            }
            inRun = false;
            lettersBesideAscii = lettersBesideAscii && length != 2;
        }
        beyondAscii = beyondAscii || length > 1;
        longSequence = longSequence || length > 2;
        at += length;
    }
    lettersBesideAscii = lettersBesideAscii && (!inRun || runTouches);
    if (!beyondAscii) {
        return false;
    }
    return codePage != kJapaneseCodePage || longSequence || lettersBesideAscii;
}

EncodedList encodeListFile(const AnsiCodePage& codePage, const Settings& settings,
                           const ItemTables& items) {
    const auto refused = [](EncodedList::Refusal refusal, int group, int slot) {
        return EncodedList{
            .ok = false, .bytes = {}, .refusal = refusal, .group = group, .row = slot + 1};
    };
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
    int lostGroup = 0; // the first item whose kept bytes UTF-8 would lose, with its slot
    int lostSlot = 0;
    for (int group = 1; group <= kGroupCount; ++group) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const int index = itemIndex(group, slot);
            for (const auto& [text, kept] :
                 {std::pair{&items.strItemName[index], &items.keptName[index]},
                  std::pair{&items.strItemPath[index], &items.keptPath[index]}}) {
                if (holdsLineBreak(*text)) {
                    return refused(EncodedList::Refusal::LineBreak, group, slot);
                }
                const bool keepInCodePage = keptStandsInCodePage(codePage, *text, *kept);
                const bool keepInUtf8 = keptStandsInUtf8(*text, *kept);
                const std::optional<std::string> converted = codePage.fromUtf8(*text);
                // UTF-8 could hold a code page line only as the replacement characters it
                // shows.
                if (keepInCodePage && !keepInUtf8 && !converted && lostGroup == 0) {
                    lostGroup = group;
                    lostSlot = slot;
                }
                if (fitsCodePage) {
                    // Bytes a UTF-8 file kept are held by UTF-8 only.
                    const std::optional<std::string> ansi =
                        keepInCodePage ? std::optional(*kept)
                                       : (keepInUtf8 ? std::nullopt : converted);
                    fitsCodePage = ansi.has_value();
                    ansiLines += ansi.value_or("");
                    ansiLines += kCrLf;
                }
                utf8Lines += keepInUtf8 ? *kept : wellFormedUtf8(*text);
                utf8Lines += kCrLf;
            }
        }
    }
    if (!fitsCodePage) {
        // Bytes nobody changed are not traded for replacement characters: the user decides.
        if (lostGroup != 0) {
            return refused(EncodedList::Refusal::UnreadableKept, lostGroup, lostSlot);
        }
        return EncodedList{.ok = true,
                           .bytes = std::string(kUtf8Mark) + numbers + utf8Lines,
                           .refusal = EncodedList::Refusal::None,
                           .group = 0,
                           .row = 0};
    }
    EncodedList result{.ok = true,
                       .bytes = numbers + ansiLines,
                       .refusal = EncodedList::Refusal::None,
                       .group = 0,
                       .row = 0};
    // Rare code page text (half-width katakana next to certain kanji, say, or "Ã©" in code
    // page 1252) is valid UTF-8 as well; the reader would take it for UTF-8. A line past the
    // 85th, which readers ignore, makes such a file plainly not UTF-8, so it reads back as it
    // was saved.
    if (listReadsAsUtf8(result.bytes, codePage.number()) &&
        codePage.toUtf8(result.bytes) != result.bytes) {
        result.bytes += kNotUtf8Line;
    }
    return result;
}

void decodeListFile(const AnsiCodePage& codePage, std::string_view bytes, Settings& settings,
                    ItemTables& items) {
    // Notepad's "Unicode" is UTF-16 with a mark; converted, it reads as UTF-8 does.
    const std::optional<std::string> fromUtf16 = utf16WithMarkToUtf8(bytes);
    const bool marked = !fromUtf16 && bytes.starts_with(kUtf8Mark);
    bool utf8 = fromUtf16.has_value() || marked;
    if (fromUtf16) {
        bytes = *fromUtf16;
    } else if (utf8) {
        bytes.remove_prefix(kUtf8Mark.size());
    } else {
        utf8 = listReadsAsUtf8(bytes, codePage.number());
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
        for (const auto& [text, kept] :
             {std::pair{&items.strItemName[index], &items.keptName[index]},
              std::pair{&items.strItemPath[index], &items.keptPath[index]}}) {
            if (line >= lines.size()) {
                return;
            }
            // UTF-16 is written back as UTF-8 or the code page, neither of which holds its
            // broken units as they were.
            ReadLine read = marked ? readUtf8Line(lines[line])
                            : utf8 ? ReadLine{.text = wellFormedUtf8(lines[line]), .kept = {}}
                                   : readCodePageLine(codePage, lines[line]);
            *text = std::move(read.text);
            *kept = std::move(read.kept);
            ++line;
        }
    }
}

} // namespace miruteka
