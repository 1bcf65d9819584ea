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
    const std::wstring temporary = toWide(temporaryPathFor(path));
    UniqueFile file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return WriteError::CannotCreateTemporary; // nothing of ours to remove
    }
    const bool written = writeAll(file.get(), bytes);
    file.reset(); // the handle shares nothing: close it before deleting or renaming
    if (!written) {
        ::DeleteFileW(temporary.c_str());
        return WriteError::CannotWrite;
    }
    // A list the user has hidden stays hidden.
    const DWORD old = ::GetFileAttributesW(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        const DWORD kept = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (kept != 0) {
            ::SetFileAttributesW(temporary.c_str(), kept);
        }
    }
    if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temporary.c_str());
        return WriteError::CannotReplace;
    }
    return WriteError::None;
}

} // namespace miruteka::win32
