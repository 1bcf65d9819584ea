#include "data/file_store.h"

namespace miruteka {
namespace {

// How many names "<path>.partial", "...partial2" and so on a cut-off save may be kept under
// before the oldest ones stand in the way.
constexpr int kPartialNames = 20;
// About two seconds of quarter-second pauses.
constexpr int kRetries = 8;

template <typename Try> bool retrying(FileSystem& files, Try&& attempt) {
    for (int retry = 0;; ++retry) {
        if (attempt()) {
            return true;
        }
        if (retry == kRetries) {
            return false;
        }
        files.waitBeforeRetry();
    }
}

bool keepAside(FileSystem& files, const std::string& temporary, const std::string& path) {
    for (int attempt = 1; attempt <= kPartialNames; ++attempt) {
        const std::string aside = path + ".partial" + (attempt > 1 ? std::to_string(attempt) : "");
        if (files.moveFile(temporary, aside)) {
            return true;
        }
    }
    return false;
}

// A whole file written after the temporary: a save went past the temporary while it was
// stuck, so the temporary is older than what is in place.
bool fileIsNewerAndWhole(FileSystem& files, const std::string& path,
                         const FileAttributes& temporary, const StoredFormat& format) {
    const auto file = files.attributes(path);
    if (!file || file->directory || file->lastWrite == 0 || temporary.lastWrite == 0 ||
        file->lastWrite <= temporary.lastWrite) {
        return false;
    }
    const ReadResult read = files.readFile(path);
    return read.ok() && format.whole(read.bytes);
}

} // namespace

std::string temporaryPath(const std::string& path, int index) {
    return index == 0 ? temporaryPathFor(path) : temporaryPathFor(path) + std::to_string(index + 1);
}

ReadResult readRetrying(FileSystem& files, const std::string& path) {
    ReadResult read;
    retrying(files, [&] {
        read = files.readFile(path);
        return read.error == ReadError::None || read.error == ReadError::Missing;
    });
    return read;
}

LeftoverTemporary settleLeftoverTemporary(FileSystem& files, const std::string& temporary,
                                          const std::string& path, const StoredFormat& format) {
    const auto found = files.attributes(temporary);
    if (!found || found->directory) {
        return {};
    }
    LeftoverTemporary leftover{.fate = LeftoverTemporary::Fate::Unreadable,
                               .read = readRetrying(files, temporary)};
    if (leftover.read.error == ReadError::Missing) {
        return {}; // gone meanwhile: another instance's save has finished
    }
    if (!leftover.read.ok()) {
        return leftover; // "could not read" is not "cut short": nothing is decided
    }
    leftover.whole =
        format.whole(leftover.read.bytes) && !fileIsNewerAndWhole(files, path, *found, format);
    const bool moved = leftover.whole
                           ? retrying(files, [&] { return files.moveOver(temporary, path); })
                           : keepAside(files, temporary, path);
    leftover.fate = !moved           ? LeftoverTemporary::Fate::Held
                    : leftover.whole ? LeftoverTemporary::Fate::TookThePlace
                                     : LeftoverTemporary::Fate::KeptAside;
    return leftover;
}

WriteResult writeStoredFile(FileSystem& files, const std::string& path, std::string_view bytes,
                            const StoredFormat& format) {
    // The last name is tried even when it is there: another instance's save under way is
    // waited for a moment.
    int index = 0;
    while (index + 1 < format.temporaryNames && files.attributes(temporaryPath(path, index))) {
        ++index;
    }
    WriteResult written = files.replaceFile(path, bytes, temporaryPath(path, index));
    if (written.error == WriteError::TemporaryHeld) {
        written.keptAt = temporaryPath(path, 0);
    }
    return written;
}

} // namespace miruteka
