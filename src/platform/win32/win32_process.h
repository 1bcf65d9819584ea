// Starting programs and documents on Windows: SearchPathW, ShellExecuteExW, CreateProcessW,
// and the calls a wait needs.
#pragma once

#include "platform/process.h"

namespace miruteka::win32 {

class Win32ProcessApi final : public ProcessApi {
  public:
    bool searchPath(const std::string& name) override;
    StartResult shellOpen(const ShellOpenRequest& request) override;
    StartResult startProcess(const std::string& commandLine, bool wantProcess) override;
    ProcessWait waitForExitOrMessages(const ProcessHandle& process) override;
    void pumpMessages() override;
    void closeProcess(std::uintptr_t value) override;
    void passForegroundRight() override;

  private:
    // A quit request was seen and put back for the message loop that owns it.
    bool quitPending_ = false;
};

} // namespace miruteka::win32
