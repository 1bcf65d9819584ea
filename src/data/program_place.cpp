#include "data/program_place.h"

#include "data/list_file.h"
#include "data/text_lines.h"

namespace miruteka {
namespace {

// A save cut off between its temporary and the rename still leaves the user's list there.
bool listIn(const std::string& folder, const FileSystem& files) {
    const std::string list = listFilePath(folder);
    return files.attributes(list).has_value() || files.attributes(temporaryPathFor(list));
}

} // namespace

std::string realProgramFile(const ProgramPlaceQueries& system) {
    const std::string started = system.startedFile();
    const std::string folder = folderOfPath(started);
    if (folder.empty()) {
        return started;
    }
    const auto finalFile = system.finalPath(started);
    if (!finalFile) {
        return started;
    }
    // A link to a folder on the way resolves the folder and the file alike; only a link to
    // the file itself makes them part.
    const auto finalFolder = system.finalPath(folder);
    const std::string name = started.substr(started.find_last_of("\\/") + 1);
    if (finalFolder && sameLettersIgnoringCase(pathInFolder(*finalFolder, name), *finalFile)) {
        return started;
    }
    return *finalFile;
}

std::string listFolderFor(const std::string& programFolder, const FileSystem& files,
                          ProgramPlaceQueries& system) {
    if (listIn(programFolder, files)) {
        return programFolder;
    }
    const std::string appData = system.roamingAppData();
    if (appData.empty()) {
        return programFolder;
    }
    const std::string profileFolder = pathInFolder(appData, "Miruteka");
    if (listIn(profileFolder, files)) {
        return profileFolder;
    }
    if (system.canCreateFileIn(programFolder)) {
        return programFolder;
    }
    system.createFolder(profileFolder);
    return profileFolder;
}

} // namespace miruteka
