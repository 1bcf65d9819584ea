// Form1's public operations as a log of calls, in order: "ICLOAD", "timer <ms>",
// "hideIconWindows", "quit", "global keys on/off". A shared log lets a test see how these calls
// interleave with other fakes' calls.
#pragma once

#include "shared_ui/launcher_host.h"

#include <algorithm>
#include <string>
#include <vector>

namespace miruteka {

class FakeLauncherHost : public LauncherHost {
  public:
    explicit FakeLauncherHost(std::vector<std::string>* log = nullptr)
        : log_(log != nullptr ? log : &calls) {}

    std::vector<std::string> calls;

    void ICLOAD() override { log_->push_back("ICLOAD"); }
    void setTimerInterval(int16_t milliseconds) override {
        log_->push_back("timer " + std::to_string(milliseconds));
    }
    void hideIconWindows() override { log_->push_back("hideIconWindows"); }
    void quit() override { log_->push_back("quit"); }
    void setGlobalKeysActive(bool active) override {
        log_->push_back(active ? "global keys on" : "global keys off");
    }
    // Keys another program holds.
    std::vector<HotKey> takenKeys;
    bool globalKeyAvailable(const HotKey& key) override {
        return std::find(takenKeys.begin(), takenKeys.end(), key) == takenKeys.end();
    }

  private:
    std::vector<std::string>* log_;
};

} // namespace miruteka
