// The settings window's OK applies four things: the list file, the Run entry, Timer1's
// interval and miruteka.ini. They are applied here, in that order, and the result says which
// held, so the window knows what to tell the user and whether it may close.
#pragma once

#include "data/launcher_state.h"
#include "data/list_file.h"
#include "platform/files.h"
#include "settings/settings_form.h"
#include "settings/settings_working_copy.h"
#include "shared_ui/launcher_host.h"

#include <string>
#include <vector>

namespace miruteka {

// What the user asks for with OK.
struct SettingsChange {
    const SettingsWorkingCopy& copy;
    bool startTickedAtLoad = false;
    bool startTicked = false;
};

struct AppliedSettings {
    // Not saved: nothing else was applied, and state is as it was.
    SaveResult list{};
    // The Run entry took the box's state (or had nothing to take).
    bool startupEntry = true;
    // miruteka.ini took the keys (or had nothing to take). An ini that could not be read at
    // start-up is left as it is: its keys stay as they were.
    bool options = true;

    // The window may close: the list and the keys are where the user asked.
    bool complete() const { return list.saved() && options; }
    // The errors to show, in order.
    std::vector<std::string> messages() const;
};

class SettingsApplier {
  public:
    SettingsApplier(const SettingsServices& services, LauncherState& state, LauncherHost& host)
        : services_(services), state_(state), host_(host) {}

    AppliedSettings apply(const SettingsChange& change);

  private:
    bool applyStartupEntry(const SettingsChange& change);
    bool applyOptions(const SettingsChange& change);

    const SettingsServices& services_;
    LauncherState& state_;
    LauncherHost& host_;
};

} // namespace miruteka
