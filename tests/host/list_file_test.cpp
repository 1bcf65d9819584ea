#include "data/list_file.h"
#include "data/list_startup.h"
#include "data/options_file.h"
#include "fakes/fake_file_system.h"
#include "platform/host/cp932_code_page.h"
#include "settings/settings_save.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

const std::string kPath = "C:\\Tools\\filelist.txt";

std::string emptyLines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += "\r\n";
    }
    return lines;
}

// Values that no reader step would produce by accident, to see which ones it changed.
Settings markerSettings() {
    return Settings{-1, -2, -3, -4, -5};
}
ItemTables markerItems() {
    ItemTables items;
    for (int i = 0; i < kItemCount; ++i) {
        items.strItemName[i] = "name" + std::to_string(i);
        items.strItemPath[i] = "path" + std::to_string(i);
    }
    return items;
}

class ListFileTest : public ::testing::Test {
  protected:
    void read(const std::string& bytes) { decodeListFile(codePage, bytes, settings, items); }
    ListStartup start(const std::string& path = kPath) {
        return startListFile(files, codePage, path, settings, items);
    }
    std::string wholeList(const std::string& firstName) {
        ItemTables tables;
        tables.strItemName[0] = firstName;
        return encodeListFile(codePage, kDefaultSettings, tables).bytes;
    }

    Cp932CodePage codePage;
    FakeFileSystem files;
    Settings settings = markerSettings();
    ItemTables items = markerItems();
};

TEST(ListFilePath, AddsTheSeparatorOnlyWhenMissing) {
    EXPECT_EQ(listFilePath("C:\\Tools"), "C:\\Tools\\filelist.txt");
    EXPECT_EQ(listFilePath("C:\\"), "C:\\filelist.txt");
    EXPECT_EQ(listFilePath("\\\\server\\share\\ソ"), "\\\\server\\share\\ソ\\filelist.txt");
}

TEST_F(ListFileTest, FirstStartWritesTheDefaultFileAndReadsItBack) {
    EXPECT_EQ(start().outcome, ListStartup::Outcome::Created);
    const std::string expected =
        std::string(" 200 \r\n 10 \r\n 30 \r\n 20 \r\n 30 \r\n") + emptyLines(80);
    ASSERT_EQ(expected.size(), 191u);
    EXPECT_EQ(files.entries.at(kPath).contents, expected);
    EXPECT_EQ(settings, kDefaultSettings);
    EXPECT_EQ(items, ItemTables{});
    EXPECT_EQ(files.pauses, 0); // a normal start never waits
}

TEST_F(ListFileTest, NeverWritesDefaultsOverAnEntryThatExistsInAnyForm) {
    files.addFile(kPath, {.hidden = true}, "hidden list");
    files.addFile("D:\\filelist.txt", {.system = true}, "system list");
    files.addFile("E:\\filelist.txt", {}, "");
    files.addFolder("F:\\filelist.txt");
    for (const char* path :
         {kPath.c_str(), "D:\\filelist.txt", "E:\\filelist.txt", "F:\\filelist.txt"}) {
        EXPECT_TRUE(listFileExists(files, path)) << path;
        const ListStartup kept = start(path);
        EXPECT_NE(kept.outcome, ListStartup::Outcome::Created) << path;
        EXPECT_NE(kept.outcome, ListStartup::Outcome::CannotCreate) << path;
    }
    EXPECT_EQ(files.writeCount, 0);
    EXPECT_EQ(files.entries.at(kPath).contents, "hidden list");
    EXPECT_EQ(files.entries.at("E:\\filelist.txt").contents, "");
    EXPECT_FALSE(listFileExists(files, "G:\\filelist.txt"));

    // A lookup that fails for another reason (access denied) does not replace the list.
    files.addFile("H:\\filelist.txt", {}, "user list");
    files.failLookups.insert("H:\\filelist.txt");
    EXPECT_EQ(start("H:\\filelist.txt").outcome, ListStartup::Outcome::Loaded);
    EXPECT_EQ(files.entries.at("H:\\filelist.txt").contents, "user list");
}

