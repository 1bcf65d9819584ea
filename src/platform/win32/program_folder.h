// The running program's file as it was started: through a link, the link's own path.
#pragma once

#include <string>

namespace miruteka::win32 {

// The running exe's full path (GetModuleFileNameW) in UTF-8; empty if Windows cannot say.
std::string programFile();

} // namespace miruteka::win32
