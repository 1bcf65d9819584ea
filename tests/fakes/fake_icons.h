// Icons without a shell: per-path answers for the three icon calls, a count of handles
// still alive, and pictures and icon windows that remember what was drawn and set.
#pragma once

#include "iconwin/icon_windows.h"
#include "platform/icons.h"

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace miruteka {

class FakeIconApi : public IconApi {
  public:
    // What the two calls give for a path; a path not listed gets nothing and error 2.
    struct Answer {
        bool large = false;
        bool small = false;
        std::uintptr_t associated = 0; // 0, 1 (not an icon) or any larger value for an icon
        std::uint32_t lastError = 0;
        bool shell = false; // the shell shows an icon for it
    };
    std::map<std::string, Answer> answers;

    ~FakeIconApi() override {
        if (liveAtDestruction != nullptr) {
            *liveAtDestruction = live.size();
        }
    }
    // Where the destructor records how many handles were still alive.
    std::size_t* liveAtDestruction = nullptr;

    ExtractedIcons extractIconEx(const std::string& path, int size) override;
    AssociatedIcon extractAssociatedIcon(const std::string& path, int size) override;
    IconHandle shellIcon(const std::string& path, int size) override;
    void destroyIcon(std::uintptr_t value) override;

    // Handles given out and not yet destroyed, and destroys of handles never given out (or
    // destroyed twice).
    std::set<std::uintptr_t> live;
    int strayDestroys = 0;
    std::vector<std::string> extractIconExCalls;
    std::vector<std::string> associatedCalls;
    std::vector<int> sizesAsked;                         // by either extraction, in order
    std::vector<std::pair<std::string, int>> shellCalls; // path and size

  private:
    std::uintptr_t issue();
    std::mutex mutex_; // work items extract side by side
    std::uintptr_t next_ = 0x1000;
};

class FakePicture : public Picture {
  public:
    // What the picture holds since its last clear: "ex:<handle>" or "icon:<handle>".
    std::vector<std::string> content;
    bool cleared = false;
    int pixels = 32;

    int size() const override { return pixels; }
    void clear() override {
        content.clear();
        cleared = true;
    }
    void drawIconEx(const IconHandle& icon) override {
        content.push_back("ex:" + std::to_string(icon.value()));
    }
    void drawIcon(const IconHandle& icon) override {
        content.push_back("icon:" + std::to_string(icon.value()));
    }
};

class FakeIconWindows : public IconWindows {
  public:
    std::array<FakePicture, 4> pictures;
    std::array<std::string, 4> tooltips{"test", "", "", ""};
    std::array<bool, 4> visible{};

    Picture& picture(int group) override { return pictures[group - 1]; }
    void setTooltip(int group, const std::string& text) override { tooltips[group - 1] = text; }
    void setVisible(int group, bool shown) override { visible[group - 1] = shown; }
};

} // namespace miruteka
