// The name a screen reader reads for a window: oleacc's client object's name.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// Nothing when oleacc gives no object or no name.
std::optional<std::wstring> accessibleName(HWND window);

} // namespace e2e
