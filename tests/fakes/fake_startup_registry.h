// The Run key and Task Manager's switches as two maps; writes are counted and can fail.
#pragma once

#include "platform/startup_registry.h"

#include <map>

namespace miruteka {

class FakeStartupRegistry : public StartupRegistry {
  public:
    template <typename T>
    static std::optional<T> at(const std::map<std::string, T>& m, const std::string& n) {
        const auto found = m.find(n);
        return found == m.end() ? std::nullopt : std::optional(found->second);
    }
    std::optional<std::string> runCommand(const std::string& n) const override {
        return at(run, n);
    }
    bool setRunCommand(const std::string& n, const std::string& c) override {
        return write([&] { run[n] = c; });
    }
    bool deleteRunCommand(const std::string& n) override {
        return write([&] { run.erase(n); });
    }
    std::optional<std::vector<uint8_t>> approval(const std::string& n) const override {
        return at(approved, n);
    }
    bool setApproval(const std::string& n, const std::vector<uint8_t>& b) override {
        return write([&] { approved[n] = b; });
    }
    bool deleteApproval(const std::string& n) override {
        return write([&] { approved.erase(n); });
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
