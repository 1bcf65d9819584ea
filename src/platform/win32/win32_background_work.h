// Background work on the system thread pool. Each work item runs on a pool thread of its
// own (the pool is told it may block, so a slow item never holds up the next), with COM
// initialised as a single-threaded apartment for the shell's calls; its answer is posted to
// a message-only window of the user-interface thread, which runs it.
//
// Quitting never waits for a work item: this object's destruction takes the window away, and
// an answer that arrives after that is dropped where it was made.
#pragma once

#include "platform/background_work.h"
#include "platform/win32/window_base.h"

namespace miruteka::win32 {

class Win32BackgroundWork final : public BackgroundWork, private WindowBase {
  public:
    // Creates the answers' window; call on the user-interface thread.
    Win32BackgroundWork();
    ~Win32BackgroundWork() override;

    void run(Work work) override;
    void waitForAnswers(const std::function<bool()>& done,
                        std::chrono::milliseconds limit) override;

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace miruteka::win32
