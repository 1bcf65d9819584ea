// The per-user list of programs Windows starts at sign-in: the values of the Run key, and the
// switch Task Manager keeps for each of them (Explorer\StartupApproved\Run). Names and
// command lines are UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace miruteka {

class StartupRegistry {
  public:
    virtual ~StartupRegistry() = default;

    // HKCU\Software\Microsoft\Windows\CurrentVersion\Run: the value's command line; nothing
    // when there is no such value, or it holds no text.
    virtual std::optional<std::string> runCommand(const std::string& name) const = 0;
    virtual bool setRunCommand(const std::string& name, const std::string& command) = 0;
    // True also when there was no value to delete.
    virtual bool deleteRunCommand(const std::string& name) = 0;

    // ...\Explorer\StartupApproved\Run: the value's bytes; nothing when there is none.
    virtual std::optional<std::vector<uint8_t>> approval(const std::string& name) const = 0;
    virtual bool setApproval(const std::string& name, const std::vector<uint8_t>& bytes) = 0;
    virtual bool deleteApproval(const std::string& name) = 0;
};

} // namespace miruteka
