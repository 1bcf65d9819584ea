#include "launch/item_starter.h"

#include <algorithm>

namespace miruteka {

StartVerb startVerbFor(int shift) {
    constexpr int kCtrlShift = kShiftMask | kCtrlMask;
    return (shift & kCtrlShift) == kCtrlShift ? StartVerb::RunAs : StartVerb::Open;
}

void ItemStarter::start(std::vector<std::string> commandLines, StartVerb verb) {
    // A start still under way (the shell's open of an item on a share that does not answer)
    // is not started again by the clicks of a user who sees nothing happen.
    std::erase_if(commandLines, [this](const std::string& line) {
        return std::find(starting_.begin(), starting_.end(), line) != starting_.end();
    });
    if (commandLines.empty()) {
        return;
    }
    starting_.insert(starting_.end(), commandLines.begin(), commandLines.end());
    // Only the process that took the input may pass the right on, and only before the start
    // (whose process id nobody knows yet).
    processes_->passForegroundRight();
    // One work item for the lot keeps the files of one drop starting in their order.
    work_.run([processes = processes_, lines = std::move(commandLines), verb,
               ended = life_.guard([this](const std::vector<std::string>& started) {
                   for (const std::string& line : started) {
                       if (const auto found = std::find(starting_.begin(), starting_.end(), line);
                           found != starting_.end()) {
                           starting_.erase(found);
                       }
                   }
               })]() mutable -> BackgroundWork::Answer {
        for (const std::string& line : lines) {
            try {
                cExecute(*processes).ShellX(line, 1, 0, false, verb);
            } catch (...) {
                // Out of memory in one start: the others still go, and all count as ended.
            }
        }
        return [ended = std::move(ended), lines]() mutable { ended(lines); };
    });
}

} // namespace miruteka
