// The list file at start-up: settle what a cut-off save left, create the default file on a
// first start, and read the list, never running on an empty list that a later save could
// write over the user's real one.
#pragma once

#include "data/launcher_state.h"
#include "data/list_file.h"
#include "platform/codepage.h"
#include "platform/files.h"

#include <string>

namespace miruteka {

struct ListStartup {
    enum class Outcome {
        Loaded,       // the list, or the whole temporary that could not take its place
        Created,      // a first start: the default file is new
        Unreadable,   // `file` is there but could not be read: settings and tables untouched
        CannotCreate, // the default file could not be written (`created` says why)
    };
    Outcome outcome = Outcome::Loaded;
    std::string file{};         // with Unreadable: the list or its temporary
    ReadResult read{};          // with Unreadable: why
    SaveResult created{};       // with CannotCreate
    bool fromTemporary = false; // loaded from the temporary; the next save puts it in place
};

ListStartup startListFile(FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                          Settings& settings, ItemTables& items);

// The question shown for Unreadable: which file, why, and whether to try again.
std::string unreadableListQuestion(const ListStartup& startup);

} // namespace miruteka
