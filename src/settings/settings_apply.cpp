#include "settings/settings_apply.h"

#include "data/options_file.h"
#include "platform/texts.h"
#include "settings/settings_save.h"

namespace miruteka {

std::vector<std::string> AppliedSettings::messages() const {
    std::vector<std::string> shown;
    if (!list.saved()) {
        shown.push_back(saveFailureMessage(list));
        return shown;
    }
    if (!startupEntry) {
        shown.emplace_back(text(TextId::StartupNotSavedMessage));
    }
    if (!options) {
        shown.emplace_back(text(TextId::PauseKeyNotSavedMessage));
    }
    return shown;
}

AppliedSettings SettingsApplier::apply(const SettingsChange& change) {
    AppliedSettings applied;
    // Only a list that was saved becomes the program's: a failed save changes nothing.
    applied.list = saveWorkingCopy(services_.files, services_.codePage, services_.listPath,
                                   change.copy, state_);
    if (!applied.list.saved()) {
        return applied;
    }
    applied.startupEntry = applyStartupEntry(change);
    host_.setTimerInterval(state_.settings.intTimerInterval);
    applied.options = applyOptions(change);
    return applied;
}

bool SettingsApplier::applyStartupEntry(const SettingsChange& change) {
    return services_.startWithWindows == nullptr ||
           services_.startWithWindows->apply(change.startTickedAtLoad, change.startTicked);
}

bool SettingsApplier::applyOptions(const SettingsChange& change) {
    // Written only when a value changes, so an ini never changed from its defaults is never
    // created; and never over one that could not be read, whose keys nobody knows.
    Options options = state_.options;
    options.pauseKey = change.copy.pauseKey();
    options.listKey = change.copy.listKey();
    if (options == state_.options || state_.optionsUnreadable) {
        return true;
    }
    if (writeOptionsFile(services_.files, services_.optionsPath, options).error !=
        WriteError::None) {
        return false;
    }
    state_.options = options;
    return true;
}

} // namespace miruteka
