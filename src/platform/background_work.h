// Work that may block on a slow path (an offline share, a sleeping drive) runs off the
// user-interface thread; what it found comes back to that thread as an answer. Work items
// run side by side, so one slow item never holds up another, and each takes copies of what
// it needs: the user-interface thread alone owns the launcher's state and its windows.
#pragma once

#include <chrono>
#include <functional>

namespace miruteka {

class BackgroundWork {
  public:
    // Runs on the user-interface thread once the work is done; empty for no answer.
    using Answer = std::function<void()>;
    using Work = std::function<Answer()>;

    virtual ~BackgroundWork() = default;

    // Starts the work off the user-interface thread and returns at once. Its answer runs
    // later on the user-interface thread, from the message loop or a wait below; an answer
    // whose window is gone by then (the program is quitting) is dropped.
    virtual void run(Work work) = 0;

    // On the user-interface thread: runs answers as they arrive until `done` holds or the
    // time is up. Other messages wait for the message loop.
    virtual void waitForAnswers(const std::function<bool()>& done,
                                std::chrono::milliseconds limit) = 0;
};

} // namespace miruteka
