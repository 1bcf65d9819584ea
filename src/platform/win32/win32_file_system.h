// The real file system: directory lookups, attributes, whole-file reads and the
// writes that never leave a list half written or lose the only copy of one.
#pragma once

#include "platform/files.h"

namespace miruteka::win32 {

class Win32FileSystem : public FileSystem {
  public:
    std::optional<FileAttributes> findFirst(const std::string& path) const override;
    std::optional<FileAttributes> attributes(const std::string& path) const override;
    ReadResult readFile(const std::string& path) const override;
    // Writes the temporary beside the file, flushes it and renames it over the file through
    // its own handle, keeping the file's hidden and system attributes and its creation time;
    // a file with further hard links is rewritten in place instead.
    WriteResult replaceFile(const std::string& path, std::string_view bytes,
                            const std::string& temporary) override;
    WriteResult createFile(const std::string& path, std::string_view bytes,
                           const std::string& temporary) override;
    bool moveFile(const std::string& from, const std::string& to) override;
    bool moveOver(const std::string& from, const std::string& to) override;
    void waitBeforeRetry() override;
};

} // namespace miruteka::win32
