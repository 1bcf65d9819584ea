#include "fakes/fake_browser.h"

#include <utility>

namespace miruteka {
namespace {

class FakeBrowser : public Browser {
  public:
    explicit FakeBrowser(std::shared_ptr<FakeBrowserRecord> record) : record_(std::move(record)) {}
    ~FakeBrowser() override { record_->held = false; }

    void navigate(const std::string& address) override { record_->addresses.push_back(address); }
    void show() override { record_->shown = true; }

  private:
    std::shared_ptr<FakeBrowserRecord> record_;
};

} // namespace

std::unique_ptr<Browser> FakeBrowserFactory::create(std::function<void()> onQuit) {
    auto record = std::make_shared<FakeBrowserRecord>();
    record->onQuit = std::move(onQuit);
    made.push_back(record);
    return std::make_unique<FakeBrowser>(record);
}

void FakeBrowserFactory::quit(std::size_t index) {
    const auto record = made.at(index);
    if (record->held && record->onQuit) {
        // A copy: the handler may destroy the browser object that holds it.
        auto onQuit = record->onQuit;
        onQuit();
    }
}

} // namespace miruteka
