#include "data/list_file.h"

#include "platform/program_place_queries.h"

#include <algorithm>

namespace miruteka {
namespace {

constexpr std::string_view kListFileName = "filelist.txt";

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

} // namespace

std::string listFilePath(const std::string& programFolder) {
    return pathInFolder(programFolder, kListFileName);
}

bool listFileExists(const FileSystem& files, const std::string& path) {
    // Any entry of that name counts, hidden and system ones included: defaults must never
    // be written over a list the user already has.
    return files.findFirst(path).has_value() || files.attributes(path).has_value();
}

bool holdsWholeList(std::string_view bytes) {
    return std::count(bytes.begin(), bytes.end(), '\n') >= kListFileLines;
}

ReadResult readListFile(const FileSystem& files, const AnsiCodePage& codePage,
                        const std::string& path, Settings& settings, ItemTables& items) {
    ReadResult read = files.readFile(path);
    if (read.ok()) {
        decodeListFile(codePage, read.bytes, settings, items);
    }
    return read;
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
    const LeftoverTemporary leftover =
        settleLeftoverTemporary(files, temporaryPathFor(path), path, kListFileFormat);
    if (leftover.fate == LeftoverTemporary::Fate::Unreadable ||
        leftover.fate == LeftoverTemporary::Fate::Held) {
        return SaveResult{.status = SaveResult::Status::WriteFailed,
                          .writeError = WriteError::TemporaryHeld,
                          .group = 0,
                          .row = 0,
                          .keptAt = temporaryPathFor(path)};
    }
    return fromWrite(writeStoredFile(files, path, encoded.bytes, kListFileFormat));
}

SaveResult createDefaultListFile(FileSystem& files, const AnsiCodePage& codePage,
                                 const std::string& path) {
    const EncodedList defaults = encodeListFile(codePage, kDefaultSettings, ItemTables{});
    const WriteResult written = files.createFile(path, defaults.bytes, temporaryPathFor(path));
    if (written.error == WriteError::AlreadyExists) {
        return SaveResult{};
    }
    SaveResult result = fromWrite(written);
    result.created = result.saved();
    return result;
}

} // namespace miruteka
