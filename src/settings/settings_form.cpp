#include "settings/settings_form.h"

#include "platform/texts.h"
#include "settings/dropped_files.h"
#include "settings/settings_apply.h"

namespace miruteka {

SettingsForm::SettingsForm(LauncherState& state, LauncherHost& host, SettingsServices services,
                           Picture& preview, SettingsWindowActions& window)
    : state_(state), host_(host), services_(std::move(services)), preview_(preview),
      window_(window) {}

void SettingsForm::Form_Load() {
    // Until the window closes, the key goes to its control.
    host_.setGlobalKeysActive(false);
    copy_.load(state_);
    checkKeys();
    startTickedAtLoad_ =
        services_.startWithWindows != nullptr && services_.startWithWindows->enabled();
    startTicked_ = startTickedAtLoad_;
    Option1_Click(0);
}

void SettingsForm::Option1_Click(int index) {
    copy_.selectGroup(index);
    FG_Click(index);
}

void SettingsForm::FG_Click(int index) {
    const ItemGrid& grid = copy_.grid(index);
    const std::string& path = grid.row(grid.currentRow()).path;
    preview_.clear();
    const std::uint32_t look = ++previewLook_;
    if (path.empty()) {
        return;
    }
    services_.probes.request(path, preview_.size(),
                             life_.guard([this, look](const ItemProbe& probe) {
                                 if (look != previewLook_) {
                                     return; // another row was selected meanwhile
                                 }
                                 previewAnswered_ = look;
                                 if (probe.exists) {
                                     drawItemIcon(preview_, probe.icon);
                                 }
                             }),
                             ItemProbes::Asker::Person);
    // A local path is drawn before the click returns; a slow one when it answers.
    services_.probes.waitForAnswers([this, look] { return previewAnswered_ == look; },
                                    kQuickAnswerWait);
}

void SettingsForm::selectRow(int index, int r) {
    copy_.grid(index).setCurrentRow(r);
    FG_Click(index);
}

void SettingsForm::FG_OLEDragDrop(int index, const std::vector<std::string>& files) {
    if (addDroppedFiles(copy_.grid(index), files).gridFull) {
        services_.messages.showError(text(TextId::GridFullMessage));
    }
}

void SettingsForm::Slider_Change(int slider, int value) {
    copy_.setSlider(slider, value);
}

void SettingsForm::PauseKey_Change(const HotKey& key) {
    copy_.setPauseKey(key);
    checkKeys();
}

void SettingsForm::ListKey_Change(const HotKey& key) {
    copy_.setListKey(key);
    checkKeys();
}

void SettingsForm::checkKeys() {
    auto taken = [this](const HotKey& key) {
        return !key.none() && (!usableAsGlobalKey(key) || !host_.globalKeyAvailable(key));
    };
    pauseKeyTaken_ = taken(copy_.pauseKey());
    // One key cannot do both: the pause key keeps it.
    listKeyTaken_ =
        taken(copy_.listKey()) || (!copy_.listKey().none() && copy_.listKey() == copy_.pauseKey());
}

std::optional<TextId> SettingsForm::keyNote(bool taken) const {
    if (!keysEditable()) {
        return TextId::PauseKeyIniUnreadable;
    }
    if (taken) {
        return TextId::PauseKeyUnavailable;
    }
    return std::nullopt;
}

void SettingsForm::Command1_Click() {
    const AppliedSettings applied =
        SettingsApplier(services_, state_, host_).apply({copy_, startTickedAtLoad_, startTicked_});
    for (const std::string& message : applied.messages()) {
        services_.messages.showError(message);
    }
    if (applied.list.saved() && applied.startupEntry) {
        startTickedAtLoad_ = startTicked_;
    }
    // The list is saved: the window closes even when the registry refuses.
    if (applied.complete()) {
        closeWindow();
    }
}

void SettingsForm::Command2_Click() {
    closeWindow();
}

void SettingsForm::Command3_Click() {
    if (!services_.messages.askYesNo(text(TextId::QuitQuestion))) {
        return;
    }
    // Nothing is saved; blnSettingsOpen stays set because nothing runs afterwards.
    host_.quit();
    window_.unloadWindow();
}

void SettingsForm::Command4_Click() {
    copy_.visibleGrid().moveUp();
}

void SettingsForm::Command5_Click() {
    copy_.visibleGrid().moveDown();
}

void SettingsForm::Command6_Click() {
    const GridRow& row = copy_.visibleGrid().row(copy_.visibleGrid().currentRow());
    if (row.blank()) {
        services_.messages.showError(text(TextId::BlankRowMessage));
        return;
    }
    // Copies: the dialog writes back into this very row.
    window_.showItemDialog(std::string(row.name), std::string(row.path));
}

void SettingsForm::Command7_Click() {
    ItemGrid& grid = copy_.visibleGrid();
    if (!services_.messages.askYesNo(
            formatText(TextId::DeleteQuestion, {grid.row(grid.currentRow()).name}))) {
        return;
    }
    grid.deleteCurrentRow();
}

void SettingsForm::Command8_Click() {
    ItemGrid& grid = copy_.visibleGrid();
    const auto free = grid.firstRowWithEmptyPath();
    if (!free) {
        services_.messages.showError(text(TextId::GridFullMessage));
        return;
    }
    grid.setCurrentRow(*free);
    window_.showItemDialog("", "");
}

void SettingsForm::Command9_Click() {
    window_.showAbout();
}

void SettingsForm::writeDialogItem(const std::string& name, const std::string& path) {
    ItemGrid& grid = copy_.visibleGrid();
    grid.setRow(grid.currentRow(), name, path);
    FG_Click(copy_.intGroupIndex());
}

void SettingsForm::closeWindow() {
    window_.unloadWindow();
    // Cleared first: ICLOAD shows only windows that may show.
    state_.blnSettingsOpen = false;
    host_.ICLOAD();
    host_.setGlobalKeysActive(true);
}

} // namespace miruteka
