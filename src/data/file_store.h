// How every file the program keeps is read and written: reads that wait out a program
// holding the file for a moment, saves that never leave a half-written file in its place,
// and the settling of what a save cut off (a power cut) left behind. What a whole file looks
// like is each format's own business.
#pragma once

#include "platform/files.h"

#include <string>
#include <string_view>

namespace miruteka {

struct StoredFormat {
    // Whether these bytes are a whole file: a save writes all of them before the file is
    // touched, so a temporary that fails this was cut off while it was written.
    bool (*whole)(std::string_view bytes) = nullptr;
    // How many temporary names a save may use, "<path>.new", "<path>.new2" and so on. With
    // one, a leftover that cannot be settled holds the save up (it may be the newest file,
    // or another instance's save under way); with more, the save goes past it through the
    // next name, and start-up settles them in that order, so the latest one wins.
    int temporaryNames = 1;
};

// The temporary names of a file, index 0 being temporaryPathFor(path).
std::string temporaryPath(const std::string& path, int index);

// A read that fails for any reason but a missing file is tried again for about two seconds:
// a virus scanner, a backup or a cloud client may hold the file for a moment.
ReadResult readRetrying(FileSystem& files, const std::string& path);

// What became of a temporary that a cut-off save left behind.
struct LeftoverTemporary {
    enum class Fate {
        None,         // there is none
        TookThePlace, // a whole file: it replaced the file
        KeptAside,    // cut short or stale: renamed "<path>.partial" (or "...partial2" and so on)
        Unreadable,   // it could not be read: nothing can be said about it
        Held,         // read, but it could not be moved
    };
    Fate fate = Fate::None;
    ReadResult read{}; // its bytes, or why they could not be read
    // It holds the newest whole file. One older than a whole file in place is stale: a later
    // save went past it while it could not be moved.
    bool whole = false;
};
// A whole temporary is the user's last save: it takes the file's place, whether the file is
// there or not. One that is cut short or stale is kept aside. Moves are retried like reads.
LeftoverTemporary settleLeftoverTemporary(FileSystem& files, const std::string& temporary,
                                          const std::string& path, const StoredFormat& format);

// Writes the bytes over the file through the first of its temporary names that is free,
// once leftovers are settled; TemporaryHeld (keptAt: the first one) when none is.
WriteResult writeStoredFile(FileSystem& files, const std::string& path, std::string_view bytes,
                            const StoredFormat& format);

} // namespace miruteka
