// A web browser the about window opens addresses in: create one (initially invisible),
// navigate it, show it, and hear when it quits.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace miruteka {

class Browser {
  public:
    // Letting go of a browser leaves its window open; only its events stop arriving.
    virtual ~Browser() = default;
    virtual void navigate(const std::string& address) = 0;
    virtual void show() = 0;
};

class BrowserFactory {
  public:
    virtual ~BrowserFactory() = default;
    // A new browser. onQuit runs on the user-interface thread when that browser quits, for as
    // long as the returned object lives; it may destroy the object.
    virtual std::unique_ptr<Browser> create(std::function<void()> onQuit) = 0;
};

} // namespace miruteka
