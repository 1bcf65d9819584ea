// Where the program lives and where it keeps its list: the exe that a link on the PATH
// points to, and the user's profile when the exe's own folder cannot take a list.
#pragma once

#include "platform/files.h"
#include "platform/program_place_queries.h"

#include <string>

namespace miruteka {

// The exe file the program runs from. Started through a link to the exe file, the file the
// link points to; through a link to a folder on the way (a "current" folder that moves on
// with each update), the path it was started by, so that it stays where the user put it.
std::string realProgramFile(const ProgramPlaceQueries& system);

// The folder of the list and the ini: beside the exe when a list is there; else in the
// profile's "Miruteka" folder when a list is there; else beside the exe when that folder can
// be written; else the profile's folder, made now.
std::string listFolderFor(const std::string& programFolder, const FileSystem& files,
                          ProgramPlaceQueries& system);

} // namespace miruteka
