// The Run key and Task Manager's switches as two maps; writes are counted and can fail.
#pragma once

#include "platform/startup_registry.h"

#include <map>

namespace miruteka {

class FakeStartupRegistry : public StartupRegistry {
  public:
    std::optional<std::string> runCommand(const std::string& n) const override {
        return run.contains(n) ? std::optional(run.at(n)) : std::nullopt;
    }
    bool setRunCommand(const std::string& n, const std::string& c) override {
        return write() && (run[n] = c, true);
    }
    bool deleteRunCommand(const std::string& n) override { return write() && (run.erase(n), true); }
    std::optional<std::vector<uint8_t>> approval(const std::string& n) const override {
        return approved.contains(n) ? std::optional(approved.at(n)) : std::nullopt;
    }
    bool setApproval(const std::string& n, const std::vector<uint8_t>& b) override {
        return write() && (approved[n] = b, true);
    }
    bool deleteApproval(const std::string& n) override {
        return write() && (approved.erase(n), true);
    }

    std::map<std::string, std::string> run;
    std::map<std::string, std::vector<uint8_t>> approved;
    bool writesFail = false;
    int writes = 0;

  private:
    bool write() { return ++writes, !writesFail; }
};

} // namespace miruteka
