// An in-memory file system: entries with attributes, file contents, and injectable write
// failures. Lookups behave as FindFirstFileW and GetFileAttributesW do on Windows.
#pragma once

#include "fakes/fake_background_work.h"
#include "platform/files.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace miruteka {

class FakeFileSystem : public FileSystem {
  public:
    struct Entry {
        FileAttributes attributes;
        std::string contents;
    };

    void addFile(const std::string& path, FileAttributes attributes = {},
                 std::string contents = {});
    void addFolder(const std::string& path, FileAttributes attributes = {});
    void remove(const std::string& path) { entries.erase(path); }

    std::optional<FileAttributes> findFirst(const std::string& path) const override;
    std::optional<FileAttributes> attributes(const std::string& path) const override;
    ReadResult readFile(const std::string& path) const override;
    WriteResult replaceFile(const std::string& path, std::string_view bytes,
                            const std::string& temporary) override;
    WriteResult createFile(const std::string& path, std::string_view bytes,
                           const std::string& temporary) override;
    bool moveFile(const std::string& from, const std::string& to) override;
    bool moveOver(const std::string& from, const std::string& to) override;
    void waitBeforeRetry() override;

    std::map<std::string, Entry> entries;
    // Lookups of these paths wait at their gate: a share that does not answer.
    std::map<std::string, Gate*> slowPaths;
    // When set, findFirst treats "*" and "?" as patterns, as FindFirstFileW does.
    bool matchPatterns = false;
    // The next replaceFile and createFile calls fail with this error and leave the file as
    // it was; with NotMovedIntoPlace, as Windows does, the file is gone and the new bytes
    // are in its temporary.
    WriteError failWrites = WriteError::None;
    // Writes to these paths fail with CannotReplace.
    std::set<std::string> refuseWrites;
    // Lookups of these paths find nothing though the entry is there (access denied).
    std::set<std::string> failLookups;
    // Reads of these paths fail with that error; moves of these paths (from or to) fail.
    std::map<std::string, ReadError> failReads;
    std::set<std::string> heldAgainstMoves;
    // After this many pauses, failReads and heldAgainstMoves are cleared (the holder let go).
    int releaseAfterPauses = -1;
    int pauses = 0;
    int writeCount = 0;
    // Each write stamps its file with the next time, later than any a test gives addFile.
    std::int64_t clock = 1000;
    mutable std::atomic<int> scans = 0; // findFirst calls, from any thread
};

} // namespace miruteka
