// miruteka.ini beside the exe: the options filelist.txt has no place for. A missing or
// unreadable file, or a value that cannot be read, means the default; the file is written
// only by the settings window's OK, and only once a value differs from what is in effect.
//
//   [Keys]
//   Pause=Ctrl+Shift+X
//
// Section and key names are read in any case; lines starting with ";" or "#" are comments.
// "Pause=" with nothing after turns the key off. A rewrite changes only the lines of the
// values it writes and keeps every other line as it was.
#pragma once

#include "data/hot_key.h"
#include "platform/files.h"

#include <string>
#include <string_view>

namespace miruteka {

struct Options {
    HotKey pauseKey = kDefaultPauseKey;
    friend bool operator==(const Options&, const Options&) = default;
};

// The program folder joined with "miruteka.ini".
std::string optionsFilePath(const std::string& programFolder);

Options decodeOptions(std::string_view text);
// The file's text with these values, from the text it had ("" for none), in CR LF lines.
std::string encodeOptions(std::string_view oldText, const Options& options);

Options readOptionsFile(const FileSystem& files, const std::string& path);
// Writes the values the same crash-safe way as the list file: on failure the old file is
// as it was (but see WriteError::NotMovedIntoPlace).
WriteResult writeOptionsFile(FileSystem& files, const std::string& path, const Options& options);

} // namespace miruteka
