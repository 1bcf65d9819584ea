// cExecute: the one way items are started. ShellX finds where the file name ends in a
// command line, opens it through the shell and falls back to starting that file directly
// as a process, quoted, with the parameters (a bare program name where nothing was found).
#pragma once

#include "platform/process.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace miruteka {

// How an item is started: opened as by a plain click, or run as administrator (Ctrl+Shift).
enum class StartVerb { Open, RunAs };

// Whether the shell can run the file (the file part of a command line) as administrator:
// programs, scripts the command interpreter runs, management consoles, shortcuts. Documents
// and folders cannot be elevated; they open as a plain click would.
bool canRunAsAdministrator(std::string_view file);

class cExecute {
  public:
    explicit cExecute(ProcessApi& processes) : processes_(processes) {}

    // True when something was started. Starts nothing for an empty command line or one of
    // 32,767 characters or more. RunAs asks the shell to elevate what it can; a declined
    // prompt starts nothing, and one the shell cannot elevate after all opens as usual.
    bool ShellX(const std::string& strCommandLine, int32_t WindowStyle, std::uintptr_t lngOwnerhWnd,
                bool blnWait, StartVerb verb = StartVerb::Open);

  private:
    bool FindFile(const std::string& name);

    ProcessApi& processes_;
};

} // namespace miruteka
