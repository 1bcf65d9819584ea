// The real file system: directory lookups, attributes, whole-file reads and the
// writes that never leave a list half written or lose the only copy of one.
#pragma once

#include "platform/files.h"

namespace miruteka::win32 {

class Win32FileSystem : public FileSystem {
  public:
    std::optional<FileAttributes> findFirst(const std::string& path) const override;
    std::optional<FileAttributes> attributes(const std::string& path) const override;
    std::optional<std::string> readFile(const std::string& path) const override;
    // Writes "<path>.new" beside the file (another new name there when a stale one is held,
    // or kept because the file is missing), flushes it and replaces the file with it, keeping
    // the file's attributes and security; a file with further hard links is rewritten in
    // place instead.
    WriteResult replaceFile(const std::string& path, std::string_view bytes) override;
    WriteResult createFile(const std::string& path, std::string_view bytes) override;
    bool moveFile(const std::string& from, const std::string& to) override;
};

} // namespace miruteka::win32
