// Background work for tests. Inline: each work item and its answer run at once, on the
// caller's thread (what most logic tests want). Threads: each work item runs on a thread of
// its own, as the real pool runs them, and answers queue until waitForAnswers runs them on
// the test's thread, which plays the user-interface thread.
#pragma once

#include "platform/background_work.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace miruteka {

// A gate that holds the threads that reach it until it is opened: a slow path for as long
// as a test wants.
class Gate {
  public:
    void pass();
    void open();
    void close();

  private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

class FakeBackgroundWork : public BackgroundWork {
  public:
    enum class Mode { Inline, Threads };

    void setMode(Mode mode) { mode_ = mode; } // before the first work item
    // Opens `slow`, then joins every work thread.
    ~FakeBackgroundWork() override;

    void run(Work work) override;
    void waitForAnswers(const std::function<bool()>& done,
                        std::chrono::milliseconds limit) override;

    // The gate for a test's slow paths; it is opened before the threads are joined, so a
    // test that ends early never hangs.
    Gate slow;

  private:
    Mode mode_ = Mode::Inline;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<Answer> answers_;
    std::vector<std::thread> threads_;
};

// A shared pointer to a test's own object, for services that work items share: the test
// keeps it alive for as long as the work runs.
template <typename T> std::shared_ptr<T> borrowed(T& object) {
    return std::shared_ptr<T>(std::shared_ptr<T>(), &object);
}

} // namespace miruteka