TEST_F(ListFileTest, StartUpTakesTheWholeListThatACutOffSaveLeftAndKeepsAPartOneAside) {
    // The old list was removed, the new one could not be moved in.
    files.addFile(kPath, {}, "old list");
    files.failWrites = WriteError::NotMovedIntoPlace;
    ItemTables saved;
    saved.strItemName[itemIndex(2, 1)] = "ユーザーの項目";
    const SaveResult result = writeListFile(files, codePage, kPath, kDefaultSettings, saved);
    EXPECT_EQ(result.writeError, WriteError::NotMovedIntoPlace);
    EXPECT_EQ(result.keptAt, kPath + ".new");
    files.failWrites = WriteError::None;

    ASSERT_EQ(start().outcome, ListStartup::Outcome::Loaded);
    EXPECT_EQ(items, saved);
    EXPECT_FALSE(files.entries.contains(kPath + ".new"));

    // One cut off while it was written is no list: kept for the user, the defaults written.
    files.remove(kPath);
    files.addFile(kPath + ".new", {}, " 1 \r\n 2 \r\n");
    files.addFile(kPath + ".partial", {}, "an earlier one");
    ASSERT_EQ(start().outcome, ListStartup::Outcome::Created);
    EXPECT_EQ(files.entries.at(kPath).contents.size(), 191u);
    EXPECT_EQ(files.entries.at(kPath + ".partial2").contents, " 1 \r\n 2 \r\n");
    EXPECT_EQ(files.entries.at(kPath + ".partial").contents, "an earlier one");
}

TEST_F(ListFileTest, DefaultFileThatCannotBeWrittenIsReported) {
    files.failWrites = WriteError::CannotCreateTemporary;
    const ListStartup result = start();
    EXPECT_EQ(result.outcome, ListStartup::Outcome::CannotCreate);
    EXPECT_EQ(result.created.writeError, WriteError::CannotCreateTemporary);
}

TEST_F(ListFileTest, ListOrTemporaryThatCannotBeReadIsRetriedThenReportedAndNeverReplaced) {
    files.addFile(kPath, {}, wholeList("ユーザーの項目"));
    files.failReads[kPath] = ReadError::Held;
    const ListStartup failed = start();
    EXPECT_EQ(failed.outcome, ListStartup::Outcome::Unreadable);
    EXPECT_EQ(files.pauses, 8); // about two seconds
    EXPECT_EQ(settings, markerSettings());
    EXPECT_NE(unreadableListQuestion(failed).find(kPath + "\n\nほかのプログラム"),
              std::string::npos);
    files.pauses = 0;
    files.releaseAfterPauses = 3; // let go while start-up still retries
    EXPECT_EQ(start().outcome, ListStartup::Outcome::Loaded);
    EXPECT_EQ(items.name(1, 0), "ユーザーの項目");
    EXPECT_EQ(files.writeCount, 0);

    // Without the list, a temporary that cannot be read, or is cut short and cannot be kept
    // aside, is no reason to write the defaults.
    const std::string temporary = kPath + ".new";
    files.remove(kPath);
    files.addFile(temporary, {}, wholeList("最後の保存"));
    files.failReads[temporary] = ReadError::NotAvailable;
    EXPECT_EQ(start().file, temporary);
    files.failReads.clear();
    files.addFile(temporary, {}, " 1 \r\n");
    files.heldAgainstMoves.insert(temporary);
    EXPECT_EQ(start().outcome, ListStartup::Outcome::Unreadable);
    EXPECT_FALSE(files.entries.contains(kPath));
}

