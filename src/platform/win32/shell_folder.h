// Shows a file to the user in its folder.
#pragma once

#include <string>

namespace miruteka::win32 {

// Opens the file's folder in Explorer with the file selected.
void showFileInFolder(const std::string& file);

} // namespace miruteka::win32
