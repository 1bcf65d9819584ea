#include "launch/item_starter.h"

namespace miruteka {

StartVerb startVerbFor(int shift) {
    constexpr int kCtrlShift = kShiftMask | kCtrlMask;
    return (shift & kCtrlShift) == kCtrlShift ? StartVerb::RunAs : StartVerb::Open;
}

void ItemStarter::start(std::vector<std::string> commandLines, StartVerb verb) {
    if (commandLines.empty()) {
        return;
    }
    // Only the process that took the input may pass the right on, and only before the start
    // (whose process id nobody knows yet).
    processes_->passForegroundRight();
    // One work item for the lot keeps the files of one drop starting in their order.
    work_.run([processes = processes_, lines = std::move(commandLines),
               verb]() -> BackgroundWork::Answer {
        for (const std::string& line : lines) {
            cExecute(*processes).ShellX(line, 1, 0, false, verb);
        }
        return {};
    });
}

} // namespace miruteka