TEST_F(ListFileTest, WholeTemporaryWinsOverTheListAndOneThatCannotBeMovedIsUsedWhereItIs) {
    const std::string temporary = kPath + ".new";
    files.addFile(kPath, {.hidden = true}, " 1 \r\n 2 \r\n"); // a rewrite cut off
    files.addFile(temporary, {}, wholeList("最後の保存"));
    files.heldAgainstMoves.insert(temporary);
    const ListStartup held = start();
    EXPECT_TRUE(held.outcome == ListStartup::Outcome::Loaded && held.fromTemporary);
    EXPECT_EQ(items.name(1, 0), "最後の保存");
    EXPECT_EQ(writeListFile(files, codePage, kPath, settings, items).keptAt, temporary);
    files.heldAgainstMoves.clear();
    EXPECT_EQ(start().outcome, ListStartup::Outcome::Loaded);
    EXPECT_EQ(files.entries.at(kPath).contents, wholeList("最後の保存"));
    EXPECT_TRUE(files.entries.at(kPath).attributes.hidden);
    EXPECT_FALSE(files.entries.contains(temporary));
}

TEST_F(ListFileTest, JapaneseNamesPathsAndNegativeNumbersSurviveASaveAndARead) {
    const Settings saved{-32768, 32767, 0, -7, 1};
    ItemTables savedItems;
    savedItems.strItemName[itemIndex(1, 0)] = "ソフト";
    savedItems.strItemPath[itemIndex(1, 0)] = "C:\\ソフト\\表示.exe";
    savedItems.strItemName[itemIndex(2, 9)] = "  a, \"quoted\" ";
    savedItems.strItemPath[itemIndex(2, 9)] = "\\\\server\\共有\\";
    savedItems.strItemName[itemIndex(4, 9)] = "最後";
    savedItems.strItemPath[itemIndex(4, 9)] = "D:\\";

    ASSERT_TRUE(writeListFile(files, codePage, kPath, saved, savedItems).saved());
    const std::string& bytes = files.entries.at(kPath).contents;
    const std::string head = "-32768 \r\n 32767 \r\n 0 \r\n-7 \r\n 1 \r\n"
                             "\x83\x5C\x83\x74\x83\x67\r\n";
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_NE(bytes.find("C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C\x8E\xA6.exe\r\n"),
              std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 11), "\x8D\xC5\x8C\xE3\r\nD:\\\r\n");

    readListFile(files, codePage, kPath, settings, items);
    EXPECT_EQ(settings, saved);
    EXPECT_EQ(items, savedItems);
}

