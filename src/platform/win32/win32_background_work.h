// Background work on threads of our own. Each work item runs on a thread of its own, so a
// slow item never holds up the next and no thread is left waiting once the work is done;
// its answer is posted to a message-only window of the user-interface thread, which runs it.
// The shell calls that want COM set it up themselves (com_scope.h).
//
// Quitting never waits for a work item: this object's destruction takes the window away, and
// an answer that arrives after that is dropped where it was made.
#pragma once

#include "platform/background_work.h"
#include "platform/win32/unique.h"

#include <windows.h>

namespace miruteka::win32 {

class Win32BackgroundWork final : public BackgroundWork {
  public:
    // Creates the answers' window; call on the user-interface thread.
    Win32BackgroundWork();
    ~Win32BackgroundWork() override;

    void run(Work work) override;
    void waitForAnswers(const std::function<bool()>& done,
                        std::chrono::milliseconds limit) override;

  private:
    HWND hwnd() const { return window_.get(); }

    UniqueWindow window_;
};

} // namespace miruteka::win32
