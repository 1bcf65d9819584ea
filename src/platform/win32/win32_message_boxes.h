// Message boxes with no icon over an owner window (which they disable while open), or over
// nothing when there is no owner.
#pragma once

#include "platform/dialogs.h"

#include <windows.h>

namespace miruteka::win32 {

class Win32MessageBoxes : public MessageBoxes {
  public:
    explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    void showError(const std::string& text) override;
    bool askYesNo(const std::string& text) override;

  private:
    HWND owner_;
};

} // namespace miruteka::win32
