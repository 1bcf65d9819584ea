// Functions of system DLLs that only some windows use, loaded on their first call: start-up
// then maps only what the icon windows, the tray icon and drops need (the file dialog would
// bring the printing DLLs with it).
#pragma once

#include <windows.h>

namespace miruteka::win32 {

// The DLL from the system folder, never a file of that name beside the program; loaded once
// and kept for the life of the process. Null when it cannot be loaded.
HMODULE systemLibrary(const wchar_t* name);

// The function of that type and name in a system DLL, or null when the DLL or the function
// is missing: systemFunction<decltype(::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW").
template <typename Function> Function* systemFunction(const wchar_t* library, const char* name) {
    HMODULE module = systemLibrary(library);
    if (module == nullptr) {
        return nullptr;
    }
    // Through void(*)(), the one function pointer type every other converts from cleanly.
    return reinterpret_cast<Function*>(
        reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

} // namespace miruteka::win32
