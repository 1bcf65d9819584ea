// The running program's file as it was started: through a link, the link's own path.
#pragma once

#include <string>
#include <string_view>

namespace miruteka::win32 {

// The folder of the running exe (GetModuleFileNameW) in UTF-8, without a trailing "\"
// except for a drive root ("C:\"). Empty if Windows cannot say.
std::string programFolder();

// The running exe's full path in UTF-8; empty if Windows cannot say.
std::string programFile();

// The folder part of a full file path, by the same rule.
std::string folderOfFile(std::wstring_view filePath);

} // namespace miruteka::win32
