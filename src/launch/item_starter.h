// Starts items off the user-interface thread: a start can take as long as the shell's open
// of an item on an unreachable share, and neither the windows nor the next start wait for
// it. Each start runs cExecute.ShellX (split, the shell's open, the fallback) unchanged. A
// command line whose start is still under way is not started again; once that start has
// ended, it is.
#pragma once

#include "launch/execute.h"
#include "platform/background_work.h"
#include "platform/input.h"
#include "platform/life_token.h"
#include "platform/process.h"

#include <memory>
#include <string>
#include <vector>

namespace miruteka {

// The verb a left press asks for, from the modifier keys held (the Shift mask of the press):
// Ctrl+Shift runs the item as administrator, as the Start menu and the taskbar do.
StartVerb startVerbFor(int shift);

class ItemStarter {
  public:
    // The process API is shared with the starts, which may outlive this object.
    ItemStarter(BackgroundWork& work, std::shared_ptr<ProcessApi> processes)
        : work_(work), processes_(std::move(processes)) {}

    // Starts each command line not under way already, in their order, with a normal window,
    // no owner and no wait; returns at once. Called on the thread that took the user's click
    // or drop, which hands its right to the foreground on to what it starts.
    void start(std::vector<std::string> commandLines, StartVerb verb = StartVerb::Open);
    void start(const std::string& commandLine, StartVerb verb = StartVerb::Open) {
        start(std::vector<std::string>{commandLine}, verb);
    }

  private:
    BackgroundWork& work_;
    std::shared_ptr<ProcessApi> processes_;
    std::vector<std::string> starting_; // the command lines under way, each once a start
    LifeToken life_;
};

} // namespace miruteka