TEST_F(ListFileTest, Utf8FileWithOrWithoutTheMarkReadsRightAndSavesInTheCodePage) {
    const std::string lines =
        " 200 \r\n 10 \r\n 30 \r\n 20 \r\n 30 \r\nメモ帳\r\nC:\\ツール\\表.exe\r\n";
    for (const std::string& file : {lines, "\xEF\xBB\xBF" + lines}) {
        settings = markerSettings();
        items = markerItems();
        read(file);
        EXPECT_EQ(settings, kDefaultSettings);
        EXPECT_EQ(items.name(1, 0), "メモ帳");
        EXPECT_EQ(items.path(1, 0), "C:\\ツール\\表.exe");
        EXPECT_EQ(items.name(1, 1), "name1");
    }
    ASSERT_TRUE(writeListFile(files, codePage, kPath, settings, items).saved());
    const std::string& saved = files.entries.at(kPath).contents;
    EXPECT_TRUE(
        saved.starts_with(" 200 \r\n 10 \r\n 30 \r\n 20 \r\n 30 \r\n\x83\x81\x83\x82\x92\xA0\r\n"
                          "C:\\\x83\x63\x81\x5B\x83\x8B\\\x95\x5C.exe\r\n"));

    // Saved again with a character the code page lacks, it keeps every one in UTF-8.
    items.strItemPath[itemIndex(4, 9)] = "D:\\Ünïcode\\한글.txt";
    const ItemTables withUnicode = items;
    ASSERT_TRUE(writeListFile(files, codePage, kPath, settings, items).saved());
    EXPECT_TRUE(files.entries.at(kPath).contents.starts_with("\xEF\xBB\xBF 200 \r\n"));
    readListFile(files, codePage, kPath, settings, items);
    EXPECT_EQ(items, withUnicode);

    // A marked file with a broken sequence keeps the rest of the line, and the line its
    // bytes through a save that leaves it alone; where the code page would read them as
    // other text ("\x83\x81" is メ), in UTF-8, the one form that holds them.
    const std::string broken =
        "\xEF\xBB\xBF 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\na\xFFz\r\n\x83\x81\r\n" + emptyLines(78);
    read(broken);
    EXPECT_EQ(items.name(1, 0), "a\xEF\xBF\xBDz");
    ASSERT_TRUE(writeListFile(files, codePage, kPath, settings, items).saved());
    EXPECT_EQ(files.entries.at(kPath).contents, broken);

    // Code page text that is valid UTF-8 as well ("ﾂｱ" is C2 B1) reads as code page text,
    // and a file in UTF-16 (Notepad's "Unicode") as UTF-16.
    read(" 5 \r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\n\xC2\xB1\r\n");
    EXPECT_EQ(items.name(1, 0), "ﾂｱ");
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit : std::u16string(u" 7 \r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\nメモ帳\r\n")) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    read(utf16);
    EXPECT_EQ(settings, (Settings{7, 1, 2, 3, 4}));
    EXPECT_EQ(items.name(1, 0), "メモ帳");

    // Code page text that would read as UTF-8 gets a line that tells it apart.
    ItemTables halfWidth;
    halfWidth.strItemName[itemIndex(3, 3)] = "ﾂｱ";
    ASSERT_TRUE(writeListFile(files, codePage, kPath, kDefaultSettings, halfWidth).saved());
    readListFile(files, codePage, kPath, settings, items);
    EXPECT_EQ(items, halfWidth);
}

TEST_F(ListFileTest, NotepadsUtf8ReadsAsUtf8OnWesternAndJapaneseCodePages) {
    const std::string head = " 200 \r\n 10 \r\n 30 \r\n 20 \r\n 30 \r\n";
    const Cp1252CodePage western;
    for (const AnsiCodePage* page :
         std::initializer_list<const AnsiCodePage*>{&western, &codePage}) {
        decodeListFile(*page, head + "José\r\nC:\\Users\\José\\café.txt\r\nÅngström\r\n", settings,
                       items);
        EXPECT_EQ(items.name(1, 0), "José") << page->number();
        EXPECT_EQ(items.path(1, 0), "C:\\Users\\José\\café.txt") << page->number();
        EXPECT_EQ(items.name(1, 1), "Ångström") << page->number();
    }
    // Half-width katakana stay code page 932 text where they are valid UTF-8 too: "ﾄｶ" would
    // be a Latin letter ("Ķ"), but with no ASCII letter beside it.
    read(head + "\xC4\xB6\r\nC:\\\xC4\xB6.exe\r\n");
    EXPECT_EQ(items.name(1, 0), "ﾄｶ");
    EXPECT_EQ(items.path(1, 0), "C:\\ﾄｶ.exe");
    // Code page 1252 text that would read as UTF-8 ("Ã©") is saved so that it reads back.
    ItemTables accented;
    accented.strItemName[0] = "Ã©";
    decodeListFile(western, encodeListFile(western, kDefaultSettings, accented).bytes, settings,
                   items);
    EXPECT_EQ(items, accented);
}

