#include "fakes/fake_file_system.h"
#include "platform/path_lookup.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

TEST(PathLookup, FindsVisibleFilesAndFoldersOnly) {
    FakeFileSystem files;
    files.addFile("C:\\tools\\app.exe");
    files.addFile("C:\\hidden.txt", {.hidden = true});
    files.addFile("C:\\system.sys", {.system = true});
    files.addFolder("C:\\tools");

    EXPECT_TRUE(pathExists(files, "C:\\tools\\app.exe", LookupKind::FilesOnly));
    EXPECT_TRUE(pathExists(files, "C:\\tools\\app.exe", LookupKind::FilesAndFolders));
    EXPECT_FALSE(pathExists(files, "C:\\tools", LookupKind::FilesOnly));
    EXPECT_TRUE(pathExists(files, "C:\\tools", LookupKind::FilesAndFolders));
    EXPECT_FALSE(pathExists(files, "C:\\hidden.txt", LookupKind::FilesAndFolders));
    EXPECT_FALSE(pathExists(files, "C:\\system.sys", LookupKind::FilesAndFolders));
    EXPECT_FALSE(pathExists(files, "C:\\missing.txt", LookupKind::FilesAndFolders));
    EXPECT_FALSE(pathExists(files, "", LookupKind::FilesAndFolders));
    EXPECT_EQ(files.scans.load(), 0); // under Wine a scan waits behind any scan of a slow drive
}

TEST(PathLookup, WildcardsNeverMatchEvenWhenSomethingFits) {
    FakeFileSystem files;
    files.addFile("C:\\tools\\app.exe");
    files.matchPatterns = true;
    EXPECT_FALSE(pathExists(files, "C:\\tools\\*.*", LookupKind::FilesAndFolders));
    EXPECT_FALSE(pathExists(files, "C:\\tools\\app.ex?", LookupKind::FilesOnly));
}

TEST(PathLookup, DriveRootAndTrailingBackslashNameFolders) {
    FakeFileSystem files;
    // A drive root reports hidden and system; FindFirstFile finds nothing for it.
    files.addFolder("C:\\", {.hidden = true, .system = true});
    files.addFolder("C:\\tools\\");
    files.addFile("C:\\file\\");

    EXPECT_TRUE(pathExists(files, "C:\\", LookupKind::FilesAndFolders));
    EXPECT_FALSE(pathExists(files, "C:\\", LookupKind::FilesOnly));
    EXPECT_TRUE(pathExists(files, "C:\\tools\\", LookupKind::FilesAndFolders));
    EXPECT_FALSE(pathExists(files, "C:\\file\\", LookupKind::FilesAndFolders));
    EXPECT_FALSE(pathExists(files, "D:\\", LookupKind::FilesAndFolders));
}

} // namespace
} // namespace miruteka
