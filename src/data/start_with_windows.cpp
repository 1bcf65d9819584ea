#include "data/start_with_windows.h"

#include "data/text_lines.h"

namespace miruteka {
namespace {

// What Task Manager writes when it enables an entry: 0x02, then eleven zero bytes (where it
// otherwise keeps the time the entry was disabled).
const std::vector<uint8_t> kEnabledApproval{0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

bool disabledBy(const std::optional<std::vector<uint8_t>>& approval) {
    return approval && !approval->empty() && ((*approval)[0] & 0x01) != 0;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

} // namespace

StartupEntry startupEntryState(const std::optional<std::string>& runCommand,
                               const std::optional<std::vector<uint8_t>>& approval) {
    if (!runCommand) {
        return StartupEntry::Absent;
    }
    return disabledBy(approval) ? StartupEntry::Disabled : StartupEntry::Enabled;
}

std::string runCommandFor(const std::string& exePath) {
    return '"' + exePath + '"';
}

std::string programOfRunCommand(const std::string& command) {
    if (command.starts_with('"')) {
        const std::size_t closing = command.find('"', 1);
        return command.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
    }
    return command.substr(0, command.find(' '));
}

bool StartWithWindows::enabled() const {
    return startupEntryState(registry_.runCommand(kStartupValueName),
                             registry_.approval(kStartupValueName)) == StartupEntry::Enabled;
}

bool StartWithWindows::apply(bool tickedAtLoad, bool ticked) {
    if (ticked == tickedAtLoad) {
        return true;
    }
    if (!ticked) {
        const bool removed = registry_.deleteRunCommand(kStartupValueName);
        // Task Manager's switch goes with the entry, so a later tick starts afresh.
        return registry_.deleteApproval(kStartupValueName) && removed;
    }
    if (!registry_.setRunCommand(kStartupValueName, runCommandFor(exePath_))) {
        return false;
    }
    if (disabledBy(registry_.approval(kStartupValueName))) {
        return registry_.setApproval(kStartupValueName, kEnabledApproval);
    }
    return true;
}

void StartWithWindows::repoint(const std::function<bool(const std::string& path)>& exists) {
    const std::optional<std::string> command = registry_.runCommand(kStartupValueName);
    if (!command) {
        return;
    }
    const std::string program = programOfRunCommand(*command);
    if (sameLettersIgnoringCase(program, exePath_) ||
        !sameLettersIgnoringCase(fileNameOf(program), fileNameOf(exePath_)) || exists(program)) {
        return;
    }
    registry_.setRunCommand(kStartupValueName, runCommandFor(exePath_));
}

} // namespace miruteka
