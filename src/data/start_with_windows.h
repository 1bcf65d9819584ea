// "Start with Windows": the program's own Run entry, what the settings window's check box
// shows of it and writes to it, and the entry kept pointing at the program when its folder
// has moved. Nothing is written unless the user changes the box.
#pragma once

#include "platform/startup_registry.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace miruteka {

// The name of the program's values under Run and StartupApproved\Run.
inline constexpr const char* kStartupValueName = "Miruteka";

enum class StartupEntry { Absent, Enabled, Disabled };

// The entry's state from its two values. Without a Run value there is no entry; with one,
// Task Manager's switch disables it when the first byte of its value is odd (0x01, 0x03) and
// leaves it enabled when even (0x02, 0x06) or missing.
StartupEntry startupEntryState(const std::optional<std::string>& runCommand,
                               const std::optional<std::vector<uint8_t>>& approval);

// The Run value that starts the program at this path: the full path, quoted.
std::string runCommandFor(const std::string& exePath);

// The program a Run value starts: the quoted path, or the text up to the first blank.
std::string programOfRunCommand(const std::string& command);

class StartWithWindows {
  public:
    StartWithWindows(StartupRegistry& registry, std::string exePath)
        : registry_(registry), exePath_(std::move(exePath)) {}

    // Whether the entry exists and is enabled: the box's state when the window opens.
    bool enabled() const;

    // The settings window's OK. Only a box the user changed writes: ticked, the entry starts
    // this program and is enabled in Task Manager too; unticked, it is removed. False when
    // the registry refused a write.
    bool apply(bool tickedAtLoad, bool ticked);

    // At start-up, off the user-interface thread (`exists` may block on an unreachable
    // share): the Run value to re-point, if the entry starts a copy of this program (the same
    // file name) which no longer exists because its folder was moved or renamed. An entry
    // that starts another existing copy, a copy on a drive that is not there now (a USB stick
    // not plugged in), or another program, is left alone.
    std::optional<std::string>
    staleCommand(const std::function<bool(const std::string& path)>& exists) const;

    // Back on the user-interface thread: makes the entry start this program, but only while it
    // still holds `stale` and the user has not applied the box since the program started, so
    // a look that took long never undoes the user.
    void repoint(const std::string& stale);

  private:
    StartupRegistry& registry_;
    std::string exePath_;
    bool appliedByUser_ = false;
};

} // namespace miruteka
