// A pointer and two mouse buttons set by the test. A button set as "pressed once" reports
// pressed at its next query only, as GetAsyncKeyState reports a press that has already
// ended. Never allocates.
#pragma once

#include "platform/input.h"

#include <array>
#include <cstddef>

namespace miruteka {

class FakePointerInput : public PointerInput {
  public:
    static constexpr std::size_t kQueryCapacity = 16;

    std::optional<Point> cursorPos() const override {
        return positionReadable ? std::optional<Point>(position) : std::nullopt;
    }
    bool buttonPressed(int virtualKey) override;

    Point position;
    bool positionReadable = true; // false: GetCursorPos fails
    bool leftDown = false;
    bool rightDown = false;
    bool leftPressedOnce = false;
    bool rightPressedOnce = false;

    // The virtual keys asked since the last clear, in order.
    std::array<int, kQueryCapacity> queries{};
    std::size_t queryCount = 0;
    void clearQueries() { queryCount = 0; }
};

} // namespace miruteka
