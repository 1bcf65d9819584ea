// filelist.txt: where it lives, its byte-exact layout (85 lines, CR LF, ANSI code page or,
// when a name or path needs it, UTF-8 with a mark),
// the reader with its per-line failure rules, and the one writer that never loses the
// user's list.
#pragma once

#include "data/launcher_state.h"
#include "platform/codepage.h"
#include "platform/files.h"

#include <string>

namespace miruteka {

inline constexpr int kListFileLines = 85;

// The program folder joined with "filelist.txt"; a "\" is added only when the folder does
// not already end in one.
std::string listFilePath(const std::string& programFolder);

// Whether an entry of that name exists in any form (hidden, system, even a folder).
bool listFileExists(const FileSystem& files, const std::string& path);

// The whole text of a list file for these settings and tables: in the ANSI code page when
// every name and path survives it, else in UTF-8 with a mark. The rare code page text that
// would read back as UTF-8 gets one more line, which readers ignore.
struct EncodedList {
    bool ok = false;
    std::string bytes;
    // When !ok: the first item whose name or path holds a line break, which the file, having
    // no quoting, cannot hold.
    int group = 0; // 1..4
    int row = 0;   // 1..10, as the settings window numbers its rows
};
EncodedList encodeListFile(const AnsiCodePage& codePage, const Settings& settings,
                           const ItemTables& items);

// Fills settings and tables from the file's lines; a line that cannot be read leaves its
// value as it was. A file that cannot be opened changes nothing. The file is in the ANSI
// code page, unless it starts with the UTF-8 or a UTF-16 mark, or reads as UTF-8 (as Notepad
// saves it; see readsAsUtf8).
void decodeListFile(const AnsiCodePage& codePage, std::string_view bytes, Settings& settings,
                    ItemTables& items);
void readListFile(const FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                  Settings& settings, ItemTables& items);

struct SaveResult {
    // Unrepresentable: a name or path holds a line break.
    enum class Status { Saved, Unrepresentable, WriteFailed };
    Status status = Status::Saved;
    WriteError writeError = WriteError::None; // with WriteFailed
    int group = 0;                            // with Unrepresentable: 1..4
    int row = 0;                              // with Unrepresentable: 1..10
    std::string keptAt{};                     // with NotMovedIntoPlace: the saved list
    bool created = false; // ensureListFile: no file was there, the default one is new
    bool saved() const { return status == Status::Saved; }
};

// Replaces the list file with these settings and tables. On a failure the old file stays
// byte-identical, except with NotMovedIntoPlace, where the new list is kept at keptAt.
SaveResult writeListFile(FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                         const Settings& settings, const ItemTables& items);

// At start-up, when no file of that name exists in any form: puts the whole list that a
// cut-off save left in its temporary in place, or else creates the default file (191
// bytes). An existing file, even hidden or system, is never replaced. `created` tells a first
// start (the default file is new) from every later one.
SaveResult ensureListFile(FileSystem& files, const AnsiCodePage& codePage, const std::string& path);

} // namespace miruteka
