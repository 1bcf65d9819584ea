#include "data/list_file.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_icons.h"
#include "fakes/fake_launcher_host.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_startup_registry.h"
#include "platform/host/cp932_code_page.h"
#include "platform/texts.h"
#include "settings/settings_form.h"
#include "settings/settings_save.h"

#include "host/grid_row_printer.h"

#include <gtest/gtest.h>

#include <functional>

namespace miruteka {
namespace {

const std::string kListPath = "C:\\ミルテカ\\filelist.txt";
const std::string kOptionsPath = "C:\\ミルテカ\\miruteka.ini";

class FakeWindowActions : public SettingsWindowActions {
  public:
    explicit FakeWindowActions(std::vector<std::string>& log) : log_(log) {}
    // What the item dialog does while it is open (the user's OK, for instance).
    std::function<void()> dialogAction;

    void unloadWindow() override { log_.push_back("unload"); }
    void showItemDialog(const std::string& name, const std::string& path) override {
        log_.push_back("dialog " + name + "|" + path);
        if (dialogAction) {
            dialogAction();
        }
    }
    void showAbout() override { log_.push_back("about"); }

  private:
    std::vector<std::string>& log_;
};

class SettingsFormTest : public ::testing::Test {
  protected:
    SettingsFormTest() {
        state.settings = kDefaultSettings;
        state.blnSettingsOpen = true;
        files.addFile(kListPath, {}, "the list as it was");
    }

    void setItem(int group, int slot, const std::string& name, const std::string& path) {
        state.items.strItemName[itemIndex(group, slot)] = name;
        state.items.strItemPath[itemIndex(group, slot)] = path;
    }
    void open() {
        form.Form_Load();
        log.clear();
    }
    const ItemGrid& grid(int index) const { return form.workingCopy().grid(index); }
    const ItemGrid& visible() const { return form.workingCopy().visibleGrid(); }
    std::string listFile() const { return files.entries.at(kListPath).contents; }

