// Tab, Shift+Tab and the arrow keys between the controls of a modeless window whose message
// loop belongs to someone else: while an object of this class lives, a message hook of the
// thread hands the window's keyboard messages to IsDialogMessage.
#pragma once

#include <windows.h>

namespace miruteka::win32 {

class ModelessDialogKeys {
  public:
    explicit ModelessDialogKeys(HWND window);
    ~ModelessDialogKeys();
    ModelessDialogKeys(const ModelessDialogKeys&) = delete;
    ModelessDialogKeys& operator=(const ModelessDialogKeys&) = delete;

  private:
    HWND window_;
};

} // namespace miruteka::win32
