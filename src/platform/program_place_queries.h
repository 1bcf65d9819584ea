// What the system says about where the program runs from and where it may keep its files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace miruteka {

// The folder part of a full path, without a trailing "\" except for a drive root ("C:\").
inline std::string folderOfPath(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos) {
        return {};
    }
    if (separator == 0 || path[separator - 1] == ':') {
        return path.substr(0, separator + 1);
    }
    return path.substr(0, separator);
}

// The path of a file in a folder: a "\" between them unless the folder ends in one.
inline std::string pathInFolder(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    return path += name;
}

class ProgramPlaceQueries {
  public:
    virtual ~ProgramPlaceQueries() = default;

    // The path the running exe was started by (a link's own path when started through one);
    // empty if the system cannot say.
    virtual std::string startedFile() const = 0;
    // The path of the file or folder once every link on the way is followed, or nothing when
    // it cannot be opened.
    virtual std::optional<std::string> finalPath(const std::string& path) const = 0;
    // The user's roaming application-data folder; empty if there is none.
    virtual std::string roamingAppData() const = 0;
    // A new file can be made in the folder (tried, and removed again).
    virtual bool canCreateFileIn(const std::string& folder) const = 0;
    // Makes the folder if it is missing; its parent exists.
    virtual void createFolder(const std::string& folder) = 0;
};

} // namespace miruteka
