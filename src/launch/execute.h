// cExecute: the one way items are started. ShellX finds where the file name ends in a
// command line, opens it through the shell and falls back to starting that file directly
// as a process, quoted, with the parameters (a bare program name where nothing was found).
#pragma once

#include "platform/process.h"

#include <cstdint>
#include <string>

namespace miruteka {

class cExecute {
  public:
    explicit cExecute(ProcessApi& processes) : processes_(processes) {}

    // True when something was started. Starts nothing for an empty command line or one of
    // 32,767 characters or more.
    bool ShellX(const std::string& strCommandLine, int32_t WindowStyle, std::uintptr_t lngOwnerhWnd,
                bool blnWait);

  private:
    bool FindFile(const std::string& name);

    ProcessApi& processes_;
};

} // namespace miruteka
