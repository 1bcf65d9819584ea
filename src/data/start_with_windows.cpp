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

// The root of a full path ("C:\", or "\\server\share\" for a share); empty for a relative one.
std::string rootOf(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) {
        return path.substr(0, 3);
    }
    if (path.starts_with("\\\\")) {
        const std::size_t server = path.find('\\', 2);
        const std::size_t share =
            server == std::string::npos ? server : path.find('\\', server + 1);
        if (server != std::string::npos && server > 2 && share != std::string::npos &&
            share > server + 1) {
            return path.substr(0, share + 1);
        }
    }
    return {};
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
    appliedByUser_ = true;
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

std::optional<std::string>
StartWithWindows::staleCommand(const std::function<bool(const std::string& path)>& exists) const {
    std::optional<std::string> command = registry_.runCommand(kStartupValueName);
    if (!command) {
        return std::nullopt;
    }
    const std::string program = programOfRunCommand(*command);
    if (sameLettersIgnoringCase(program, exePath_) ||
        !sameLettersIgnoringCase(fileNameOf(program), fileNameOf(exePath_)) || exists(program)) {
        return std::nullopt;
    }
    // A copy on removable media or a share is only away for now; it is still the user's choice.
    const std::string root = rootOf(program);
    if (root.empty() || !exists(root)) {
        return std::nullopt;
    }
    return command;
}

void StartWithWindows::repoint(const std::string& stale) {
    if (appliedByUser_ || registry_.runCommand(kStartupValueName) != stale) {
        return;
    }
    registry_.setRunCommand(kStartupValueName, runCommandFor(exePath_));
}

} // namespace miruteka
