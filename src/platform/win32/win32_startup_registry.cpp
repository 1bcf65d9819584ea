#include "platform/win32/win32_startup_registry.h"

#include "platform/win32/wide_string.h"

#include <windows.h>

#include <cwchar>

namespace miruteka::win32 {
namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kApprovedKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// The value's data of one of the types, read whole; nothing when there is none.
std::optional<std::vector<uint8_t>> readValue(const wchar_t* key, const std::string& name,
                                              DWORD types) {
    const std::wstring valueName = toWide(name);
    for (int attempt = 0; attempt < 3; ++attempt) { // the value may grow between the calls
        DWORD size = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, key, valueName.c_str(), types, nullptr, nullptr,
                           &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::vector<uint8_t> data(size);
        const LSTATUS read = ::RegGetValueW(HKEY_CURRENT_USER, key, valueName.c_str(), types,
                                            nullptr, data.data(), &size);
        if (read == ERROR_SUCCESS) {
            data.resize(size);
            return data;
        }
        if (read != ERROR_MORE_DATA) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool writeValue(const wchar_t* key, const std::string& name, DWORD type, const void* data,
                std::size_t size) {
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, key, toWide(name).c_str(), type, data,
                             static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool deleteValue(const wchar_t* key, const std::string& name) {
    const LSTATUS deleted = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key, toWide(name).c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

} // namespace

std::optional<std::string> Win32StartupRegistry::runCommand(const std::string& name) const {
    // RegGetValueW ends the text with its null, also when the stored value lacks one.
    const auto data = readValue(kRunKey, name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND);
    if (!data) {
        return std::nullopt;
    }
    std::wstring text(reinterpret_cast<const wchar_t*>(data->data()),
                      data->size() / sizeof(wchar_t));
    text.resize(std::wcslen(text.c_str()));
    return toUtf8(text);
}

bool Win32StartupRegistry::setRunCommand(const std::string& name, const std::string& command) {
    const std::wstring text = toWide(command);
    return writeValue(kRunKey, name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

bool Win32StartupRegistry::deleteRunCommand(const std::string& name) {
    return deleteValue(kRunKey, name);
}

std::optional<std::vector<uint8_t>> Win32StartupRegistry::approval(const std::string& name) const {
    return readValue(kApprovedKey, name, RRF_RT_REG_BINARY);
}

bool Win32StartupRegistry::setApproval(const std::string& name, const std::vector<uint8_t>& bytes) {
    return writeValue(kApprovedKey, name, REG_BINARY, bytes.data(), bytes.size());
}

bool Win32StartupRegistry::deleteApproval(const std::string& name) {
    return deleteValue(kApprovedKey, name);
}

} // namespace miruteka::win32
