#include "data/program_place.h"
#include "fakes/fake_file_system.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace miruteka {
namespace {

struct FakePlaces : ProgramPlaceQueries {
    std::string started, appData = "C:\\AppData";
    std::map<std::string, std::string> finalPaths; // what opens, and where it resolves to
    std::set<std::string> writable;
    std::vector<std::string> created;

    std::string startedFile() const override { return started; }
    std::optional<std::string> finalPath(const std::string& path) const override {
        return finalPaths.contains(path) ? std::optional(finalPaths.at(path)) : std::nullopt;
    }
    std::string roamingAppData() const override { return appData; }
    bool canCreateFileIn(const std::string& folder) const override {
        return writable.contains(folder);
    }
    void createFolder(const std::string& folder) override { created.push_back(folder); }
};

// Started as `started`, whose folder resolves to `folder` and which resolves to `file`.
std::string realFile(const std::string& started, const std::string& folder,
                     const std::string& file) {
    FakePlaces places;
    places.started = started;
    places.finalPaths = {{started, file}, {folderOfPath(started), folder}};
    return realProgramFile(places);
}

TEST(ProgramPlace, ALinkToTheExeFileLeadsToTheExeAndALinkedFolderOnTheWayDoesNot) {
    EXPECT_EQ(realFile("C:\\T\\MIRUTEKA.EXE", "C:\\T", "C:\\T\\miruteka.exe"),
              "C:\\T\\MIRUTEKA.EXE");
    EXPECT_EQ(realFile("D:\\m.exe", "D:\\", "D:\\m.exe"), "D:\\m.exe");
    EXPECT_EQ(realFile("C:\\Links\\m.exe", "C:\\Links", "C:\\Pkg\\m.exe"), "C:\\Pkg\\m.exe");
    // Scoop's "current" folder, which moves on with each update.
    EXPECT_EQ(realFile("C:\\app\\current\\m.exe", "C:\\app\\1.2", "C:\\app\\1.2\\m.exe"),
              "C:\\app\\current\\m.exe");
    FakePlaces unopened;
    unopened.started = "C:\\Links\\m.exe";
    EXPECT_EQ(realProgramFile(unopened), "C:\\Links\\m.exe");
}

TEST(ProgramPlace, TheListStaysWhereOneIsAndGoesToTheProfileOnlyWhenTheExesFolderCannotTakeIt) {
    const std::string exe = "C:\\Program Files\\Miruteka", profile = "C:\\AppData\\Miruteka";
    const struct {
        std::vector<std::string> lists;
        bool writable;
        std::string expected;
    } cases[] = {
        {{exe + "\\filelist.txt", profile + "\\filelist.txt"}, false, exe},
        {{exe + "\\filelist.txt.new"}, false, exe}, // a save cut off
        {{profile + "\\filelist.txt"}, true, profile},
        {{}, true, exe},
        {{}, false, profile},
    };
    for (const auto& c : cases) {
        FakeFileSystem files;
        for (const std::string& list : c.lists) {
            files.addFile(list);
        }
        FakePlaces places;
        if (c.writable) {
            places.writable.insert(exe);
        }
        EXPECT_EQ(listFolderFor(exe, files, places), c.expected) << c.lists.size() << c.writable;
        EXPECT_EQ(places.created.size(), c.lists.empty() && !c.writable ? 1u : 0u);
    }
    FakeFileSystem files;
    FakePlaces noProfile;
    noProfile.appData.clear();
    EXPECT_EQ(listFolderFor(exe, files, noProfile), exe);
}

} // namespace
} // namespace miruteka
