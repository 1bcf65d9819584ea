#include "fakes/fake_icons.h"

namespace miruteka {

std::uintptr_t FakeIconApi::issue() {
    const std::uintptr_t handle = next_++;
    live.insert(handle);
    return handle;
}

ExtractedIcons FakeIconApi::extractIconEx(const std::string& path, int size) {
    std::lock_guard lock(mutex_);
    extractIconExCalls.push_back(path);
    sizesAsked.push_back(size);
    ExtractedIcons result;
    const auto found = answers.find(path);
    if (found == answers.end()) {
        return result;
    }
    if (found->second.large) {
        result.large = IconHandle(this, issue());
    }
    if (found->second.small) {
        result.small = IconHandle(this, issue());
    }
    return result;
}

AssociatedIcon FakeIconApi::extractAssociatedIcon(const std::string& path, int size) {
    std::lock_guard lock(mutex_);
    associatedCalls.push_back(path);
    sizesAsked.push_back(size);
    const auto found = answers.find(path);
    if (found == answers.end()) {
        return AssociatedIcon{IconHandle(), 2};
    }
    std::uintptr_t value = found->second.associated;
    if (value > 1) {
        value = issue();
    }
    return AssociatedIcon{IconHandle(this, value), found->second.lastError};
}

IconHandle FakeIconApi::shellIcon(const std::string& path, int size) {
    std::lock_guard lock(mutex_);
    shellCalls.emplace_back(path, size);
    const auto found = answers.find(path);
    if (found == answers.end() || !found->second.shell) {
        return IconHandle();
    }
    return IconHandle(this, issue());
}

void FakeIconApi::destroyIcon(std::uintptr_t value) {
    std::lock_guard lock(mutex_);
    if (live.erase(value) == 0) {
        ++strayDestroys;
    }
}

} // namespace miruteka