TEST_F(ListFileTest, LinesTheCodePageCannotReadKeepTheirBytesThroughEveryOkThatLeavesThemAlone) {
    // A list from a Western PC: "José" and his file in code page 1252, which 932 cannot read.
    const std::string head = " 200 \r\n 10 \r\n 30 \r\n 20 \r\n 30 \r\n";
    const std::string jose = "Jos\xE9\r\nC:\\Users\\Jos\xE9\\caf\xE9.txt\r\n";
    const std::string memo = "\x83\x81\x83\x82\x92\xA0\r\nC:\\memo.exe\r\n"; // メモ帳
    const std::string list = head + jose + memo + emptyLines(76);
    files.addFile(kPath, {}, list);
    LauncherState state;
    start();
    EXPECT_EQ(items.name(1, 0), "Jos\xEF\xBF\xBD"); // shown as well as it can be
    state.items = items;
    state.settings = settings;
    SettingsWorkingCopy copy;
    copy.load(state);
    ASSERT_TRUE(saveWorkingCopy(files, codePage, kPath, copy, state).saved());
    EXPECT_EQ(files.entries.at(kPath).contents, list);

    // Moved a row down, and its edit confirmed unchanged, the item takes its bytes along.
    copy.load(state);
    ASSERT_TRUE(copy.grid(0).moveDown());
    copy.grid(0).setRow(2, state.items.name(1, 0), state.items.path(1, 0));
    ASSERT_TRUE(saveWorkingCopy(files, codePage, kPath, copy, state).saved());
    const std::string moved = head + memo + jose + emptyLines(76);
    EXPECT_EQ(files.entries.at(kPath).contents, moved);

    // An item that makes the list UTF-8 would cost them: refused, naming the item.
    copy.grid(2).setRow(1, "한글", "C:\\한글.txt");
    const SaveResult refused = saveWorkingCopy(files, codePage, kPath, copy, state);
    EXPECT_EQ(refused.status, SaveResult::Status::UnreadableKept);
    EXPECT_EQ(refused.group, 1);
    EXPECT_EQ(refused.row, 2);
    EXPECT_EQ(files.entries.at(kPath).contents, moved);

    // Typed again, they are the user's text, and UTF-8 holds it.
    copy.grid(0).setRow(2, "José", "C:\\Users\\José\\café.txt");
    ASSERT_TRUE(saveWorkingCopy(files, codePage, kPath, copy, state).saved());
    EXPECT_TRUE(files.entries.at(kPath).contents.starts_with("\xEF\xBB\xBF 200 \r\n"));
    readListFile(files, codePage, kPath, settings, items);
    EXPECT_EQ(items, state.items);
}

TEST_F(ListFileTest, TextTheCodePageCannotHoldMakesTheFileUtf8WithAMark) {
    // A wave dash (U+301C), an emoji, "¥" (it would come back as "\"), an accent.
    for (const char* text :
         {"波〜線", "C:\\\xF0\x9F\x98\x80.txt", "price \xC2\xA5", "C:\\café.txt"}) {
        ItemTables tables;
        tables.strItemName[itemIndex(1, 0)] = "ソフト";
        tables.strItemPath[itemIndex(3, 4)] = text;
        ASSERT_TRUE(writeListFile(files, codePage, kPath, kDefaultSettings, tables).saved());
        EXPECT_TRUE(files.entries.at(kPath).contents.starts_with(
            "\xEF\xBB\xBF 200 \r\n 10 \r\n 30 \r\n 20 \r\n 30 \r\nソフト\r\n"));
        readListFile(files, codePage, kPath, settings, items);
        EXPECT_EQ(items, tables) << text;
    }
}

TEST_F(ListFileTest, RefusesALineBreakAndKeepsTheOldFile) {
    files.addFile(kPath, {}, "old list");
    for (const char* text : {"C:\\a\r\nb", "a\nb", "\r"}) {
        ItemTables tables;
        tables.strItemName[itemIndex(1, 9)] = "\xF0\x9F\x98\x80"; // comes first, but UTF-8 holds it
        tables.strItemPath[itemIndex(2, 5)] = text;
        tables.strItemName[itemIndex(3, 0)] = text;
        const SaveResult result = writeListFile(files, codePage, kPath, kDefaultSettings, tables);
        EXPECT_EQ(result.status, SaveResult::Status::Unrepresentable);
        EXPECT_EQ(result.group, 2);
        EXPECT_EQ(result.row, 6);
    }
    EXPECT_EQ(files.writeCount, 0);
    EXPECT_EQ(files.entries.at(kPath).contents, "old list");
}

