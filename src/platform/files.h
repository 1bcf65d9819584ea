// File-system operations the logic needs. Paths are UTF-8 here and UTF-16 on Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace miruteka {

struct FileAttributes {
    bool directory = false;
    bool hidden = false;
    bool system = false;
    // When it was last written, in the system's ticks; 0 when not known. Only compared.
    std::int64_t lastWrite = 0;
};

// Why a write failed. Unless it says otherwise, the old file is untouched.
enum class WriteError {
    None,
    CannotCreateTemporary, // the folder cannot take a new file (read-only, a folder in the way)
    CannotWrite,           // writing or flushing the temporary file failed (disk full)
    CannotReplace,         // the file could not be replaced (held open, read-only, unreadable)
    AlreadyExists,         // createFile: an entry of that name exists and was left alone
    // "<path>.new" is there and some program holds it: it may be the newest file (a save cut
    // off) or another instance's save under way, so it is neither written over nor bypassed.
    TemporaryHeld,
    // The complete new file is at keptAt but could not take the file's place; the old file
    // may be gone (Windows removes it before it moves the new one in) or half rewritten.
    NotMovedIntoPlace,
};

// Why a file could not be read.
enum class ReadError {
    None,
    Missing,      // no such file
    Held,         // another program holds it without sharing, or locks it
    AccessDenied, // no permission
    NotAvailable, // online-only (a cloud placeholder that cannot be fetched) or offline
    Other,
};

struct ReadResult {
    ReadError error = ReadError::None;
    std::string bytes{};
    unsigned code = 0; // the system's error number, with Other
    bool ok() const { return error == ReadError::None; }
};

struct WriteResult {
    WriteError error = WriteError::None;
    std::string keptAt{}; // with NotMovedIntoPlace: where the new file's bytes are
};

// The name a save writes the new bytes to before they take the file's place. One found later
// is what a save that was cut off left behind.
inline std::string temporaryPathFor(const std::string& path) {
    return path + ".new";
}

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // What a directory lookup (FindFirstFileW) of the path as given finds, if anything.
    virtual std::optional<FileAttributes> findFirst(const std::string& path) const = 0;
    // The attributes of the path (GetFileAttributesExW: no directory scan), if it exists.
    virtual std::optional<FileAttributes> attributes(const std::string& path) const = 0;
    // The whole file's bytes, or why they cannot be read.
    virtual ReadResult readFile(const std::string& path) const = 0;
    // Writes bytes to `temporary`, which must not exist, holding it unshared until it has
    // taken the file's place: renamed over it in one step, or, when the file has further hard
    // links, copied into it and then removed. The temporary is left behind only when it holds
    // the one whole copy of the new file.
    virtual WriteResult replaceFile(const std::string& path, std::string_view bytes,
                                    const std::string& temporary) = 0;
    // Writes a new file where no entry of that name exists, never over one (AlreadyExists),
    // and never half written (through `temporary` as replaceFile does).
    virtual WriteResult createFile(const std::string& path, std::string_view bytes,
                                   const std::string& temporary) = 0;
    // Renames a file; false when it cannot, or when an entry named `to` exists.
    virtual bool moveFile(const std::string& from, const std::string& to) = 0;
    // `from` takes the place of the file `to`, which may be missing: renamed over it, or
    // copied into it and then removed when `to` has further hard links, so the link stays.
    virtual bool moveOver(const std::string& from, const std::string& to) = 0;
    // The pause before a file that was held or locked is tried again (a quarter second).
    virtual void waitBeforeRetry() = 0;
};

} // namespace miruteka
