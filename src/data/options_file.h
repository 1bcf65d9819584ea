// miruteka.ini beside the list: the options filelist.txt has no place for. It is written only
// by the settings window's OK, and only once a value differs from what is in effect.
//
//   [Keys]
//   Pause=Ctrl+Shift+X
//   List=Shift+Alt+Z
//
// Section and key names are read in any case; lines starting with ";" or "#" are comments.
// A key without a line keeps its default; "Pause=" with nothing after, or a value that names
// no key usable from every program, means no key. Of several lines of one name the last
// counts. The file may be UTF-8 (with or without a mark), in the ANSI code page, or UTF-16
// with a mark. A rewrite keeps that form, changes only the lines of the values it writes and
// keeps every other line byte for byte, one the reader cannot use (control characters, bytes
// that are not UTF-8) included.
#pragma once

#include "data/file_store.h"
#include "data/hot_key.h"
#include "platform/files.h"

#include <array>
#include <string>
#include <string_view>

namespace miruteka {

struct Options {
    HotKey pauseKey = kDefaultPauseKey;
    HotKey listKey = kDefaultListKey;
    friend bool operator==(const Options&, const Options&) = default;
};

// The keys the file holds, by their names there.
struct IniKey {
    std::string_view name;
    HotKey Options::*key;
};
inline constexpr std::array<IniKey, 2> kIniKeys{
    {{"Pause", &Options::pauseKey}, {"List", &Options::listKey}}};

// Every key off: what is in effect while the file cannot be read.
Options keysOff();

// The program folder joined with "miruteka.ini".
std::string optionsFilePath(const std::string& programFolder);

// A whole ini: not empty, ending with a line end, and without NUL bytes but those of UTF-16
// text with a mark. A save cut off while it was written (or a file of zeros that a power
// cut left) fails this.
bool holdsWholeIni(std::string_view bytes);
// A leftover temporary never holds a save of the ini up.
inline constexpr StoredFormat kOptionsFileFormat{.whole = holdsWholeIni, .temporaryNames = 2};

Options decodeOptions(std::string_view bytes);
// The file's bytes with these values, from the bytes it had ("" for none); new lines, and a
// last line that had none, end in CR LF.
std::string encodeOptions(std::string_view oldBytes, const Options& options);

struct OptionsStartup {
    Options options{};
    // The file, or a temporary a cut-off save left, is there but cannot be read: every key
    // is off, and the file is not to be written until the next start.
    bool unreadable = false;
};
// Settles what a cut-off save left, then reads the file, retrying one that is held.
OptionsStartup readOptionsFile(FileSystem& files, const std::string& path);
// Merges the values into the file as it is now and saves it crash-safe. A file that is there
// but cannot be read is left as it is (CannotReplace): its other lines are never dropped.
WriteResult writeOptionsFile(FileSystem& files, const std::string& path, const Options& options);

} // namespace miruteka