TEST_F(ListFileTest, FailedWriteIsReportedAndKeepsTheOldFile) {
    files.addFile(kPath, {}, "old list");
    files.failWrites = WriteError::CannotReplace;
    const SaveResult result = writeListFile(files, codePage, kPath, kDefaultSettings, {});
    EXPECT_FALSE(result.saved());
    EXPECT_EQ(result.status, SaveResult::Status::WriteFailed);
    EXPECT_EQ(result.writeError, WriteError::CannotReplace);
    EXPECT_EQ(files.entries.at(kPath).contents, "old list");
}

TEST_F(ListFileTest, MissingOrEmptyFileChangesNothing) {
    readListFile(files, codePage, kPath, settings, items);
    files.addFile(kPath, {}, "");
    readListFile(files, codePage, kPath, settings, items);
    EXPECT_EQ(settings, markerSettings());
    EXPECT_EQ(items, markerItems());
}

TEST_F(ListFileTest, EarlyEndLeavesTheRestUnchanged) {
    read(" 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n");
    EXPECT_EQ(settings, (Settings{1, 2, 3, 4, 5}));
    EXPECT_EQ(items, markerItems());

    settings = markerSettings();
    read(" 1 \r\n 2 \r\n");
    EXPECT_EQ(settings, (Settings{1, 2, -3, -4, -5}));

    // The last line may lack its line end; a name stops the reading halfway through a pair.
    settings = markerSettings();
    read(" 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\nfirst");
    EXPECT_EQ(items.strItemName[0], "first");
    EXPECT_EQ(items.strItemPath[0], "path0");
    EXPECT_EQ(items.strItemName[1], "name1");
}

TEST_F(ListFileTest, NumberLinesWithOrWithoutBlanks) {
    read("200\r\n 200 \r\n\t-17  \r\n+8\r\n\r\n");
    EXPECT_EQ(settings, (Settings{200, 200, -17, 8, 0}));

    settings = markerSettings();
    read("  \r\n-0\r\n 32767 \r\n-32768 \r\n007\r\n");
    EXPECT_EQ(settings, (Settings{0, 0, 32767, -32768, 7}));
}

TEST_F(ListFileTest, BadOrOutOfRangeNumbersLeaveTheirSettingAndOnlyIt) {
    const char* badLines[] = {
        "abc",     "12x", "1.5", "--3", "+", "1 2", "32768", "-32769", "99999999999999999999",
        "\x82\x50"}; // a full-width "1"
    for (const char* bad : badLines) {
        settings = markerSettings();
        items = markerItems();
        read(std::string(" 1 \r\n") + bad + "\r\n 3 \r\n 4 \r\n 5 \r\nname\r\npath\r\n");
        EXPECT_EQ(settings, (Settings{1, -2, 3, 4, 5})) << bad;
        EXPECT_EQ(items.name(1, 0), "name") << bad;
        EXPECT_EQ(items.path(1, 0), "path") << bad;
    }
}

TEST_F(ListFileTest, TextLinesAreWholeLinesAndLinesPast85AreIgnored) {
    std::string bytes = " 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n";
    bytes += "  a, \"b\"  \r\n";  // group 1, slot 0 name: kept as it is
    bytes += "C:\\\x83\x5C\r\n";  // its path: "C:\ソ"
    bytes += emptyLines(77);      // up to line 84
    bytes += "last path\r\n";     // line 85: group 4, slot 9 path
    bytes += " 99 \r\nextra\r\n"; // lines 86 and 87
    read(bytes);
    EXPECT_EQ(settings, (Settings{1, 2, 3, 4, 5}));
    EXPECT_EQ(items.name(1, 0), "  a, \"b\"  ");
    EXPECT_EQ(items.path(1, 0), "C:\\ソ");
    EXPECT_EQ(items.name(2, 0), "");
    EXPECT_EQ(items.name(4, 9), "");
    EXPECT_EQ(items.path(4, 9), "last path");
}

