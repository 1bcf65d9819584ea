#include "data/list_file.h"

#include <algorithm>

namespace miruteka {
namespace {

constexpr std::string_view kListFileName = "filelist.txt";
// How many names "filelist.txt.partial", "...partial2" and so on a cut-off save may be kept
// under before the oldest ones stand in the way.
constexpr int kPartialNames = 20;

SaveResult fromWrite(const WriteResult& written) {
    if (written.error == WriteError::None) {
        return SaveResult{};
    }
    return SaveResult{.status = SaveResult::Status::WriteFailed,
                      .writeError = written.error,
                      .group = 0,
                      .row = 0,
                      .keptAt = written.keptAt};
}

// A save writes the whole list, at least 85 lines, before the file is touched; one cut off
// while writing has fewer.
bool holdsWholeList(std::string_view bytes) {
    return std::count(bytes.begin(), bytes.end(), '\n') >= kListFileLines;
}

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

} // namespace

std::string listFilePath(const std::string& programFolder) {
    std::string path = programFolder;
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    path += kListFileName;
    return path;
}

bool listFileExists(const FileSystem& files, const std::string& path) {
    // Any entry of that name counts, hidden and system ones included: defaults must never
    // be written over a list the user already has.
    return files.findFirst(path).has_value() || files.attributes(path).has_value();
}

ReadResult readListFile(const FileSystem& files, const AnsiCodePage& codePage,
                        const std::string& path, Settings& settings, ItemTables& items) {
    ReadResult read = files.readFile(path);
    if (read.ok()) {
        decodeListFile(codePage, read.bytes, settings, items);
    }
    return read;
}

ReadResult readRetrying(FileSystem& files, const std::string& path) {
    ReadResult read;
    retrying(files, [&] {
        read = files.readFile(path);
        return read.error == ReadError::None || read.error == ReadError::Missing;
    });
    return read;
}

LeftoverTemporary settleLeftoverTemporary(FileSystem& files, const std::string& path) {
    const std::string temporary = temporaryPathFor(path);
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
    leftover.whole = holdsWholeList(leftover.read.bytes);
    const bool moved = leftover.whole
                           ? retrying(files, [&] { return files.moveOver(temporary, path); })
                           : keepAside(files, temporary, path);
    leftover.fate = !moved           ? LeftoverTemporary::Fate::Held
                    : leftover.whole ? LeftoverTemporary::Fate::TookThePlace
                                     : LeftoverTemporary::Fate::KeptAside;
    return leftover;
}

SaveResult writeListFile(FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                         const Settings& settings, const ItemTables& items) {
    const EncodedList encoded = encodeListFile(codePage, settings, items);
    if (!encoded.ok) {
        return SaveResult{.status = encoded.refusal == EncodedList::Refusal::UnreadableKept
                                        ? SaveResult::Status::UnreadableKept
                                        : SaveResult::Status::Unrepresentable,
                          .writeError = WriteError::None,
                          .group = encoded.group,
                          .row = encoded.row};
    }
    // The writer needs the temporary's name, and a temporary it cannot settle may hold the
    // newest list: the save waits rather than write past it.
    const LeftoverTemporary leftover = settleLeftoverTemporary(files, path);
    if (leftover.fate == LeftoverTemporary::Fate::Unreadable ||
        leftover.fate == LeftoverTemporary::Fate::Held) {
        return SaveResult{.status = SaveResult::Status::WriteFailed,
                          .writeError = WriteError::TemporaryHeld,
                          .group = 0,
                          .row = 0,
                          .keptAt = temporaryPathFor(path)};
    }
    return fromWrite(files.replaceFile(path, encoded.bytes));
}

SaveResult createDefaultListFile(FileSystem& files, const AnsiCodePage& codePage,
                                 const std::string& path) {
    const EncodedList defaults = encodeListFile(codePage, kDefaultSettings, ItemTables{});
    const WriteResult written = files.createFile(path, defaults.bytes);
    if (written.error == WriteError::AlreadyExists) {
        return SaveResult{};
    }
    SaveResult result = fromWrite(written);
    result.created = result.saved();
    return result;
}

} // namespace miruteka
