#include "launch/item_starter.h"

#include "launch/execute.h"

namespace miruteka {

void ItemStarter::start(std::vector<std::string> commandLines) {
    if (commandLines.empty()) {
        return;
    }
    // One work item for the lot keeps the files of one drop starting in their order.
    work_.run(
        [processes = processes_, lines = std::move(commandLines)]() -> BackgroundWork::Answer {
            for (const std::string& line : lines) {
                cExecute(*processes).ShellX(line, 1, 0, false);
            }
            return {};
        });
}

} // namespace miruteka
