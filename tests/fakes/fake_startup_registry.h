// The Run key and Task Manager's switches as two maps; writes can be made to fail.
#pragma once

#include "platform/startup_registry.h"

#include <map>

namespace miruteka {

class FakeStartupRegistry : public StartupRegistry {
  public:
    std::optional<std::string> runCommand(const std::string& name) const override {
        const auto found = run.find(name);
        return found == run.end() ? std::nullopt : std::optional(found->second);
    }
    bool setRunCommand(const std::string& name, const std::string& command) override {
        return write([&] { run[name] = command; });
    }
    bool deleteRunCommand(const std::string& name) override {
        return write([&] { run.erase(name); });
    }
    std::optional<std::vector<uint8_t>> approval(const std::string& name) const override {
        const auto found = approved.find(name);
        return found == approved.end() ? std::nullopt : std::optional(found->second);
    }
    bool setApproval(const std::string& name, const std::vector<uint8_t>& bytes) override {
        return write([&] { approved[name] = bytes; });
    }
    bool deleteApproval(const std::string& name) override {
        return write([&] { approved.erase(name); });
    }

    std::map<std::string, std::string> run;
    std::map<std::string, std::vector<uint8_t>> approved;
    bool writesFail = false;
    int writes = 0;

  private:
    template <typename Change> bool write(Change change) {
        ++writes;
        if (!writesFail) {
            change();
        }
        return !writesFail;
    }
};

} // namespace miruteka
