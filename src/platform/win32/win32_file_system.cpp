#include "platform/win32/win32_file_system.h"

#include "platform/win32/unique.h"
#include "platform/win32/wide_string.h"

#include <windows.h>

#include <algorithm>

namespace miruteka::win32 {
namespace {

FileAttributes fromWin32(DWORD attributes) {
    return FileAttributes{.directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                          .hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                          .system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0};
}

// Writes the bytes from the start of the file, ends the file there and flushes it.
bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return ::SetEndOfFile(file) && ::FlushFileBuffers(file);
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A temporary left by a save that was cut off goes first: hidden or read-only by then, it
// would make CreateFile refuse to write over it. A folder of that name is not ours.
void removeStaleTemporary(const std::wstring& temporary) {
    if (!isFile(temporary)) {
        return;
    }
    ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(temporary.c_str());
}

// Creates the temporary beside the target. A stale temporary is removed only while the
// target exists: without it, the temporary may be the only copy of the user's list. When it
// stays (or some program holds it open), a name of its own in the same folder, so that
// nothing left behind blocks a save. A folder that cannot take a new file, or a folder of
// that name in the way, fails the save.
UniqueFile createTemporary(const std::wstring& target, std::wstring& temporary) {
    if (isFile(target)) {
        removeStaleTemporary(temporary);
    }
    UniqueFile file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD taken = file ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(temporary.c_str());
    if (file || taken == INVALID_FILE_ATTRIBUTES || (taken & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return file;
    }
    const std::wstring folder = target.substr(0, target.find_last_of(L'\\') + 1);
    wchar_t unique[MAX_PATH];
    if (folder.empty() || ::GetTempFileNameW(folder.c_str(), L"fil", 0, unique) == 0) {
        return {};
    }
    temporary = unique; // created empty by GetTempFileName
    file.reset(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ::DeleteFileW(temporary.c_str());
    }
    return file;
}

// The whole bytes in a new temporary beside the target, flushed and closed; nothing is left
// behind when that fails.
WriteError writeTemporary(const std::wstring& target, std::wstring& temporary,
                          std::string_view bytes) {
    UniqueFile file = createTemporary(target, temporary);
    if (!file) {
        return WriteError::CannotCreateTemporary; // nothing of ours to remove
    }
    const bool written = writeAll(file.get(), bytes);
    file.reset(); // the handle shares nothing: close it before deleting or renaming
    if (!written) {
        ::DeleteFileW(temporary.c_str()); // ours, and no whole list
        return WriteError::CannotWrite;
    }
    return WriteError::None;
}

// Moves the temporary into the target's place. A virus scanner or an indexer may hold the
// new file for a moment after it was written: a few tries over about a second.
bool moveIntoPlace(const std::wstring& temporary, const std::wstring& target) {
    constexpr int kTries = 5;
    constexpr DWORD kPauseMilliseconds = 250;
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(temporary.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        if (attempt == kTries) {
            return false;
        }
        ::Sleep(kPauseMilliseconds);
    }
}

// How many names the file has: more than one when it is hard-linked elsewhere (a package
// manager keeping a portable program's settings across its updates).
DWORD linkCount(const std::wstring& path) {
    const UniqueFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !::GetFileInformationByHandle(file.get(), &information)) {
        return 1;
    }
    return information.nNumberOfLinks;
}

// Replacing a hard-linked file would cut the link, so the bytes go into the file itself. The
// complete temporary stays until they are flushed: it is the copy to recover from when the
// rewrite fails halfway.
WriteResult rewriteInPlace(const std::wstring& target, const std::wstring& temporary,
                           std::string_view bytes) {
    const UniqueFile file(::CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ::DeleteFileW(temporary.c_str()); // the list is untouched
        return {.error = WriteError::CannotReplace, .keptAt = {}};
    }
    if (!writeAll(file.get(), bytes)) {
        return {.error = WriteError::NotMovedIntoPlace, .keptAt = toUtf8(temporary)};
    }
    ::DeleteFileW(temporary.c_str());
    return {};
}

} // namespace

std::optional<FileAttributes> Win32FileSystem::findFirst(const std::string& path) const {
    WIN32_FIND_DATAW data{};
    const UniqueFind find(::FindFirstFileW(toWide(path).c_str(), &data));
    if (!find) {
        return std::nullopt;
    }
    return fromWin32(data.dwFileAttributes);
}

// One metadata query, no directory open: on a share one round trip, and under Wine it does
// not wait behind another thread's scan of a slow drive as FindFirstFileW does.
std::optional<FileAttributes> Win32FileSystem::attributes(const std::string& path) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(toWide(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return fromWin32(data.dwFileAttributes);
}

std::optional<std::string> Win32FileSystem::readFile(const std::string& path) const {
    const UniqueFile file(::CreateFileW(toWide(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), buffer, static_cast<DWORD>(sizeof buffer), &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            return bytes;
        }
        bytes.append(buffer, read);
    }
}

WriteResult Win32FileSystem::replaceFile(const std::string& path, std::string_view bytes) {
    const std::wstring target = toWide(path);
    std::wstring temporary = toWide(temporaryPathFor(path));
    if (const WriteError error = writeTemporary(target, temporary, bytes);
        error != WriteError::None) {
        return {.error = error, .keptAt = {}};
    }
    const WriteResult keptInTemporary{.error = WriteError::NotMovedIntoPlace,
                                      .keptAt = toUtf8(temporary)};
    // A list the user has hidden stays hidden, whichever way it is replaced.
    const DWORD old = ::GetFileAttributesW(target.c_str());
    const bool listExists = old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (listExists && linkCount(target) > 1) {
        return rewriteInPlace(target, temporary, bytes);
    }
    if (listExists) {
        const DWORD kept = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (kept != 0) {
            ::SetFileAttributesW(temporary.c_str(), kept);
        }
        // ReplaceFile keeps the list's other attributes, its security settings and its
        // creation time, which a rename would replace with the temporary's.
        if (::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            return {};
        }
        if (::GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
            // The old list is gone and the new one is only in the temporary.
            return moveIntoPlace(temporary, target) ? WriteResult{} : keptInTemporary;
        }
        // Where ReplaceFile cannot work (some file systems, some sharing), a rename may.
        if (::MoveFileExW(temporary.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return {};
        }
    } else if (moveIntoPlace(temporary, target)) {
        return {};
    }
    if (isFile(target)) {
        ::DeleteFileW(temporary.c_str()); // the list as it was is still there
        return {.error = WriteError::CannotReplace, .keptAt = {}};
    }
    return keptInTemporary;
}

WriteResult Win32FileSystem::createFile(const std::string& path, std::string_view bytes) {
    const std::wstring target = toWide(path);
    std::wstring temporary = toWide(temporaryPathFor(path));
    if (const WriteError error = writeTemporary(target, temporary, bytes);
        error != WriteError::None) {
        return {.error = error, .keptAt = {}};
    }
    // Written whole first, then renamed without replacing: the file appears complete, and
    // never over an entry of that name.
    if (::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return {};
    }
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    const bool exists = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
    return {.error = exists ? WriteError::AlreadyExists : WriteError::CannotReplace, .keptAt = {}};
}

bool Win32FileSystem::moveFile(const std::string& from, const std::string& to) {
    return ::MoveFileExW(toWide(from).c_str(), toWide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace miruteka::win32
