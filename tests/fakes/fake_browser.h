// Browsers that record what they were asked to do. Like the real ones, a browser's quit
// event reaches its owner only while the owner still holds it.
#pragma once

#include "platform/browser.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace miruteka {

struct FakeBrowserRecord {
    std::vector<std::string> addresses;
    bool shown = false;
    bool held = true; // the owner still holds the browser object
    std::function<void()> onQuit;
};

class FakeBrowserFactory : public BrowserFactory {
  public:
    std::unique_ptr<Browser> create(std::function<void()> onQuit) override;
    // The user closes the index-th browser made.
    void quit(std::size_t index);

    std::vector<std::shared_ptr<FakeBrowserRecord>> made;
};

} // namespace miruteka
