// Starts items off the user-interface thread: a start can take as long as the shell's open
// of an item on an unreachable share, and neither the windows nor the next start wait for
// it. Each start runs cExecute.ShellX (split, the shell's open, the fallback) unchanged. A
// command line whose start is still under way is not started again; once that start has
// ended, it is.
#pragma once

#include "platform/background_work.h"
#include "platform/life_token.h"
#include "platform/process.h"

#include <memory>
#include <string>
#include <vector>

namespace miruteka {

class ItemStarter {
  public:
    // The process API is shared with the starts, which may outlive this object.
    ItemStarter(BackgroundWork& work, std::shared_ptr<ProcessApi> processes)
        : work_(work), processes_(std::move(processes)) {}

    // Starts each command line not under way already, in their order, with a normal window,
    // no owner and no wait; returns at once.
    void start(std::vector<std::string> commandLines);
    void start(const std::string& commandLine) { start(std::vector<std::string>{commandLine}); }

  private:
    BackgroundWork& work_;
    std::shared_ptr<ProcessApi> processes_;
    std::vector<std::string> starting_; // the command lines under way, each once a start
    LifeToken life_;
};

} // namespace miruteka
