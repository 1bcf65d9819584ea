// COM for the length of one shell call, on whichever thread makes it: the shell's open and
// its associated icons want a single-threaded apartment, and a thread that already has one
// (the user-interface thread) simply keeps it. Threads whose work needs no shell call never
// pay for an apartment.
#pragma once

#include <objbase.h>

namespace miruteka::win32 {

class ComScope {
  public:
    ComScope()
        : initialised_(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComScope() {
        if (initialised_) {
            ::CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool initialised_;
};

} // namespace miruteka::win32
