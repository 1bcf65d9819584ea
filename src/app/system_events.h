// A hidden top-level window that hears what the system tells every program: a drive that
// arrives, a machine that wakes, a session that is unlocked. Each of these, and a timer once
// a minute, may bring back an item that was out of reach, so each calls the same handler.
#pragma once

#include "platform/win32/window_base.h"

#include <functional>

namespace miruteka::win32 {

class SystemEvents final : public WindowBase {
  public:
    explicit SystemEvents(std::function<void()> itemsMayHaveReturned);
    ~SystemEvents() override;

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void listenForUnlock();

    std::function<void()> itemsMayHaveReturned_;
    bool listeningForUnlock_ = false;
};

} // namespace miruteka::win32
