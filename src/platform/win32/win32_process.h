// Starting programs and documents on Windows: SearchPathW, ShellExecuteExW, CreateProcessW,
// and the calls a wait needs.
#pragma once

#include "platform/process.h"

namespace miruteka::win32 {

class Win32ProcessApi final : public ProcessApi {
  public:
    bool searchPath(const std::string& name) override;
    ShellOpenResult shellOpen(const ShellOpenRequest& request) override;
    std::uint32_t startProcess(const std::string& commandLine) override;
    ProcessHandle openProcess(std::uint32_t processId) override;
    std::optional<std::uint32_t> exitCode(const ProcessHandle& process) override;
    void pumpMessages() override;
    void sleep(std::uint32_t milliseconds) override;
    void closeProcess(std::uintptr_t value) override;
};

} // namespace miruteka::win32
