// filelist.txt: where it lives, its byte-exact layout (85 lines, CR LF, ANSI code page or,
// when a name or path needs it, UTF-8 with a mark), the reader with its per-line failure
// rules, and what makes a whole list for the store that keeps it.
#pragma once

#include "data/file_store.h"
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
// value as it was. The file is in the ANSI code page, unless it starts with the UTF-8 or a
// UTF-16 mark, or reads as UTF-8 (as Notepad saves it; see readsAsUtf8).
void decodeListFile(const AnsiCodePage& codePage, std::string_view bytes, Settings& settings,
                    ItemTables& items);
// Reads and decodes the file; one that cannot be read changes nothing.
ReadResult readListFile(const FileSystem& files, const AnsiCodePage& codePage,
                        const std::string& path, Settings& settings, ItemTables& items);

// A save writes the whole list, at least 85 lines, before the file is touched; one cut off
// while writing has fewer.
bool holdsWholeList(std::string_view bytes);
// The list waits for a temporary it cannot settle: it may be another instance's save.
inline constexpr StoredFormat kListFileFormat{.whole = holdsWholeList, .temporaryNames = 1};

struct SaveResult {
    // Unrepresentable: a name or path holds a line break.
    enum class Status { Saved, Unrepresentable, WriteFailed };
    Status status = Status::Saved;
    WriteError writeError = WriteError::None; // with WriteFailed
    int group = 0;                            // with Unrepresentable: 1..4
    int row = 0;                              // with Unrepresentable: 1..10
    std::string keptAt{};                     // with NotMovedIntoPlace, TemporaryHeld
    bool created = false;                     // createDefaultListFile: the default file is new
    bool saved() const { return status == Status::Saved; }
};

// Replaces the list file with these settings and tables, after settling what an earlier
// cut-off save left. On a failure the old file stays byte-identical, except with
// NotMovedIntoPlace, where the new list is kept at keptAt; with TemporaryHeld, keptAt names
// the temporary that stood in the way.
SaveResult writeListFile(FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                         const Settings& settings, const ItemTables& items);

// Writes the default file (191 bytes) where no entry of that name exists. `created` tells
// whether it is new; an entry that turned up meanwhile is left alone.
SaveResult createDefaultListFile(FileSystem& files, const AnsiCodePage& codePage,
                                 const std::string& path);

} // namespace miruteka
