// A hidden top-level window that hears what the system tells every program: a drive that
// arrives, a machine that wakes, a session that is locked or unlocked, disconnected or
// connected again, a display that goes off or on. A drive, a wake, an unlock and a timer
// once a minute may bring back an item that was out of reach; the others say whether
// anyone is at the session to see the chain.
#pragma once

#include "iconwin/chain_presence.h"
#include "toolkit/win32/window_base.h"

#include <functional>

namespace miruteka::win32 {

struct SystemEventHandlers {
    std::function<void()> itemsMayHaveReturned;
    std::function<void(AwayReason reason, bool away)> awayChanged;
};

class SystemEvents final : public WindowBase {
  public:
    explicit SystemEvents(SystemEventHandlers handlers);
    ~SystemEvents() override;

    // The once-a-minute look, stopped while nobody is there to see what it brings back.
    void setMinuteLook(bool on);

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void listenForSessionChanges();
    void onSessionChange(WPARAM change);
    void onPowerSetting(const POWERBROADCAST_SETTING& setting);

    SystemEventHandlers handlers_;
    bool listeningForSession_ = false;
    HPOWERNOTIFY displayNotice_ = nullptr;
    bool minuteLook_ = true;
};

} // namespace miruteka::win32
