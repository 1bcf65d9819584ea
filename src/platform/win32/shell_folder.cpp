#include "platform/win32/shell_folder.h"

#include "platform/win32/wide_string.h"

#include <windows.h>

#include <shellapi.h>

namespace miruteka::win32 {

void showFileInFolder(const std::string& file) {
    const std::wstring arguments = L"/select,\"" + toWide(file) + L"\"";
    ::ShellExecuteW(nullptr, L"open", L"explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL);
}

} // namespace miruteka::win32
