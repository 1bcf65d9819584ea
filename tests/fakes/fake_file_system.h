// An in-memory file system: entries with attributes, file contents, and injectable write
// failures. Lookups behave as FindFirstFileW and GetFileAttributesW do on Windows.
#pragma once

#include "fakes/fake_background_work.h"
#include "platform/files.h"

#include <map>
#include <optional>
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
    std::optional<std::string> readFile(const std::string& path) const override;
    WriteError replaceFile(const std::string& path, std::string_view bytes) override;

    std::map<std::string, Entry> entries;
    // Lookups of these paths wait at their gate: a share that does not answer.
    std::map<std::string, Gate*> slowPaths;
    // When set, findFirst treats "*" and "?" as patterns, as FindFirstFileW does.
    bool matchPatterns = false;
    // The next replaceFile calls fail with this error (and leave the file as it was).
    WriteError failWrites = WriteError::None;
    int writeCount = 0;
};

} // namespace miruteka
