// A global key of the program (RegisterHotKey): the pause key, the list key. Each is heard by
// a hidden window of its own, so that it also works while a modal window runs its own
// message loop.
#pragma once

#include "data/hot_key.h"
#include "toolkit/win32/window_base.h"

#include <functional>

namespace miruteka::win32 {

class GlobalKey final : public WindowBase {
  public:
    explicit GlobalKey(std::function<void()> pressed);
    ~GlobalKey() override;

    // Takes this key in place of the one before; none gives the key back. False when
    // another program holds it (the program then goes without this key).
    bool set(const HotKey& key);
    // Whether the key could be taken now. The one this program holds counts as free.
    bool available(const HotKey& key);

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    std::function<void()> pressed_;
    HotKey held_{};
};

} // namespace miruteka::win32
