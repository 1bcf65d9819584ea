#include "data/list_file.h"
#include "data/list_startup.h"
#include "data/options_file.h"
#include "platform/program_place_queries.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/unique.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace miruteka::win32 {
namespace {

namespace fs = std::filesystem;

std::string rawRead(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void rawWrite(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string utf8(const fs::path& path) {
    return toUtf8(path.wstring());
}

// Each test gets a fresh folder with a Japanese name (whose "ソ" ends in the byte of "\").
class ListFileWinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static int counter = 0;
        folder_ = fs::temp_directory_path() /
                  (L"ミルテカ ソフト " + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++counter));
        fs::remove_all(folder_);
        ASSERT_TRUE(fs::create_directories(folder_));
        listPath_ = listFilePath(utf8(folder_));
        listFile_ = folder_ / L"filelist.txt";
    }
    void TearDown() override {
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(folder_, ignored)) {
            ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL); // read-only ones
        }
        fs::remove_all(folder_, ignored);
    }

    fs::path temporaryFile() const { return folder_ / L"filelist.txt.new"; }
    ListStartup start() {
        settings_ = Settings{-1, -1, -1, -1, -1};
        return startListFile(files_, codePage_, listPath_, settings_, items_);
    }
    std::string wholeList(const std::string& firstName) const {
        ItemTables tables;
        tables.strItemName[0] = firstName;
        return encodeListFile(codePage_, kDefaultSettings, tables).bytes;
    }
    UniqueFile holdUnshared(const fs::path& file) const {
        return UniqueFile(::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    fs::path folder_;
    fs::path listFile_;
    std::string listPath_;
    Win32CodePage codePage_;
    Win32FileSystem files_;
    Settings settings_;
    ItemTables items_;
};

TEST(Win32CodePage, AgreesWithCodePage932AndRefusesWhatWouldNotComeBack) {
    const Win32CodePage codePage;
    ASSERT_EQ(codePage.number(), 932u) << "the tests expect a Japanese system code page";
    EXPECT_EQ(codePage.fromUtf8("C:\\ソフト\\表.exe"),
              std::string("C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.exe"));
    EXPECT_EQ(codePage.fromUtf8("～"), std::string("\x81\x60"));
    EXPECT_EQ(codePage.fromUtf8(""), std::string());
    EXPECT_FALSE(codePage.fromUtf8("〜"));               // U+301C
    EXPECT_FALSE(codePage.fromUtf8("a\xC2\xA5"));        // "¥", best-fit to "\"
    EXPECT_FALSE(codePage.fromUtf8("\xF0\x9F\x98\x80")); // an emoji
    EXPECT_FALSE(codePage.fromUtf8("\xE2\x82"));         // broken UTF-8

    EXPECT_EQ(codePage.toUtf8("C:\\\x83\x5C"), "C:\\ソ");
    EXPECT_EQ(codePage.toUtf8("\x83 A\x83\x5C"), "\xEF\xBF\xBD Aソ");
    EXPECT_EQ(codePage.toUtf8("ab\x83"), "ab\xEF\xBF\xBD");
}

TEST(Win32CodePage, UnicodeAsTheSystemCodePageKeepsEverything) {
    const Win32CodePage codePage(CP_UTF8);
    EXPECT_EQ(codePage.fromUtf8("〜\xF0\x9F\x98\x80"), std::string("〜\xF0\x9F\x98\x80"));
    EXPECT_FALSE(codePage.fromUtf8("\xE2\x82"));
    EXPECT_EQ(codePage.toUtf8("a\xE2\x82"), "a\xEF\xBF\xBD");
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExe) {
    const std::string folder = folderOfPath(programFile());
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(fs::exists(fs::path(toWide(folder)) / L"win_tests.exe"));

    EXPECT_EQ(folderOfPath("C:\\miruteka.exe"), "C:\\");
    EXPECT_EQ(folderOfPath("C:\\ツール\\ソ\\miruteka.exe"), "C:\\ツール\\ソ");
    EXPECT_EQ(folderOfPath("\\\\server\\share\\miruteka.exe"), "\\\\server\\share");
}

TEST_F(ListFileWinTest, FirstStartWritesTheDefaultFileAndReadsItBack) {
    ASSERT_FALSE(listFileExists(files_, listPath_));
    ASSERT_EQ(start().outcome, ListStartup::Outcome::Created);
    std::string expected = " 200 \r\n 10 \r\n 30 \r\n 20 \r\n 30 \r\n";
    for (int line = 6; line <= 85; ++line) {
        expected += "\r\n";
    }
    ASSERT_EQ(expected.size(), 191u);
    EXPECT_EQ(rawRead(listFile_), expected);
    EXPECT_FALSE(fs::exists(temporaryFile()));
    EXPECT_EQ(settings_, kDefaultSettings);
    EXPECT_EQ(items_, ItemTables{});
}

TEST_F(ListFileWinTest, JapaneseItemsSurviveASaveAndARead) {
    const Settings saved{-32768, 32767, 0, -7, 1};
    ItemTables items;
    items.strItemName[itemIndex(1, 0)] = "ソフト";
    items.strItemPath[itemIndex(1, 0)] = utf8(folder_ / L"表示.exe");
    items.strItemName[itemIndex(4, 9)] = "最後, \"quoted\" ";
    items.strItemPath[itemIndex(4, 9)] = "D:\\";
    ASSERT_TRUE(writeListFile(files_, codePage_, listPath_, saved, items).saved());

    const std::string bytes = rawRead(listFile_);
    const std::string head =
        "-32768 \r\n 32767 \r\n 0 \r\n-7 \r\n 1 \r\n\x83\x5C\x83\x74\x83\x67\r\n";
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_NE(bytes.find("\\\x95\x5C\x8E\xA6.exe\r\n"), std::string::npos);

    Settings readSettings;
    ItemTables readItems;
    readListFile(files_, codePage_, listPath_, readSettings, readItems);
    EXPECT_EQ(readSettings, saved);
    EXPECT_EQ(readItems, items);

    // The same list as Notepad saves it, in UTF-8, reads the same and saves as before.
    rawWrite(listFile_, "-32768 \r\n 32767 \r\n 0 \r\n-7 \r\n 1 \r\nソフト\r\n" +
                            items.strItemPath[itemIndex(1, 0)] + "\r\n" + std::string(76, '\n') +
                            "最後, \"quoted\" \nD:\\\n");
    readListFile(files_, codePage_, listPath_, readSettings, readItems);
    EXPECT_EQ(readItems, items);
    ASSERT_TRUE(writeListFile(files_, codePage_, listPath_, readSettings, readItems).saved());
    EXPECT_EQ(rawRead(listFile_), bytes);
}

TEST_F(ListFileWinTest, HiddenListIsReadNotReplacedAndStaysHiddenWhenSavedOverAStaleTemporary) {
    rawWrite(listFile_, " 7 \r\n");
    ASSERT_TRUE(::SetFileAttributesW(listFile_.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(files_.attributes(listPath_)->hidden);

    ASSERT_EQ(start().outcome, ListStartup::Outcome::Loaded);
    EXPECT_EQ(rawRead(listFile_), " 7 \r\n");
    EXPECT_EQ(settings_.intTimerInterval, 7);

    // A cut-short temporary left by a save that was cut off is kept aside, even hidden and
    // read-only.
    rawWrite(temporaryFile(), "stale");
    ASSERT_TRUE(::SetFileAttributesW(temporaryFile().c_str(),
                                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(writeListFile(files_, codePage_, listPath_, kDefaultSettings, {}).saved());
    EXPECT_EQ(rawRead(listFile_).size(), 191u);
    EXPECT_TRUE(files_.attributes(listPath_)->hidden);
    EXPECT_FALSE(fs::exists(temporaryFile()));
    EXPECT_EQ(rawRead(folder_ / L"filelist.txt.partial"), "stale");

    // One held open (another instance's save under way) is neither deleted nor written past.
    rawWrite(temporaryFile(), "theirs");
    UniqueFile held = holdUnshared(temporaryFile());
    ASSERT_TRUE(held);
    EXPECT_EQ(writeListFile(files_, codePage_, listPath_, Settings{}, {}).writeError,
              WriteError::TemporaryHeld);
    held.reset();
    EXPECT_EQ(rawRead(temporaryFile()), "theirs");
    EXPECT_EQ(rawRead(listFile_).size(), 191u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3);
}

TEST_F(ListFileWinTest, SaveOverAFileHeldOpenFailsAndKeepsTheOldBytes) {
    const std::string old = " 1 \r\n 2 \r\nold name\r\n";
    rawWrite(listFile_, old);
    {
        const UniqueFile held(::CreateFileW(listFile_.c_str(), GENERIC_READ, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        const SaveResult result = writeListFile(files_, codePage_, listPath_, kDefaultSettings, {});
        EXPECT_EQ(result.status, SaveResult::Status::WriteFailed);
        EXPECT_EQ(result.writeError, WriteError::CannotReplace);
        EXPECT_FALSE(fs::exists(temporaryFile()));
    }
    EXPECT_EQ(rawRead(listFile_), old);
}

TEST_F(ListFileWinTest, SaveWithAFolderInTheWayOfTheTemporaryFileKeepsTheOldBytes) {
    const std::string old = " 1 \r\n 2 \r\nold name\r\n";
    rawWrite(listFile_, old);
    ASSERT_TRUE(fs::create_directory(temporaryFile()));
    const SaveResult result = writeListFile(files_, codePage_, listPath_, kDefaultSettings, {});
    EXPECT_EQ(result.status, SaveResult::Status::WriteFailed);
    EXPECT_EQ(result.writeError, WriteError::CannotCreateTemporary);
    EXPECT_EQ(rawRead(listFile_), old);
    EXPECT_TRUE(fs::is_directory(temporaryFile())); // not ours to remove

    // Without a list file the failure is the same: no half-written file appears.
    fs::remove(listFile_);
    EXPECT_EQ(start().outcome, ListStartup::Outcome::CannotCreate);
    EXPECT_FALSE(fs::exists(listFile_));
}

TEST_F(ListFileWinTest, HardLinkedListStaysLinkedAndTheOnlyCopyOfAListIsNeverDeleted) {
    // A package manager keeps the list as a hard link: the save goes into the file itself.
    const fs::path kept = folder_ / L"kept by the package manager.txt";
    rawWrite(kept, std::string(300, 'x'));
    ASSERT_TRUE(::CreateHardLinkW(listFile_.c_str(), kept.c_str(), nullptr));
    ASSERT_TRUE(writeListFile(files_, codePage_, listPath_, kDefaultSettings, {}).saved());
    EXPECT_EQ(rawRead(listFile_).size(), 191u);
    EXPECT_EQ(rawRead(kept), rawRead(listFile_));
    EXPECT_FALSE(fs::exists(temporaryFile()));

    // A rewrite cut off halfway: the whole temporary goes into the file, and the link stays.
    rawWrite(listFile_, " 1 \r\n 2 \r\n");
    const std::string whole = wholeList("ソフト");
    rawWrite(temporaryFile(), whole);
    ASSERT_EQ(start().outcome, ListStartup::Outcome::Loaded);
    EXPECT_EQ(items_.name(1, 0), "ソフト");
    EXPECT_EQ(rawRead(kept), whole);
    EXPECT_EQ(rawRead(listFile_), whole);
    EXPECT_FALSE(fs::exists(temporaryFile()));

    // Beside a whole list, a cut-short temporary is kept aside and the list used as it is.
    rawWrite(temporaryFile(), " 9 \r\n");
    ASSERT_EQ(start().outcome, ListStartup::Outcome::Loaded);
    EXPECT_EQ(items_.name(1, 0), "ソフト");
    EXPECT_EQ(rawRead(folder_ / L"filelist.txt.partial"), " 9 \r\n");
    EXPECT_FALSE(fs::exists(temporaryFile()));
}

TEST_F(ListFileWinTest, ListHeldWithoutSharingAtStartUpIsReportedAndNotReplaced) {
    const std::string list = wholeList("ユーザーの項目");
    rawWrite(listFile_, list);
    UniqueFile held = holdUnshared(listFile_);
    ASSERT_TRUE(held);
    const ListStartup failed = start();
    EXPECT_EQ(failed.outcome, ListStartup::Outcome::Unreadable);
    EXPECT_EQ(failed.file, listPath_);
    EXPECT_EQ(failed.read.error, ReadError::Held);
    EXPECT_EQ(settings_.intTimerInterval, -1);
    held.reset();
    EXPECT_EQ(rawRead(listFile_), list);
    ASSERT_EQ(start().outcome, ListStartup::Outcome::Loaded);
    EXPECT_EQ(items_.name(1, 0), "ユーザーの項目");
}

TEST_F(ListFileWinTest, HeldWholeTemporaryWithNoListIsNeverGivenUp) {
    const std::string whole = wholeList("最後の保存");
    rawWrite(temporaryFile(), whole);
    UniqueFile held = holdUnshared(temporaryFile());
    ASSERT_TRUE(held);
    const ListStartup unreadable = start();
    EXPECT_EQ(unreadable.outcome, ListStartup::Outcome::Unreadable);
    EXPECT_EQ(unreadable.file, utf8(temporaryFile()));
    EXPECT_FALSE(fs::exists(listFile_)); // no defaults

    held.reset();
    ASSERT_EQ(start().outcome, ListStartup::Outcome::Loaded);
    EXPECT_EQ(rawRead(listFile_), whole);
    EXPECT_FALSE(fs::exists(temporaryFile()));
}

TEST_F(ListFileWinTest, NameTheCodePageLacksIsSavedInUtf8AndALineBreakIsRefused) {
    ItemTables items;
    items.strItemName[itemIndex(3, 4)] = "波〜線";
    items.strItemPath[itemIndex(3, 4)] = "C:\\café\\한글.txt";
    ASSERT_TRUE(writeListFile(files_, codePage_, listPath_, kDefaultSettings, items).saved());
    const std::string saved = rawRead(listFile_);
    EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF 200 \r\n")) << saved;

    items.strItemName[itemIndex(3, 4)] = "a\r\nb";
    const SaveResult result = writeListFile(files_, codePage_, listPath_, kDefaultSettings, items);
    EXPECT_EQ(result.status, SaveResult::Status::Unrepresentable);
    EXPECT_EQ(result.group, 3);
    EXPECT_EQ(result.row, 5);
    EXPECT_EQ(rawRead(listFile_), saved);
    EXPECT_FALSE(fs::exists(temporaryFile()));
}

TEST_F(ListFileWinTest, IniSavedPastATemporaryThatCannotBeMovedWinsOverItAtTheNextStart) {
    const fs::path ini = folder_ / L"miruteka.ini";
    const fs::path stuck = folder_ / L"miruteka.ini.new";
    rawWrite(ini, "; mine\r\n[Keys]\r\nPause=\r\n");
    rawWrite(stuck, "[Keys]\r\nPause=Alt+F8\r\n"); // the newest values, cut off before the rename
    const Options altF9{HotKey{VK_F9, false, false, true}};
    {
        // Read but neither moved nor removed, as by a scanner.
        const UniqueFile held(::CreateFileW(stuck.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        ASSERT_EQ(writeOptionsFile(files_, utf8(ini), altF9).error, WriteError::None);
    }
    EXPECT_EQ(rawRead(ini), "[Keys]\r\nPause=Alt+F9\r\n");
    EXPECT_EQ(readOptionsFile(files_, utf8(ini)).options, altF9);
    EXPECT_EQ(rawRead(folder_ / L"miruteka.ini.partial"), "[Keys]\r\nPause=Alt+F8\r\n");
}

TEST_F(ListFileWinTest, LookupsAndReadsOfMissingEntries) {
    EXPECT_EQ(files_.readFile(listPath_).error, ReadError::Missing);
    EXPECT_FALSE(files_.findFirst(listPath_));
    EXPECT_FALSE(files_.attributes(listPath_));
    const auto folder = files_.findFirst(utf8(folder_));
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->directory);
    EXPECT_FALSE(files_.readFile(utf8(folder_)).ok());
}

} // namespace
} // namespace miruteka::win32
