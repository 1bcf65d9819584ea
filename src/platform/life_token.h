// Answers from background work may arrive after the object that asked is gone (a window
// closed meanwhile). An object holds a LifeToken and wraps each answer with guard(): the
// wrapped answer does nothing once the object has been destroyed. Both the destruction and
// the answer run on the user-interface thread, so the check needs no lock.
#pragma once

#include <memory>
#include <utility>

namespace miruteka {

class LifeToken {
  public:
    LifeToken() = default;
    LifeToken(const LifeToken&) = delete;
    LifeToken& operator=(const LifeToken&) = delete;

    template <typename Answer> auto guard(Answer answer) const {
        return [alive = std::weak_ptr<const int>(alive_),
                answer = std::move(answer)](auto&&... arguments) mutable {
            if (!alive.expired()) {
                answer(std::forward<decltype(arguments)>(arguments)...);
            }
        };
    }

  private:
    std::shared_ptr<const int> alive_ = std::make_shared<const int>(0);
};

} // namespace miruteka
