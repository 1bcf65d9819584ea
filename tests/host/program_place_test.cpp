#include "data/program_place.h"
#include "fakes/fake_file_system.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

struct FakePlaces : ProgramPlaceQueries {
    std::string started, writable, created, appData = "C:\\AppData";
    std::map<std::string, std::string> finalPaths; // what opens, and where it resolves to
    std::string startedFile() const override { return started; }
    std::optional<std::string> finalPath(const std::string& path) const override {
        return finalPaths.contains(path) ? std::optional(finalPaths.at(path)) : std::nullopt;
    }
    std::string roamingAppData() const override { return appData; }
    bool canCreateFileIn(const std::string& folder) const override { return folder == writable; }
    void createFolder(const std::string& folder) override { created = folder; }
};

TEST(ProgramPlace, ALinkToTheExeFileLeadsToTheExeAndALinkedFolderOnTheWayDoesNot) {
    // Started as, its folder resolves to, it resolves to, the exe the program runs from.
    const std::string cases[][4] = {
        {"C:\\T\\M.EXE", "C:\\T", "C:\\T\\m.exe", "C:\\T\\M.EXE"},
        {"C:\\Links\\m.exe", "C:\\Links", "C:\\Pkg\\m.exe", "C:\\Pkg\\m.exe"},
        {"C:\\app\\current\\m.exe", "C:\\app\\1.2", "C:\\app\\1.2\\m.exe",
         "C:\\app\\current\\m.exe"},
    };
    for (const auto& c : cases) {
        FakePlaces places;
        places.started = c[0];
        places.finalPaths = {{folderOfPath(c[0]), c[1]}, {c[0], c[2]}};
        EXPECT_EQ(realProgramFile(places), c[3]);
    }
}

TEST(ProgramPlace, TheListStaysWhereOneIsAndGoesToTheProfileOnlyWhenTheExesFolderCannotTakeIt) {
    const std::string exe = "C:\\Program Files\\M", profile = "C:\\AppData\\Miruteka";
    // The lists there, whether the exe's folder can be written, where the list is kept.
    const std::tuple<std::string, std::string, bool, std::string> cases[] = {
        {exe + "\\filelist.txt", profile + "\\filelist.txt", false, exe},
        {exe + "\\filelist.txt.new", "", false, exe}, // a save cut off
        {profile + "\\filelist.txt", "", true, profile},
        {"", "", true, exe},
        {"", "", false, profile},
    };
    for (const auto& [list, other, writable, expected] : cases) {
        FakeFileSystem files;
        files.addFile(list);
        files.addFile(other);
        FakePlaces places;
        places.writable = writable ? exe : "";
        EXPECT_EQ(listFolderFor(exe, files, places), expected) << list;
        EXPECT_EQ(places.created, list.empty() && !writable ? profile : "");
    }
}

} // namespace
} // namespace miruteka