TEST_F(ListFileTest, BareLineFeedsReadTheSameAsCrLf) {
    ItemTables saved;
    saved.strItemName[itemIndex(2, 3)] = "表計算";
    saved.strItemPath[itemIndex(2, 3)] = "C:\\ソフト\\calc.exe";
    saved.strItemPath[itemIndex(4, 9)] = "D:\\end";
    const EncodedList encoded = encodeListFile(codePage, Settings{5, 6, 7, 8, 9}, saved);
    ASSERT_TRUE(encoded.ok);
    std::string unixText;
    for (const char c : encoded.bytes) {
        if (c != '\r') {
            unixText += c;
        }
    }
    unixText.pop_back(); // and no line end after the last line
    read(unixText);
    EXPECT_EQ(settings, (Settings{5, 6, 7, 8, 9}));
    EXPECT_EQ(items, saved);
}

std::string utf16le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    }
    return bytes;
}

// miruteka.ini: the pause key's text both ways, what a hand-edited file may hold, and a
// rewrite that touches only its own line.
TEST(OptionsFile, ThePauseKeyReadsAndWritesAsTextAndARewriteKeepsOtherLines) {
    const std::pair<HotKey, const char*> keys[] = {
        {kDefaultPauseKey, "Ctrl+Shift+X"},
        {{'7', true, true, true}, "Ctrl+Shift+Alt+7"},
        {{0x2E, true, false, false}, "Ctrl+Delete"},
        {{0x63, false, true, true}, "Shift+Alt+NumPad3"},
        {{0xBA, true, false, false}, "Ctrl+#BA"},
        {{}, ""},
    };
    for (const auto& [key, text] : keys) {
        EXPECT_EQ(hotKeyText(key), text);
    }
    // Every key the program accepts reads back from its text.
    for (int code = 1; code <= 0xFF; ++code) {
        for (int held = 0; held < 8; ++held) {
            const HotKey key{static_cast<std::uint8_t>(code), (held & 1) != 0, (held & 2) != 0,
                             (held & 4) != 0};
            if (usableAsGlobalKey(key)) {
                EXPECT_EQ(parseHotKey(hotKeyText(key)), key) << hotKeyText(key);
            }
        }
    }
    EXPECT_EQ(parseHotKey(""), HotKey{});
    EXPECT_EQ(parseHotKey(" control + alt+ shift +x "), (HotKey{'X', true, true, true}));
    for (const char* refused : {"X", "Shift+X", "Ctrl+Alt+X", "Ctrl+Ctrl+X", "Ctrl+", "Ctrl+F25",
                                "Ctrl+#00", "Win+X", "Ctrl+Shift", "Ctrl+XY"}) {
        EXPECT_EQ(parseHotKey(refused), std::nullopt) << refused;
    }

    // A value that is no usable key means none; only a missing line means the default.
    EXPECT_EQ(decodeOptions("[Keys]\r\nPause=Ctrl+Alt+Q\r\nList=\r\n"), keysOff());
    EXPECT_EQ(decodeOptions("[Keys]\r\nList=Alt+F9\r\nPause=Alt+F9\r\nPause=garbage\r\n List = x"),
              keysOff());
    EXPECT_EQ(decodeOptions("Pause=Alt+F9\r\n[Other]\r\nPause=Alt+F9\r\n"), Options{});
    EXPECT_EQ(decodeOptions("\xEF\xBB\xBF[keys]\n; Pause=Alt+F8\n pause = Alt+F9\n").pauseKey,
              (HotKey{0x78, false, false, true}));
    const Options off = keysOff();
    EXPECT_EQ(
        encodeOptions("; mine\n[Keys]\nOther=1\nPause=Alt+F9\npause=Alt+F8\n[More]\nA=b", off),
        "; mine\n[Keys]\nOther=1\nPause=\r\nList=\r\n[More]\nA=b\r\n");
    EXPECT_EQ(encodeOptions("[Keys]\r\nOther=1\r\n\r\n[More]\r\n", off),
              "[Keys]\r\nOther=1\r\nPause=\r\nList=\r\n\r\n[More]\r\n");
    Options listOnF8;
    listOnF8.listKey = HotKey{0x77, false, false, true};
    EXPECT_EQ(encodeOptions("[More]\r\nA=b", listOnF8),
              "[More]\r\nA=b\r\n\r\n[Keys]\r\nList=Alt+F8\r\n");
    EXPECT_EQ(decodeOptions("[Keys]\r\nList=Alt+F8\r\n"), listOnF8);

    // UTF-16 is read as such and stays UTF-16 with its mark.
    const Options ctrlF9{HotKey{0x78, true, false, false}};
    const std::string wide = utf16le(u"; 設定\r\n[Keys]\r\nPause=Alt+F9\r\n");
    EXPECT_EQ(decodeOptions(wide).pauseKey, (HotKey{0x78, false, false, true}));
    EXPECT_EQ(encodeOptions(wide, ctrlF9), utf16le(u"; 設定\r\n[Keys]\r\nPause=Ctrl+F9\r\n"));

    FakeFileSystem files;
    const std::string path = optionsFilePath("C:\\Tools");
    EXPECT_EQ(readOptionsFile(files, path).options, Options{});
    EXPECT_EQ(writeOptionsFile(files, path, off).error, WriteError::None);
    EXPECT_EQ(files.entries.at("C:\\Tools\\miruteka.ini").contents,
              "[Keys]\r\nPause=\r\nList=\r\n");
}

