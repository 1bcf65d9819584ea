// The real file system: directory lookups, attributes, whole-file reads and the
// replace-in-one-step write that never leaves the old file half written.
#pragma once

#include "platform/files.h"

namespace miruteka::win32 {

class Win32FileSystem : public FileSystem {
  public:
    std::optional<FileAttributes> findFirst(const std::string& path) const override;
    std::optional<FileAttributes> attributes(const std::string& path) const override;
    std::optional<std::string> readFile(const std::string& path) const override;
    // Writes "<path>.new" beside the file (another new name there when a stale one is held),
    // flushes it and replaces the file with it, keeping the file's attributes and security.
    WriteError replaceFile(const std::string& path, std::string_view bytes) override;

    static std::string temporaryPathFor(const std::string& path) { return path + ".new"; }
};

} // namespace miruteka::win32
