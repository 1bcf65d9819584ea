#include "platform/win32/win32_file_system.h"

#include "platform/win32/unique.h"
#include "platform/win32/wide_string.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace miruteka::win32 {
namespace {

FileAttributes fromWin32(DWORD attributes, FILETIME lastWrite) {
    return FileAttributes{.directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                          .hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                          .system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0,
                          .lastWrite = static_cast<std::int64_t>(
                              (static_cast<std::uint64_t>(lastWrite.dwHighDateTime) << 32) |
                              lastWrite.dwLowDateTime)};
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

bool readAll(HANDLE file, std::string& bytes) {
    char buffer[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file, buffer, static_cast<DWORD>(sizeof buffer), &read, nullptr)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        bytes.append(buffer, read);
    }
}

ReadError readErrorFrom(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ReadError::Missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return ReadError::Held;
    case ERROR_ACCESS_DENIED:
        return ReadError::AccessDenied;
    case 1920: // ERROR_CANT_ACCESS_FILE: a placeholder whose provider does not answer
    case 4350: // ERROR_FILE_OFFLINE
        return ReadError::NotAvailable;
    default:
        // The ERROR_CLOUD_FILE_* range: an online-only file that cannot be fetched now.
        return code >= 358 && code <= 406 ? ReadError::NotAvailable : ReadError::Other;
    }
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

constexpr int kTries = 5;
constexpr DWORD kPauseMilliseconds = 250;

// The temporary is created unshared and stays open until it has taken the file's place or is
// removed: no other program or instance can open, move or delete it meanwhile, and a
// temporary that is not open is one a cut-off save left. One that exists is another
// instance's save under way (waited for a moment) or such a leftover, which the caller
// settles first: it is never written over.
UniqueFile claimTemporary(const std::wstring& temporary, WriteError& error) {
    for (int attempt = 1;; ++attempt) {
        UniqueFile file(::CreateFileW(temporary.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            return file;
        }
        const DWORD code = ::GetLastError();
        if ((code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) || !isFile(temporary)) {
            error = WriteError::CannotCreateTemporary; // a read-only folder, a folder in the way
            return {};
        }
        if (attempt == kTries) {
            error = WriteError::TemporaryHeld;
            return {};
        }
        ::Sleep(kPauseMilliseconds);
    }
}

// Marks the open file for removal when its handle closes.
void removeWhenClosed(HANDLE file) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

// Renames the very file this handle holds, so a file of that name that someone else put
// there meanwhile can never be moved in by mistake.
bool renameOpen(HANDLE file, const std::wstring& target, bool replace) {
    const size_t nameBytes = target.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes +
                                      sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = replace ? TRUE : FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(rename->FileName, target.c_str(), nameBytes + sizeof(wchar_t));
    return ::SetFileInformationByHandle(file, FileRenameInfo, rename,
                                        static_cast<DWORD>(buffer.size())) != FALSE;
}

// A virus scanner or an indexer may hold the list for a moment: a few tries over about a
// second.
bool moveIntoPlace(HANDLE temporary, const std::wstring& target) {
    for (int attempt = 1;; ++attempt) {
        if (renameOpen(temporary, target, true)) {
            return true;
        }
        if (attempt == kTries) {
            return false;
        }
        ::Sleep(kPauseMilliseconds);
    }
}

// A list the user has hidden stays hidden, and keeps its creation time, when the new file
// takes its place.
void keepLookOf(const WIN32_FILE_ATTRIBUTE_DATA& old, HANDLE file) {
    FILE_BASIC_INFO basic{}; // zero times and attributes are left as they are
    basic.CreationTime.LowPart = old.ftCreationTime.dwLowDateTime;
    basic.CreationTime.HighPart = static_cast<LONG>(old.ftCreationTime.dwHighDateTime);
    basic.FileAttributes = old.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic);
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

std::optional<WIN32_FILE_ATTRIBUTE_DATA> existingFile(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return data;
}

enum class InPlace { Written, CannotOpen, CannotWrite };

// Replacing a hard-linked file would cut the link, so the bytes go into the file itself; its
// attributes, times and other names stay as they were.
InPlace writeInPlace(const std::wstring& target, std::string_view bytes) {
    const UniqueFile file(::CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return InPlace::CannotOpen;
    }
    return writeAll(file.get(), bytes) ? InPlace::Written : InPlace::CannotWrite;
}

// The whole temporary stays until the bytes are flushed into the file: start-up puts it in
// place if the rewrite is cut off.
WriteResult rewriteInPlace(const std::wstring& target, UniqueFile temporary,
                           const std::wstring& temporaryName, std::string_view bytes) {
    switch (writeInPlace(target, bytes)) {
    case InPlace::CannotOpen:
        removeWhenClosed(temporary.get()); // the file is untouched
        return {.error = WriteError::CannotReplace, .keptAt = {}};
    case InPlace::CannotWrite:
        return {.error = WriteError::NotMovedIntoPlace, .keptAt = toUtf8(temporaryName)};
    case InPlace::Written:
        break;
    }
    removeWhenClosed(temporary.get());
    return {};
}

} // namespace

std::optional<FileAttributes> Win32FileSystem::findFirst(const std::string& path) const {
    WIN32_FIND_DATAW data{};
    const UniqueFind find(::FindFirstFileW(toWide(path).c_str(), &data));
    if (!find) {
        return std::nullopt;
    }
    return fromWin32(data.dwFileAttributes, data.ftLastWriteTime);
}

// One metadata query, no directory open: on a share one round trip, and under Wine it does
// not wait behind another thread's scan of a slow drive as FindFirstFileW does.
std::optional<FileAttributes> Win32FileSystem::attributes(const std::string& path) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(toWide(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return fromWin32(data.dwFileAttributes, data.ftLastWriteTime);
}

ReadResult Win32FileSystem::readFile(const std::string& path) const {
    const UniqueFile file(::CreateFileW(toWide(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ReadResult result;
    if (!file || !readAll(file.get(), result.bytes)) {
        const DWORD code = ::GetLastError();
        return {.error = readErrorFrom(code), .bytes = {}, .code = code};
    }
    return result;
}

WriteResult Win32FileSystem::replaceFile(const std::string& path, std::string_view bytes,
                                         const std::string& temporaryPath) {
    const std::wstring target = toWide(path);
    const std::wstring temporary = toWide(temporaryPath);
    WriteError error = WriteError::None;
    UniqueFile file = claimTemporary(temporary, error);
    if (!file) {
        return {.error = error, .keptAt = {}};
    }
    if (!writeAll(file.get(), bytes)) {
        removeWhenClosed(file.get()); // ours, and no whole list
        return {.error = WriteError::CannotWrite, .keptAt = {}};
    }
    const auto old = existingFile(target);
    if (old && linkCount(target) > 1) {
        return rewriteInPlace(target, std::move(file), temporary, bytes);
    }
    if (old) {
        keepLookOf(*old, file.get());
    }
    if (moveIntoPlace(file.get(), target)) {
        return {};
    }
    if (isFile(target)) {
        removeWhenClosed(file.get()); // the list as it was is still there
        return {.error = WriteError::CannotReplace, .keptAt = {}};
    }
    return {.error = WriteError::NotMovedIntoPlace, .keptAt = toUtf8(temporary)};
}

WriteResult Win32FileSystem::createFile(const std::string& path, std::string_view bytes,
                                        const std::string& temporary) {
    const std::wstring target = toWide(path);
    WriteError error = WriteError::None;
    UniqueFile file = claimTemporary(toWide(temporary), error);
    if (!file) {
        return {.error = error, .keptAt = {}};
    }
    if (!writeAll(file.get(), bytes)) {
        removeWhenClosed(file.get());
        return {.error = WriteError::CannotWrite, .keptAt = {}};
    }
    // Written whole first, then renamed without replacing: the file appears complete, and
    // never over an entry of that name.
    if (renameOpen(file.get(), target, false)) {
        return {};
    }
    const DWORD code = ::GetLastError();
    removeWhenClosed(file.get());
    const bool exists = code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS;
    return {.error = exists ? WriteError::AlreadyExists : WriteError::CannotReplace, .keptAt = {}};
}

bool Win32FileSystem::moveFile(const std::string& from, const std::string& to) {
    return ::MoveFileExW(toWide(from).c_str(), toWide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32FileSystem::moveOver(const std::string& from, const std::string& to) {
    const std::wstring source = toWide(from);
    const std::wstring target = toWide(to);
    // Held unshared, so what is copied or moved is what was read.
    UniqueFile file(::CreateFileW(source.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    const auto old = existingFile(target);
    if (old && linkCount(target) > 1) {
        std::string bytes;
        if (!readAll(file.get(), bytes) || writeInPlace(target, bytes) != InPlace::Written) {
            return false;
        }
        removeWhenClosed(file.get());
        return true;
    }
    if (old) {
        keepLookOf(*old, file.get());
    }
    return renameOpen(file.get(), target, true);
}

void Win32FileSystem::waitBeforeRetry() {
    ::Sleep(kPauseMilliseconds);
}

} // namespace miruteka::win32
