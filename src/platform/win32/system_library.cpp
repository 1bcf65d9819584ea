#include "platform/win32/system_library.h"

#include <string>

namespace miruteka::win32 {

HMODULE systemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    // Each load adds a reference the process keeps: the functions stay valid to the end.
    return ::LoadLibraryExW(path.c_str(), nullptr, 0);
}

} // namespace miruteka::win32
