// Form6, the settings window, without its controls: loading, the group selector, the
// preview, drops on a grid, the sliders and the nine command buttons. The window layer turns
// messages into these calls and shows what the working copy holds.
#pragma once

#include "data/launcher_state.h"
#include "data/start_with_windows.h"
#include "platform/codepage.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/life_token.h"
#include "platform/texts.h"
#include "settings/settings_working_copy.h"
#include "shared_ui/item_probe.h"
#include "shared_ui/launcher_host.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace miruteka {

// What the logic needs the window itself to do.
class SettingsWindowActions {
  public:
    virtual ~SettingsWindowActions() = default;
    // Destroys the window and its controls; the logic goes on to finish the handler.
    virtual void unloadWindow() = 0;
    // Shows the item dialog modal with these texts in its boxes; returns when it closes.
    // On its OK the dialog calls SettingsForm::writeDialogItem.
    virtual void showItemDialog(const std::string& name, const std::string& path) = 0;
    // Shows the about window modal; returns when it closes.
    virtual void showAbout() = 0;
};

struct SettingsServices {
    FileSystem& files;
    const AnsiCodePage& codePage;
    ItemProbes& probes;
    MessageBoxes& messages;
    std::string listPath;
    std::string optionsPath;
    // The program's Run entry; without one the start box stays unticked and writes nothing.
    StartWithWindows* startWithWindows = nullptr;
};

class SettingsForm {
  public:
    SettingsForm(LauncherState& state, LauncherHost& host, SettingsServices services,
                 Picture& preview, SettingsWindowActions& window);

    const SettingsWorkingCopy& workingCopy() const { return copy_; }

    void Form_Load();
    void Option1_Click(int index);
    // Updates the preview from grid index's current row: cleared at once, and the row's icon
    // drawn when the look at its path answers, if that row is still the one selected.
    void FG_Click(int index);
    // The user selected row r of grid index (a click or the keyboard).
    void selectRow(int index, int r);
    void FG_OLEDragDrop(int index, const std::vector<std::string>& files);
    void Slider_Change(int slider, int value);
    // The pause key's control holds this key (none: the key is off).
    void PauseKey_Change(const HotKey& key);
    // The key in the control cannot be registered: another program holds it.
    bool pauseKeyTaken() const { return pauseKeyTaken_; }
    // miruteka.ini could not be read at start-up: the keys stay off, and cannot be changed,
    // until the next start.
    bool keysEditable() const { return !state_.optionsUnreadable; }
    // What the note beside each key says, if anything: why the key is not in effect.
    std::optional<TextId> pauseKeyNote() const { return keyNote(pauseKeyTaken_); }
    std::optional<TextId> listKeyNote() const { return keyNote(listKeyTaken_); }
    // The list key's control holds this key (none: the key is off).
    void ListKey_Change(const HotKey& key);
    // The list key cannot be registered: another program holds it, or it is the pause key.
    bool listKeyTaken() const { return listKeyTaken_; }
    // The "start with Windows" box: shows the Run entry's state from loading on; OK applies
    // a change.
    void Check1_Click(bool ticked) { startTicked_ = ticked; }
    bool startTicked() const { return startTicked_; }

    void Command1_Click(); // OK: save, take over, close
    void Command2_Click(); // Cancel
    void Command3_Click(); // Quit
    void Command4_Click(); // Move up
    void Command5_Click(); // Move down
    void Command6_Click(); // Edit
    void Command7_Click(); // Delete
    void Command8_Click(); // Add
    void Command9_Click(); // Version

    // The item dialog's OK: the texts go into the current row of the visible grid.
    void writeDialogItem(const std::string& name, const std::string& path);

  private:
    std::optional<TextId> keyNote(bool taken) const;
    void closeWindow();
    void checkKeys();

    LauncherState& state_;
    LauncherHost& host_;
    SettingsServices services_;
    Picture& preview_;
    SettingsWindowActions& window_;
    SettingsWorkingCopy copy_;
    bool startTickedAtLoad_ = false;
    bool startTicked_ = false;
    // The number of the preview's latest look; an answer for an earlier one is dropped.
    std::uint32_t previewLook_ = 0;
    std::uint32_t previewAnswered_ = 0;
    bool pauseKeyTaken_ = false;
    bool listKeyTaken_ = false;
    LifeToken life_;
};

} // namespace miruteka
