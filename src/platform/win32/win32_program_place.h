// Where the program runs from and where it may keep its files, as Windows says.
#pragma once

#include "platform/program_place_queries.h"

namespace miruteka::win32 {

class Win32ProgramPlaceQueries : public ProgramPlaceQueries {
  public:
    std::string startedFile() const override;
    std::optional<std::string> finalPath(const std::string& path) const override;
    std::string roamingAppData() const override;
    bool canCreateFileIn(const std::string& folder) const override;
    void createFolder(const std::string& folder) override;
};

// A path as GetFinalPathNameByHandleW gives it, as the user would write it: "\\?\C:\..."
// becomes "C:\...", "\\?\UNC\server\share" becomes "\\server\share".
std::wstring withoutLongPathPrefix(std::wstring path);

} // namespace miruteka::win32
