#include "fakes/fake_file_system.h"
#include "fakes/fake_icons.h"
#include "fakes/fake_message_boxes.h"
#include "settings/item_dialog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <vector>

namespace miruteka {
namespace {

class RecordingHost : public ItemDialogHost {
  public:
    void acceptItem(const std::string& name, const std::string& path) override {
        accepted.push_back({name, path});
    }
    std::vector<ItemFields> accepted;
};

class ItemDialogOk : public ::testing::Test {
  protected:
    ItemDialogOk() {
        files.addFile("C:\\tools\\app.exe");
        files.addFolder("C:\\tools");
        files.addFolder("C:\\", {.hidden = true, .system = true});
        files.addFile("C:\\tools\\secret.txt", {.hidden = true});
        files.addFile("C:\\pagefile.sys", {.system = true});
        files.matchPatterns = true;
    }

    // Whether OK closes the dialog with these texts; what was shown and written is recorded.
    bool ok(const std::string& name, const std::string& path) {
        bool closed = false;
        confirmation.confirm({name, path}, [&closed] { closed = true; });
        return closed;
    }

    FakeFileSystem files;
    FakeIconApi icons;
    FakeMessageBoxes messages;
    RecordingHost host;
    FakeBackgroundWork work;
    ItemProbes probes{work, borrowed(files), borrowed(icons)};
    ItemConfirmation confirmation{probes, messages, host};
};

TEST_F(ItemDialogOk, AcceptsExistingFilesAndFoldersWithTheNameAsTyped) {
    EXPECT_TRUE(ok("アプリ", "C:\\tools\\app.exe"));
    EXPECT_TRUE(ok("道具", "C:\\tools"));
    EXPECT_TRUE(ok("", "C:\\")); // an empty name is written as it is; a drive root is a folder
    EXPECT_TRUE(messages.shown.empty());
    const std::vector<ItemFields> expected{
        {"アプリ", "C:\\tools\\app.exe"}, {"道具", "C:\\tools"}, {"", "C:\\"}};
    EXPECT_EQ(host.accepted, expected);
}

TEST_F(ItemDialogOk, RefusesWhatNamesNoVisibleFileOrFolderAndWritesNothing) {
    const std::vector<std::string> refused{
        "C:\\tools\\missing.exe",
        "",                      // nothing typed
        "C:\\tools\\*.*",        // a pattern, although something fits it
        "C:\\tools\\app.ex?",    // likewise
        "C:\\tools\\secret.txt", // hidden
        "C:\\pagefile.sys",      // system
        " C:\\tools\\app.exe",   // checked as typed, not trimmed
    };
    for (const std::string& path : refused) {
        messages.shown.clear();
        EXPECT_FALSE(ok("名前", path)) << path;
        const std::vector<FakeMessageBoxes::Shown> expected{{false, "ファイルが存在しません。"}};
        EXPECT_EQ(messages.shown, expected) << path;
    }
    EXPECT_TRUE(host.accepted.empty());
}

TEST_F(ItemDialogOk, ALookAtAnUnreachableShareIsDroppedWhenTheDialogCloses) {
    work.setMode(FakeBackgroundWork::Mode::Threads);
    const std::string share = "\\\\nas\\tools\\app.exe";
    files.addFile(share);
    files.slowPaths[share] = &work.slow;
    int closes = 0;
    auto dialog = std::make_optional<ItemConfirmation>(probes, messages, host);
    dialog->confirm({"共有", share}, [&] { ++closes; });
    dialog->confirm({"二度目", share}, [&] { ++closes; }); // a second OK meanwhile
    EXPECT_TRUE(dialog->checking());
    dialog.reset(); // Cancel
    work.slow.open();
    work.waitForAnswers([&] { return probes.inFlight() == 0; }, std::chrono::seconds(5));
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(host.accepted.empty());
    EXPECT_TRUE(messages.shown.empty());
}

// The user edits a box (or opens Browse) while the share is still being looked at: the late
// answer is for texts no longer there. A later OK looks afresh, also when the program has
// been waiting for the same path for a while.
TEST_F(ItemDialogOk, ALateAnswerAfterAnEditNeitherAcceptsNorCloses) {
    work.setMode(FakeBackgroundWork::Mode::Threads);
    auto now = std::chrono::steady_clock::now();
    ItemProbes clocked{work, borrowed(files), borrowed(icons), [&now] { return now; }};
    ItemConfirmation dialog{clocked, messages, host};
    const std::string share = "\\\\nas\\tools\\app.exe";
    files.addFile(share);
    files.slowPaths[share] = &work.slow;
    int closes = 0;
    dialog.confirm({"共有", share}, [&] { ++closes; });
    dialog.edited();
    EXPECT_FALSE(dialog.checking());
    now += kFreshLookAge; // the look out is too old for a person to wait on
    dialog.confirm({"共有", share}, [&] { ++closes; });
    EXPECT_EQ(clocked.inFlight(), 1u); // the old look handed over to the new
    dialog.edited();
    work.slow.open();
    work.waitForAnswers([&] { return clocked.inFlight() == 0; }, std::chrono::seconds(5));
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(host.accepted.empty());
    EXPECT_TRUE(messages.shown.empty());

    dialog.confirm({"共有", share}, [&] { ++closes; });
    work.waitForAnswers([&] { return !dialog.checking(); }, std::chrono::seconds(5));
    EXPECT_EQ(closes, 1);
}

TEST(ItemDialogBrowse, NameIsTheTextAfterTheLastBackslash) {
    EXPECT_EQ(fieldsForChosenFile("C:\\tools\\app.exe"),
              (ItemFields{"app.exe", "C:\\tools\\app.exe"}));
    EXPECT_EQ(fieldsForChosenFile("D:\\書類\\旅行\\予定.xlsx"),
              (ItemFields{"予定.xlsx", "D:\\書類\\旅行\\予定.xlsx"}));
    EXPECT_EQ(fieldsForChosenFile("\\\\server\\share\\readme"),
              (ItemFields{"readme", "\\\\server\\share\\readme"}));
    EXPECT_EQ(fieldsForChosenFile("app.exe"), (ItemFields{"app.exe", "app.exe"}));
}

} // namespace
} // namespace miruteka
