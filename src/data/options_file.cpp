#include "data/options_file.h"

#include "data/text_lines.h"
#include "data/unicode_text.h"
#include "platform/program_place_queries.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace miruteka {
namespace {

constexpr std::string_view kFileName = "miruteka.ini";
constexpr std::string_view kKeysSection = "Keys";
constexpr std::string_view kKeysSectionLine = "[Keys]";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

enum class Form { Bytes, Utf16Le, Utf16Be };

struct IniLine {
    std::string_view raw;            // as in the file, its line end included
    std::optional<std::string> text; // without its end, as UTF-8, when the reader can use it
};

// The file split into its lines, each kept as it is, in the form the file is in.
struct IniText {
    Form form = Form::Bytes;
    std::string_view mark;
    std::vector<IniLine> lines;
};

Form formOf(std::string_view bytes) {
    return bytes.starts_with(kUtf16LeMark)   ? Form::Utf16Le
           : bytes.starts_with(kUtf16BeMark) ? Form::Utf16Be
                                             : Form::Bytes;
}

// Text that holds a control character (a tab aside) or bytes that are not UTF-8 is no line
// the reader can use: it is neither a section nor a value, whatever it looks like.
std::optional<std::string> usable(std::string text) {
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto c = static_cast<unsigned char>(rest.front());
        const std::size_t length = utf8SequenceLength(rest);
        if (length == 0 || (c < 0x20 && c != '\t') || c == 0x7F) {
            return std::nullopt;
        }
        rest.remove_prefix(length);
    }
    return text;
}

IniText parseIni(std::string_view bytes) {
    IniText ini{.form = formOf(bytes), .mark = {}, .lines = {}};
    const bool utf16 = ini.form != Form::Bytes;
    const std::string_view mark = utf16                          ? bytes.substr(0, 2)
                                  : bytes.starts_with(kUtf8Mark) ? kUtf8Mark
                                                                 : std::string_view{};
    ini.mark = mark;
    bytes.remove_prefix(mark.size());
    const std::size_t unit = utf16 ? 2 : 1;
    // The byte of a unit that says whether it is a line feed, and which must be zero.
    const std::size_t low = ini.form == Form::Utf16Be ? 1 : 0;
    const auto isUnit = [&](std::size_t at, char c) {
        return at + unit <= bytes.size() && bytes[at + low] == c &&
               (!utf16 || bytes[at + 1 - low] == '\0');
    };
    while (!bytes.empty()) {
        std::size_t end = 0;
        while (end < bytes.size() && !isUnit(end, '\n')) {
            end += unit;
        }
        end = std::min(end + unit, bytes.size()); // with its line end
        IniLine line{.raw = bytes.substr(0, end), .text = std::nullopt};
        std::size_t content = end;
        if (content >= unit && isUnit(content - unit, '\n')) {
            content -= unit;
            if (content >= unit && isUnit(content - unit, '\r')) {
                content -= unit;
            }
        }
        const std::string_view contentBytes = bytes.substr(0, content);
        if (!utf16) {
            line.text = usable(std::string(contentBytes));
        } else {
            // An odd byte at the end is read as the unit the writer makes of it.
            std::string units = std::string(mark) + std::string(contentBytes);
            units.resize(units.size() + units.size() % 2, '\0');
            std::string text = *utf16WithMarkToUtf8(units);
            if (text.find(kReplacement) == std::string::npos) {
                line.text = usable(std::move(text));
            }
        }
        ini.lines.push_back(line);
        bytes.remove_prefix(end);
    }
    return ini;
}

// ASCII text (all the writer writes) in the file's form.
std::string inForm(std::string_view text, Form form) {
    if (form == Form::Bytes) {
        return std::string(text);
    }
    std::string wide;
    for (const char c : text) {
        wide += form == Form::Utf16Le ? std::string{c, '\0'} : std::string{'\0', c};
    }
    return wide;
}

bool endsWithLineEnd(std::string_view raw, Form form) {
    return form == Form::Bytes ? raw.ends_with('\n')
           : form == Form::Utf16Le
               ? raw.size() % 2 == 0 && raw.ends_with(std::string_view("\n\0", 2))
               : raw.size() % 2 == 0 && raw.ends_with(std::string_view("\0\n", 2));
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

// The key of kIniKeys that a line of the Keys section sets, with its value.
std::optional<std::pair<const IniKey*, std::string_view>> keyLine(std::string_view line) {
    for (const IniKey& key : kIniKeys) {
        if (const auto value = valueOf(line, key.name)) {
            return std::pair{&key, *value};
        }
    }
    return std::nullopt;
}

std::string keyLineText(const IniKey& key, const Options& options) {
    return std::string(key.name) + "=" + hotKeyText(options.*key.key);
}

// What the temporaries of cut-off saves left, settled in the order they were written.
struct SettledLeftovers {
    bool unreadable = false; // one could not be read: it may hold the newest values
    // The bytes of a whole temporary that could not take the file's place: the newest values.
    std::optional<std::string> newest;
};
// A read stops at a temporary it cannot read; a save settles the others past it.
SettledLeftovers settleLeftovers(FileSystem& files, const std::string& path,
                                 bool stopAtUnreadable) {
    using Fate = LeftoverTemporary::Fate;
    SettledLeftovers settled;
    for (int index = 0; index < kOptionsFileFormat.temporaryNames; ++index) {
        LeftoverTemporary leftover =
            settleLeftoverTemporary(files, temporaryPath(path, index), path, kOptionsFileFormat);
        if (leftover.fate == Fate::Unreadable) {
            settled.unreadable = true;
            if (stopAtUnreadable) {
                break;
            }
        } else if (leftover.fate == Fate::TookThePlace) {
            settled.newest.reset();
        } else if (leftover.fate == Fate::Held && leftover.whole) {
            settled.newest = std::move(leftover.read.bytes);
        }
    }
    return settled;
}

} // namespace

