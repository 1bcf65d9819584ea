// The per-user Run key and Task Manager's switches for it, in HKEY_CURRENT_USER.
#pragma once

#include "platform/startup_registry.h"

namespace miruteka::win32 {

class Win32StartupRegistry final : public StartupRegistry {
  public:
    std::optional<std::string> runCommand(const std::string& name) const override;
    bool setRunCommand(const std::string& name, const std::string& command) override;
    bool deleteRunCommand(const std::string& name) override;
    std::optional<std::vector<uint8_t>> approval(const std::string& name) const override;
    bool setApproval(const std::string& name, const std::vector<uint8_t>& bytes) override;
    bool deleteApproval(const std::string& name) override;
};

} // namespace miruteka::win32
