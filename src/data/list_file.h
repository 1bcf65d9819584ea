// filelist.txt: where it lives, its reading (its byte layout is list_format's), and the one
// writer that never loses the user's list.
#pragma once

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

// A read that fails for any reason but a missing file is tried again for about two seconds:
// a virus scanner, a backup or a cloud client may hold the file for a moment.
ReadResult readRetrying(FileSystem& files, const std::string& path);

// What became of a "<path>.new" that a cut-off save left behind.
struct LeftoverTemporary {
    enum class Fate {
        None,         // there is none
        TookThePlace, // a whole list: it replaced the list file
        KeptAside,    // cut short: renamed "<path>.partial" (or "...partial2" and so on)
        Unreadable,   // it could not be read: nothing can be said about it
        Held,         // read, but it could not be moved
    };
    Fate fate = Fate::None;
    ReadResult read{}; // its bytes, or why they could not be read
    bool whole = false;
};
// A whole temporary is the user's last OK: it takes the list's place, whether the list is
// there or not. One that is cut short is kept aside. Moves are retried like reads.
LeftoverTemporary settleLeftoverTemporary(FileSystem& files, const std::string& path);

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