Options keysOff() {
    Options off;
    for (const IniKey& key : kIniKeys) {
        off.*key.key = HotKey{};
    }
    return off;
}

std::string optionsFilePath(const std::string& programFolder) {
    return pathInFolder(programFolder, kFileName);
}

bool holdsWholeIni(std::string_view bytes) {
    const Form form = formOf(bytes);
    if (form != Form::Bytes) {
        return bytes.size() > 2 && endsWithLineEnd(bytes, form);
    }
    return !bytes.empty() && bytes.back() == '\n' && bytes.find('\0') == std::string_view::npos;
}

Options decodeOptions(std::string_view bytes) {
    Options options;
    bool inKeys = false;
    for (const IniLine& line : parseIni(bytes).lines) {
        if (!line.text) {
            continue;
        }
        if (const auto section = sectionOf(*line.text)) {
            inKeys = sameLettersIgnoringCase(*section, kKeysSection);
        } else if (const auto key = inKeys ? keyLine(*line.text) : std::nullopt) {
            // A value that names no usable key is no key: never the default, which the user
            // may have turned off on purpose.
            options.*key->first->key = parseHotKey(key->second).value_or(HotKey{});
        }
    }
    return options;
}

std::string encodeOptions(std::string_view oldBytes, const Options& options) {
    const IniText ini = parseIni(oldBytes);
    std::vector<std::string> lines; // each in the file's form, with its line end if it has one
    std::array<bool, kIniKeys.size()> written{};
    bool inKeys = false;
    std::optional<size_t> keysEnd; // after the Keys section's last line
    const std::string lineEnd = inForm(kCrLf, ini.form);
    for (const IniLine& line : ini.lines) {
        if (const auto section = line.text ? sectionOf(*line.text) : std::nullopt) {
            inKeys = sameLettersIgnoringCase(*section, kKeysSection);
        } else if (const auto key = inKeys && line.text ? keyLine(*line.text) : std::nullopt) {
            // A later line of the same name would win when read: only the first stays.
            const auto index = static_cast<size_t>(key->first - kIniKeys.data());
            if (!written[index]) {
                lines.push_back(inForm(keyLineText(*key->first, options), ini.form) + lineEnd);
                written[index] = true;
                keysEnd = lines.size();
            }
            continue;
        }
        lines.emplace_back(line.raw);
        if (inKeys && (!line.text || !withoutBlanks(*line.text).empty())) {
            keysEnd = lines.size();
        }
    }
    // A key the file has no line for gets one only when it is not its default, which a
    // missing line means: a key nobody changed is never written.
    std::vector<std::string> missing;
    const Options defaults;
    for (size_t index = 0; index < kIniKeys.size(); ++index) {
        const HotKey Options::*key = kIniKeys[index].key;
        if (!written[index] && options.*key != defaults.*key) {
            missing.push_back(inForm(keyLineText(kIniKeys[index], options), ini.form) + lineEnd);
        }
    }
    if (!keysEnd && !missing.empty()) {
        const bool blankLast = ini.lines.empty() || (ini.lines.back().text &&
                                                     withoutBlanks(*ini.lines.back().text).empty());
        if (!blankLast) {
            lines.push_back(lineEnd);
        }
        lines.push_back(inForm(kKeysSectionLine, ini.form) + lineEnd);
        keysEnd = lines.size();
    }
    if (keysEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*keysEnd), missing.begin(),
                     missing.end());
    }
    std::string bytes(ini.mark);
    for (const std::string& line : lines) {
        bytes += line;
        // A last line without its end gets one, so the file counts as whole; in UTF-16 an odd
        // byte at the end is made a whole unit first.
        if (!endsWithLineEnd(line, ini.form)) {
            if (ini.form != Form::Bytes && line.size() % 2 != 0) {
                bytes += '\0';
            }
            bytes += lineEnd;
        }
    }
    return bytes;
}

OptionsStartup readOptionsFile(FileSystem& files, const std::string& path) {
    const OptionsStartup unreadable{.options = keysOff(), .unreadable = true};
    const SettledLeftovers leftovers = settleLeftovers(files, path, true);
    if (leftovers.unreadable) {
        return unreadable; // none of the values are guessed
    }
    if (leftovers.newest) {
        return {.options = decodeOptions(*leftovers.newest), .unreadable = false};
    }
    const ReadResult read = readRetrying(files, path);
    if (read.error == ReadError::Missing) {
        return {};
    }
    if (!read.ok()) {
        return unreadable;
    }
    return {.options = decodeOptions(read.bytes), .unreadable = false};
}

WriteResult writeOptionsFile(FileSystem& files, const std::string& path, const Options& options) {
    // A leftover that cannot be read does not hold the save up: the next name is free for it.
    std::optional<std::string> old = settleLeftovers(files, path, false).newest;
    if (!old) {
        ReadResult read = readRetrying(files, path);
        if (!read.ok() && read.error != ReadError::Missing) {
            return {.error = WriteError::CannotReplace, .keptAt = {}};
        }
        old = std::move(read.bytes);
    }
    return writeStoredFile(files, path, encodeOptions(*old, options), kOptionsFileFormat);
}

} // namespace miruteka
