// filelist.txt: where it lives, its reading (its byte layout is list_format's), the one
// writer that never loses the user's list, and what makes a whole list for the store that
// keeps it.
#pragma once

#include "data/file_store.h"
#include "data/launcher_state.h"
#include "data/list_format.h"
#include "platform/codepage.h"
#include "platform/files.h"

#include <string>

namespace miruteka {

// The program folder joined with "filelist.txt"; a "\" is added only when the folder does
// not already end in one.
std::string listFilePath(const std::string& programFolder);

// Whether an entry of that name exists in any form (hidden, system, even a folder).
bool listFileExists(const FileSystem& files, const std::string& path);

// Reads and decodes the file; one that cannot be read changes nothing.
ReadResult readListFile(const FileSystem& files, const AnsiCodePage& codePage,
                        const std::string& path, Settings& settings, ItemTables& items);

// A save writes the whole list, at least 85 lines, before the file is touched; one cut off
// while writing has fewer.
bool holdsWholeList(std::string_view bytes);
// The list waits for a temporary it cannot settle: it may be another instance's save.
inline constexpr StoredFormat kListFileFormat{.whole = holdsWholeList, .temporaryNames = 1};

struct SaveResult {
    // Unrepresentable: a name or path holds a line break. UnreadableKept: the list would have
    // to become UTF-8, which would lose the bytes of an item the code page cannot read.
    enum class Status { Saved, Unrepresentable, UnreadableKept, WriteFailed };
    Status status = Status::Saved;
    WriteError writeError = WriteError::None; // with WriteFailed
    int group = 0;                            // with Unrepresentable, UnreadableKept: 1..4
    int row = 0;                              // with Unrepresentable, UnreadableKept: 1..10
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
