// File-system operations the logic needs. Paths are UTF-8 here and UTF-16 on Windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace miruteka {

struct FileAttributes {
    bool directory = false;
    bool hidden = false;
    bool system = false;
};

// Why a replaceFile call failed; the old file is untouched whatever the reason.
enum class WriteError {
    None,
    CannotCreateTemporary, // the folder cannot take a new file (read-only, a folder in the way)
    CannotWrite,           // writing or flushing the temporary file failed (disk full)
    CannotReplace,         // the list file could not be replaced (held open, read-only)
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // What a directory lookup (FindFirstFileW) of the path as given finds, if anything.
    virtual std::optional<FileAttributes> findFirst(const std::string& path) const = 0;
    // The attributes of the path (GetFileAttributesW), if it exists.
    virtual std::optional<FileAttributes> attributes(const std::string& path) const = 0;
    // The whole file's bytes, or nothing when it cannot be opened.
    virtual std::optional<std::string> readFile(const std::string& path) const = 0;
    // Writes bytes to a temporary file in the same folder, flushes it and replaces the file
    // in one step. On any failure the old file stays byte-identical and no temporary remains.
    virtual WriteError replaceFile(const std::string& path, std::string_view bytes) = 0;
};

} // namespace miruteka
