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

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return ::FlushFileBuffers(file) != 0;
}

// A temporary left by a save that was cut off goes first: hidden or read-only by then, it
// would make CreateFile refuse to write over it. A folder of that name is not ours.
void removeStaleTemporary(const std::wstring& temporary) {
    const DWORD attributes = ::GetFileAttributesW(temporary.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return;
    }
    ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(temporary.c_str());
}

// Creates the temporary beside the target. When a stale temporary cannot be removed (some
// program holds it open), a name of its own in the same folder, so that nothing left
// behind blocks a save. A folder that cannot take a new file, or a folder of that name in
// the way, fails the save.
UniqueFile createTemporary(const std::wstring& target, std::wstring& temporary) {
    removeStaleTemporary(temporary);
    UniqueFile file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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

} // namespace

std::optional<FileAttributes> Win32FileSystem::findFirst(const std::string& path) const {
    WIN32_FIND_DATAW data{};
    const UniqueFind find(::FindFirstFileW(toWide(path).c_str(), &data));
    if (!find) {
        return std::nullopt;
    }
    return fromWin32(data.dwFileAttributes);
}

std::optional<FileAttributes> Win32FileSystem::attributes(const std::string& path) const {
    const DWORD attributes = ::GetFileAttributesW(toWide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return fromWin32(attributes);
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

WriteError Win32FileSystem::replaceFile(const std::string& path, std::string_view bytes) {
    const std::wstring target = toWide(path);
    std::wstring temporary = toWide(temporaryPathFor(path));
    UniqueFile file = createTemporary(target, temporary);
    if (!file) {
        return WriteError::CannotCreateTemporary; // nothing of ours to remove
    }
    const bool written = writeAll(file.get(), bytes);
    file.reset(); // the handle shares nothing: close it before deleting or renaming
    if (!written) {
        ::DeleteFileW(temporary.c_str());
        return WriteError::CannotWrite;
    }
    // A list the user has hidden stays hidden, whichever way it is replaced.
    const DWORD old = ::GetFileAttributesW(target.c_str());
    const bool listExists = old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (listExists) {
        const DWORD kept = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (kept != 0) {
            ::SetFileAttributesW(temporary.c_str(), kept);
        }
        // ReplaceFile keeps the list's other attributes, its security settings and its
        // creation time, which a rename would replace with the temporary's.
        if (::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            return WriteError::None;
        }
        if (::GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
            // The old list is gone and the new one was not moved in. Move it in; should that
            // fail too, the temporary is the only copy of the list and stays.
            return ::MoveFileExW(temporary.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                       ? WriteError::None
                       : WriteError::CannotReplace;
        }
        // Where ReplaceFile cannot work (some file systems, some sharing), a rename may.
    }
    if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temporary.c_str());
        return WriteError::CannotReplace;
    }
    return WriteError::None;
}

} // namespace miruteka::win32