    LauncherState state;
    std::vector<std::string> log;
    FakeLauncherHost host{&log};
    FakeFileSystem files;
    Cp932CodePage codePage;
    FakeIconApi icons;
    FakeBackgroundWork work;
    ItemProbes probes{work, borrowed(files), borrowed(icons)};
    FakeMessageBoxes messages;
    FakePicture preview;
    FakeWindowActions window{log};
    FakeStartupRegistry registry;
    StartWithWindows startup{registry, "C:\\ミルテカ\\miruteka.exe"};
    SettingsForm form{
        state, host,
        SettingsServices{files, codePage, probes, messages, kListPath, kOptionsPath, &startup},
        preview, window};
};

TEST_F(SettingsFormTest, LoadFillsEveryGridFromItsGroupWithGroupOneVisible) {
    setItem(2, 0, "Editor", "C:\\editor.exe");
    setItem(2, 3, "only a name", "");
    setItem(4, 9, "", "C:\\only\\a\\path");
    state.settings = Settings{900, -5, 30, 20, 100};
    open();

    EXPECT_EQ(form.workingCopy().intGroupIndex(), 0);
    EXPECT_EQ(grid(1).row(1), (GridRow{"Editor", "C:\\editor.exe"}));
    EXPECT_TRUE(grid(1).row(2).blank());
    EXPECT_TRUE(grid(1).row(3).blank());
    EXPECT_EQ(grid(1).row(4), (GridRow{"only a name", ""}));
    EXPECT_EQ(grid(3).row(10), (GridRow{"", "C:\\only\\a\\path"}));
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(grid(index).currentRow(), 1) << index;
    }
    // Stored values outside a slider's range show at its nearer end.
    const SliderValues shown{500, 0, 30, 20, 100};
    for (int slider = 0; slider < kSliderCount; ++slider) {
        EXPECT_EQ(form.workingCopy().slider(slider), shown[slider]) << slider;
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(state.settings, (Settings{900, -5, 30, 20, 100}));
}

TEST_F(SettingsFormTest, SwitchingGroupsKeepsEachGridsEditsAndCurrentRow) {
    setItem(1, 0, "a", "C:\\a.exe");
    setItem(1, 1, "b", "C:\\b.exe");
    setItem(3, 0, "c", "C:\\c.exe");
    files.addFile("C:\\b.exe");
    files.addFile("C:\\c.exe");
    icons.answers["C:\\b.exe"] = {.large = true};
    icons.answers["C:\\c.exe"] = {.large = true};
    open();

    form.selectRow(0, 2);
    form.Command4_Click(); // b moves to row 1
    form.Option1_Click(2);
    EXPECT_EQ(form.workingCopy().intGroupIndex(), 2);
    EXPECT_EQ(icons.extractIconExCalls.back(), "C:\\c.exe"); // preview follows the group
    form.Option1_Click(0);

    EXPECT_EQ(visible().row(1), (GridRow{"b", "C:\\b.exe"}));
    EXPECT_EQ(visible().currentRow(), 1);
    EXPECT_EQ(icons.extractIconExCalls.back(), "C:\\b.exe");
    EXPECT_EQ(state.items.name(1, 0), "a"); // nothing taken over yet
}

TEST_F(SettingsFormTest, PreviewDrawsOnlyExistingVisibleFilesAndFolders) {
    files.addFile("C:\\app.exe");
    files.addFile("C:\\secret.exe", {.hidden = true});
    files.addFolder("C:\\docs");
    icons.answers["C:\\app.exe"] = {.large = true, .small = true};
    icons.answers["C:\\docs"] = {.shell = true}; // a folder: only the shell knows its icon
    icons.answers["C:\\secret.exe"] = {.large = true};
    setItem(1, 0, "named row without a path", "");
    setItem(1, 1, "missing", "C:\\gone.exe");
    setItem(1, 2, "hidden", "C:\\secret.exe");
    setItem(1, 3, "program", "C:\\app.exe");
    setItem(1, 4, "folder", "C:\\docs");
    open();
    EXPECT_TRUE(preview.cleared);
    EXPECT_TRUE(preview.content.empty());

    const std::array<size_t, 5> drawn{0, 0, 0, 1, 1};
    for (int r = 1; r <= 5; ++r) {
        preview.content = {"left from before"};
        form.selectRow(0, r);
        EXPECT_EQ(preview.content.size(), drawn[r - 1]) << r;
    }
    // Only the two existing paths reached the icon calls; every handle was released.
    EXPECT_EQ(icons.extractIconExCalls, (std::vector<std::string>{"C:\\app.exe", "C:\\docs"}));
    EXPECT_TRUE(icons.live.empty());
    EXPECT_EQ(icons.strayDestroys, 0);
}

TEST_F(SettingsFormTest, ASlowPathsPreviewIsDrawnWhenItAnswersIfItsRowIsStillSelected) {
    work.setMode(FakeBackgroundWork::Mode::Threads);
    for (const char* path : {"\\\\nas\\a.exe", "C:\\b.exe"}) {
        files.addFile(path);
        icons.answers[path] = {.large = true};
    }
    files.slowPaths["\\\\nas\\a.exe"] = &work.slow;
    setItem(1, 0, "slow", "\\\\nas\\a.exe");
    setItem(1, 1, "local", "C:\\b.exe");
    open();
    EXPECT_TRUE(preview.content.empty());
    form.selectRow(0, 2);
    EXPECT_EQ(preview.content.size(), 1u); // a local path is drawn before the click returns
    form.selectRow(0, 1);                  // back to the slow row, whose look is still out
    work.slow.open();
    work.waitForAnswers([&] { return !preview.content.empty(); }, std::chrono::seconds(5));
    EXPECT_EQ(preview.content.size(), 1u); // drawn once, for the row selected now
}

TEST_F(SettingsFormTest, DropFillsFreeRowsAndReportsAFullGridOnceAfterFillingIt) {
    for (int slot = 0; slot < 8; ++slot) {
        setItem(2, slot, "x", "C:\\x" + std::to_string(slot));
    }
    open();
    form.Option1_Click(1);
    messages.whileShown = [&] { EXPECT_EQ(grid(1).row(10).path, "C:\\two.txt"); };
    preview.content = {"kept"};

    form.FG_OLEDragDrop(1, {"C:\\one.txt", "C:\\two.txt", "C:\\three.txt"});
    EXPECT_EQ(messages.shown,
              (std::vector<FakeMessageBoxes::Shown>{{false, "これ以上追加できません。"}}));
    EXPECT_EQ(grid(1).row(9), (GridRow{"one.txt", "C:\\one.txt"}));
    EXPECT_EQ(grid(1).currentRow(), 1);
    EXPECT_EQ(preview.content, (std::vector<std::string>{"kept"}));

    messages.shown.clear();
    form.FG_OLEDragDrop(0, {"C:\\tools\\app.exe"});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(grid(0).row(1), (GridRow{"app.exe", "C:\\tools\\app.exe"}));
}

TEST_F(SettingsFormTest, SlidersChangeOnlyTheWorkingCopyAndCancelDiscardsEverything) {
    setItem(1, 0, "a", "C:\\a.exe");
    open();
    const LauncherState before = state;
    form.Slider_Change(0, 350);
    form.Slider_Change(1, 1000);
    EXPECT_EQ(form.workingCopy().slider(0), 350);
    EXPECT_EQ(form.workingCopy().slider(1), 100);
    EXPECT_EQ(sliderLabel(form.workingCopy().slider(0)), "350");
    form.FG_OLEDragDrop(0, {"C:\\b.exe"});
    form.Command7_Click(); // answered No
    messages.answers = {true};
    form.Command7_Click();

    form.Command2_Click();
    EXPECT_EQ(log, (std::vector<std::string>{"unload", "ICLOAD", "global keys on"}));
    EXPECT_FALSE(state.blnSettingsOpen);
    EXPECT_EQ(state.settings, before.settings);
    EXPECT_EQ(state.items, before.items);
    EXPECT_EQ(listFile(), "the list as it was");
    EXPECT_EQ(files.writeCount, 0);
}

TEST_F(SettingsFormTest, QuitAsksAndOnYesEndsWithoutSaving) {
    open();
    form.Slider_Change(0, 300);
    form.Command3_Click();
    EXPECT_EQ(messages.shown,
              (std::vector<FakeMessageBoxes::Shown>{{true, "ミルテカを終了しますか？"}}));
    EXPECT_TRUE(log.empty());

    messages.answers = {true};
    form.Command3_Click();
    EXPECT_EQ(log, (std::vector<std::string>{"quit", "unload"}));
    EXPECT_EQ(files.writeCount, 0);
    EXPECT_EQ(listFile(), "the list as it was");
    EXPECT_EQ(state.settings, kDefaultSettings);
}

TEST_F(SettingsFormTest, EditOpensTheDialogWithTheRowUnlessItIsBlank) {
    setItem(1, 1, "only a name", "");
    open();
    form.Command6_Click();
    EXPECT_EQ(messages.shown,
              (std::vector<FakeMessageBoxes::Shown>{{false, "空欄の行は編集できません。"}}));
    EXPECT_TRUE(log.empty());

    form.selectRow(0, 2);
    files.addFile("C:\\new.exe");
    icons.answers["C:\\new.exe"] = {.large = true};
    window.dialogAction = [&] { form.writeDialogItem("新しい名前", "C:\\new.exe"); };
    form.Command6_Click();
    EXPECT_EQ(log, (std::vector<std::string>{"dialog only a name|"}));
    EXPECT_EQ(visible().row(2), (GridRow{"新しい名前", "C:\\new.exe"}));
    EXPECT_EQ(icons.extractIconExCalls.back(), "C:\\new.exe"); // the preview follows
    EXPECT_EQ(preview.content.size(), 1u);
}

TEST_F(SettingsFormTest, AddTargetsTheFirstRowWithoutAPath) {
    setItem(1, 0, "a", "A");
    setItem(1, 1, "b", "B");
    setItem(1, 2, "c", "C");
    setItem(2, 0, "a", "A");
    setItem(2, 1, "named", "");
    setItem(2, 5, "f", "F");
    open();

    form.Command8_Click(); // the dialog is cancelled: it writes nothing
    EXPECT_EQ(log, (std::vector<std::string>{"dialog |"}));
    EXPECT_EQ(visible().currentRow(), 4);
    EXPECT_TRUE(visible().row(4).blank());

    form.Option1_Click(1);
    window.dialogAction = [&] { form.writeDialogItem("new", "C:\\new.exe"); };
    form.Command8_Click();
    EXPECT_EQ(visible().currentRow(), 2);
    EXPECT_EQ(visible().row(2), (GridRow{"new", "C:\\new.exe"}));
    EXPECT_EQ(visible().row(6), (GridRow{"f", "F"}));

    for (int slot = 0; slot < 10; ++slot) {
        setItem(3, slot, "", "P" + std::to_string(slot));
    }
    open();
    form.Option1_Click(2);
    form.Command8_Click();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(messages.shown.back(), (FakeMessageBoxes::Shown{false, "これ以上追加できません。"}));
    EXPECT_EQ(visible().currentRow(), 1);
}

TEST_F(SettingsFormTest, DeleteAsksWithTheRowsNameAndOnlyYesDeletes) {
    setItem(1, 0, "a", "A");
    setItem(1, 1, "", "nameless");
    setItem(1, 2, "Editor", "C:\\editor.exe");
    setItem(1, 3, "d", "D");
    open();
    form.selectRow(0, 3);
    form.Command7_Click();
    EXPECT_EQ(messages.shown.back(), (FakeMessageBoxes::Shown{true, "Editorを削除しますか？"}));
    EXPECT_EQ(visible().row(3).name, "Editor");

    messages.answers = {true};
    form.Command7_Click();
    EXPECT_EQ(visible().row(3), (GridRow{"d", "D"}));
    EXPECT_EQ(visible().currentRow(), 3);

    form.selectRow(0, 2);
    form.Command7_Click();
    EXPECT_EQ(messages.shown.back(), (FakeMessageBoxes::Shown{true, "を削除しますか？"}));
}

TEST_F(SettingsFormTest, MovesActOnTheVisibleGridWithoutTouchingThePreview) {
    setItem(2, 2, "c", "C:\\c.exe");
    setItem(2, 3, "d", "C:\\d.exe");
    setItem(1, 0, "untouched", "U");
    open();
    form.Option1_Click(1);
    form.selectRow(1, 3);
    const auto calls = icons.extractIconExCalls.size();
    preview.content = {"kept"};
    form.Command5_Click();
    EXPECT_EQ(visible().currentRow(), 4);
    EXPECT_EQ(visible().row(4).name, "c");
    form.Command4_Click();
    form.Command4_Click();
    EXPECT_EQ(visible().currentRow(), 2);
    EXPECT_EQ(visible().row(2).name, "c");
    EXPECT_EQ(grid(0).row(1).name, "untouched");
    EXPECT_EQ(icons.extractIconExCalls.size(), calls);
    EXPECT_EQ(preview.content, (std::vector<std::string>{"kept"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsFormTest, OkSavesEverySlotThenTakesOverAndCloses) {
    setItem(2, 0, "first", "C:\\first.exe");
    setItem(2, 1, "second", "C:\\second.exe");
    setItem(4, 4, "名前だけ", "");
    state.intShownItem = {0, 0, 3, 0};
    state.blnMouseOnIcon = true;
    state.lngMouseX = 12;
    state.intOpenGroup = 0;
    open();
    form.Option1_Click(1);
    form.Command5_Click(); // group 2's shown slot 0 now holds "second"
    form.Slider_Change(0, 120);
    form.Slider_Change(4, 0);
    messages.whileShown = [] { FAIL() << "no message expected"; };
    form.Command1_Click();

    EXPECT_EQ(log, (std::vector<std::string>{"timer 120", "unload", "ICLOAD", "global keys on"}));
    EXPECT_FALSE(state.blnSettingsOpen);
    EXPECT_EQ(state.settings, (Settings{120, 10, 30, 20, 0}));
    EXPECT_EQ(state.shownName(2), "second");
    EXPECT_EQ(state.items.name(4, 4), "名前だけ");
    EXPECT_EQ(state.intShownItem, (std::array<int16_t, 4>{0, 0, 3, 0}));
    EXPECT_TRUE(state.blnMouseOnIcon);
    EXPECT_EQ(state.lngMouseX, 12);

    const std::string bytes = listFile();
    size_t lines = 0;
    for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) {
        ++lines;
    }
    EXPECT_EQ(lines, 85u);
    std::string head = " 120 \r\n 10 \r\n 30 \r\n 20 \r\n 0 \r\n";
    for (int i = 0; i < 20; ++i) {
        head += "\r\n"; // group 1 has no items
    }
    head += "second\r\nC:\\second.exe\r\nfirst\r\nC:\\first.exe\r\n";
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    Settings reread;
    ItemTables rereadItems;
    readListFile(files, codePage, kListPath, reread, rereadItems);
    EXPECT_EQ(reread, state.settings);
    EXPECT_EQ(rereadItems, state.items);
}

TEST_F(SettingsFormTest, AFailedSaveSaysWhyAndKeepsWindowEditsAndState) {
    setItem(1, 0, "a", "C:\\a.exe");
    open();
    const LauncherState before = state;
    form.Slider_Change(0, 50);
    form.Option1_Click(2);
    form.FG_OLEDragDrop(2, {"C:\\ok.exe", "C:\\a\nb.exe"}); // the file has no quoting
    form.Command1_Click();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(messages.shown[0].question);
    const std::string& text = messages.shown[0].text;
    EXPECT_NE(text.find("保存できませんでした"), std::string::npos) << text;
    EXPECT_NE(text.find("オプション　3 の 2 行目"), std::string::npos) << text;
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(state.blnSettingsOpen);
    EXPECT_EQ(state.settings, before.settings);
    EXPECT_EQ(state.items, before.items);
    EXPECT_EQ(listFile(), "the list as it was");
    EXPECT_EQ(form.workingCopy().slider(0), 50);
    EXPECT_EQ(visible().row(2).path, "C:\\a\nb.exe");

    // The user mends the row; now the folder refuses the file.
    form.selectRow(2, 2);
    messages.answers = {true};
    form.Command7_Click();
    files.failWrites = WriteError::CannotReplace;
    form.Command1_Click();
    EXPECT_NE(messages.shown.back().text.find("置き換えられません"), std::string::npos);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(state.items, before.items);

    files.failWrites = WriteError::None;
    form.Command1_Click();
    EXPECT_EQ(log, (std::vector<std::string>{"timer 50", "unload", "ICLOAD", "global keys on"}));
    EXPECT_EQ(state.items.path(3, 0), "C:\\ok.exe");
}

TEST_F(SettingsFormTest, ThePauseKeyIsOffWhileOpenAndWrittenToTheIniOnlyOnceItChanges) {
    form.Form_Load();
    EXPECT_EQ(log, (std::vector<std::string>{"global keys off"}));
    EXPECT_EQ(form.workingCopy().pauseKey(), kDefaultPauseKey);
    form.Command1_Click();
    EXPECT_EQ(files.entries.count(kOptionsPath), 0u) << "a default was written";

    const HotKey altF9{0x78, false, false, true}, ctrlF9{0x78, true, false, false};
    host.takenKeys = {altF9};
    open();
    form.PauseKey_Change(altF9);
    EXPECT_TRUE(form.pauseKeyTaken());
    EXPECT_EQ(form.pauseKeyNote(), TextId::PauseKeyUnavailable);
    form.PauseKey_Change(HotKey{'P', true, false, true}); // Ctrl+Alt is AltGr
    EXPECT_TRUE(form.pauseKeyTaken());
    form.PauseKey_Change(ctrlF9);
    EXPECT_FALSE(form.pauseKeyTaken());
    // The list key beside it is taken by another program, or by the pause key itself.
    EXPECT_EQ(form.workingCopy().listKey(), kDefaultListKey);
    form.ListKey_Change(altF9);
    EXPECT_TRUE(form.listKeyTaken());
    form.ListKey_Change(ctrlF9);
    EXPECT_TRUE(form.listKeyTaken());
    EXPECT_FALSE(form.pauseKeyTaken());
    form.ListKey_Change(HotKey{});
    EXPECT_FALSE(form.listKeyTaken());
    form.Command1_Click();
    EXPECT_EQ(files.entries.at(kOptionsPath).contents, "[Keys]\r\nPause=Ctrl+F9\r\nList=\r\n");
    EXPECT_EQ(state.options.pauseKey, ctrlF9);
    EXPECT_EQ(log.back(), "global keys on");

    // An ini that cannot be written keeps the window, the key and the state; the list is saved.
    open();
    EXPECT_EQ(form.workingCopy().pauseKey(), ctrlF9);
    form.PauseKey_Change(HotKey{});
    EXPECT_FALSE(form.pauseKeyTaken());
    form.Slider_Change(0, 300);
    files.refuseWrites = {kOptionsPath};
    form.Command1_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, text(TextId::PauseKeyNotSavedMessage));
    EXPECT_EQ(log, (std::vector<std::string>{"timer 300"}));
    EXPECT_EQ(state.options.pauseKey, ctrlF9);
    files.refuseWrites.clear();
    form.Command1_Click();
    EXPECT_EQ(files.entries.at(kOptionsPath).contents, "[Keys]\r\nPause=\r\nList=\r\n");
    EXPECT_TRUE(state.options.pauseKey.none());

    // An ini unread at start-up: the key cannot be changed, the note says why, and OK never
    // writes over the file, whose keys are unknown.
    state.optionsUnreadable = true;
    open();
    EXPECT_FALSE(form.keysEditable());
    EXPECT_EQ(form.pauseKeyNote(), TextId::PauseKeyIniUnreadable);
    form.PauseKey_Change(ctrlF9);
    form.Command1_Click();
    EXPECT_EQ(files.entries.at(kOptionsPath).contents, "[Keys]\r\nPause=\r\nList=\r\n");
    EXPECT_FALSE(state.blnSettingsOpen);
}

TEST(SaveFailureMessage, NamesEveryReason) {
    using Status = SaveResult::Status;
    const std::array<std::pair<SaveResult, const char*>, 6> cases{{
        {SaveResult{Status::Unrepresentable, WriteError::None, 4, 10},
         "オプション　4 の 10 行目の名前かパスに改行"},
        {SaveResult{Status::UnreadableKept, WriteError::None, 1, 2},
         "オプション　1 の 2 行目の名前かパスには、この Windows では読めない"},
        {SaveResult{Status::WriteFailed, WriteError::CannotCreateTemporary},
         "フォルダーに書き込めません"},
        {SaveResult{Status::WriteFailed, WriteError::CannotWrite}, "ディスクの空き容量"},
        {SaveResult{Status::WriteFailed, WriteError::CannotReplace}, "置き換えられません"},
        {SaveResult{Status::WriteFailed, WriteError::TemporaryHeld, 0, 0, "C:\\m\\f.new"},
         "C:\\m\\f.new を使っています"},
    }};
    for (const auto& [result, reason] : cases) {
        const std::string text = saveFailureMessage(result);
        EXPECT_EQ(text.rfind("設定を保存できませんでした。", 0), 0u) << text;
        EXPECT_NE(text.find(reason), std::string::npos) << text;
    }
    // The old list may be gone: the message says where the saved one is.
    SaveResult kept{Status::WriteFailed, WriteError::NotMovedIntoPlace, 0, 0,
                    "C:\\m\\filelist.txt.new"};
    const std::string text = saveFailureMessage(kept);
    EXPECT_NE(text.find("C:\\m\\filelist.txt.new"), std::string::npos) << text;
    EXPECT_EQ(text.find("変更されていません"), std::string::npos) << text;
}

TEST_F(SettingsFormTest, TheStartBoxShowsTheEntryAndOkWritesOnlyWhatTheUserChanged) {
    // Disabled in Task Manager: unticked, and an OK that leaves the box alone writes nothing.
    registry.run[kStartupValueName] = "\"D:\\old\\miruteka.exe\"";
    registry.approved[kStartupValueName] = {0x03, 1, 2, 3, 4, 5, 6, 7, 0, 0, 0, 0};
    open();
    EXPECT_FALSE(form.startTicked());
    form.Command1_Click();
    EXPECT_EQ(registry.writes, 0);

    // Ticked: this program, quoted, enabled there too.
    open();
    form.Check1_Click(true);
    form.Command1_Click();
    EXPECT_EQ(registry.run.at(kStartupValueName), "\"C:\\ミルテカ\\miruteka.exe\"");
    EXPECT_EQ(registry.approved.at(kStartupValueName),
              (std::vector<uint8_t>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(messages.shown.empty());

    // Unticked: both values go. A refused write is told, and the window closes all the same.
    open();
    EXPECT_TRUE(form.startTicked());
    form.Check1_Click(false);
    registry.writesFail = true;
    form.Command1_Click();
    EXPECT_EQ(messages.shown.at(0).text, text(TextId::StartupNotSavedMessage));
    EXPECT_EQ(log, (std::vector<std::string>{"timer 200", "unload", "ICLOAD", "global keys on"}));
    registry.writesFail = false;
    open();
    form.Check1_Click(false);
    form.Command1_Click();
    EXPECT_TRUE(registry.run.empty() && registry.approved.empty());
}

} // namespace
} // namespace miruteka