// What a cut-off save of miruteka.ini left, and an ini held by another program, through the
// store the list uses.
TEST(OptionsFile, LeftoversSettleNeverHoldASaveUpAndAHeldIniIsNeitherGuessedNorReplaced) {
    FakeFileSystem files;
    const std::string path = "C:\\Tools\\miruteka.ini";
    const Options altF9{HotKey{0x78, false, false, true}};
    const std::string mine = "; mine\r\n[Keys]\r\nPause=\r\n";
    // The newest save, whole in its temporary, wins; one cut short is kept aside.
    files.addFile(path, {.lastWrite = 1}, mine);
    files.addFile(path + ".new", {.lastWrite = 2}, "[Keys]\r\nPause=Alt+F9\r\n");
    EXPECT_EQ(readOptionsFile(files, path).options, altF9);
    files.addFile(path + ".new", {}, std::string("[Keys]\r\nPause=Alt+F8\r\n\0\0", 24));
    EXPECT_EQ(readOptionsFile(files, path).options, altF9);
    EXPECT_TRUE(files.entries.contains(path + ".partial"));

    // One that cannot be moved does not stop a save; the save then wins over it at start-up.
    files.addFile(path, {}, mine);
    files.addFile(path + ".new", {.lastWrite = 3}, "[Keys]\r\nPause=Alt+F8\r\n");
    files.heldAgainstMoves.insert(path + ".new");
    ASSERT_EQ(writeOptionsFile(files, path, altF9).error, WriteError::None);
    EXPECT_EQ(files.entries.at(path).contents, "[Keys]\r\nPause=Alt+F9\r\n");
    files.heldAgainstMoves.clear();
    EXPECT_EQ(readOptionsFile(files, path).options, altF9);

    // Held past the retries: every key off, nothing written, the other lines kept.
    files.addFile(path, {}, mine);
    files.failReads[path] = ReadError::Held;
    const OptionsStartup held = readOptionsFile(files, path);
    EXPECT_TRUE(held.unreadable);
    EXPECT_EQ(held.options, keysOff());
    EXPECT_EQ(writeOptionsFile(files, path, altF9).error, WriteError::CannotReplace);
    EXPECT_EQ(files.entries.at(path).contents, mine);
}

} // namespace
} // namespace miruteka
