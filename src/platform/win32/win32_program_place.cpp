#include "platform/win32/win32_program_place.h"

#include "platform/win32/program_folder.h"
#include "platform/win32/unique.h"
#include "platform/win32/wide_string.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace miruteka::win32 {

std::wstring withoutLongPathPrefix(std::wstring path) {
    constexpr std::wstring_view unc = L"\\\\?\\UNC\\";
    constexpr std::wstring_view local = L"\\\\?\\";
    if (path.starts_with(unc)) {
        return L"\\\\" + path.substr(unc.size());
    }
    if (path.starts_with(local)) {
        return path.substr(local.size());
    }
    return path;
}

std::string Win32ProgramPlaceQueries::startedFile() const {
    return programFile();
}

std::optional<std::string> Win32ProgramPlaceQueries::finalPath(const std::string& path) const {
    // No access asked for: the attributes' right is enough, and a running exe can be opened.
    const UniqueFile file(::CreateFileW(
        toWide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(
            file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return toUtf8(withoutLongPathPrefix(std::move(buffer)));
        }
        buffer.resize(length);
    }
}

std::string Win32ProgramPlaceQueries::roamingAppData() const {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path))) {
        folder = toUtf8(path);
    }
    ::CoTaskMemFree(path);
    return folder;
}

bool Win32ProgramPlaceQueries::canCreateFileIn(const std::string& folder) const {
    // Asking for the folder's rights says nothing of a read-only share or medium: only a
    // file made there does. A name of this process's own, gone again when closed.
    const std::wstring probe = toWide(
        pathInFolder(folder, "miruteka-" + std::to_string(::GetCurrentProcessId()) + ".tmp"));
    const UniqueFile file(::CreateFileW(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    // One left by an earlier process of the same id was written there all the same.
    return static_cast<bool>(file) || ::GetLastError() == ERROR_FILE_EXISTS;
}

void Win32ProgramPlaceQueries::createFolder(const std::string& folder) {
    ::CreateDirectoryW(toWide(folder).c_str(), nullptr);
}

} // namespace miruteka::win32
