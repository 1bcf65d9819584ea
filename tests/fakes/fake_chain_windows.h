// Four icon windows in memory: frames, visibility and a log of what was done to them. The
// log has a fixed capacity, so using the fake never allocates.
#pragma once

#include "data/launcher_state.h"
#include "iconwin/chain_windows.h"

#include <array>
#include <cstddef>

namespace miruteka {

class FakeChainWindows : public ChainWindows {
  public:
    enum class Action { Move, Show, Hide, Resize };
    struct Entry {
        Action action = Action::Move;
        int group = 0;
        Point topLeft; // where a Move put the window; a Resize's size in both
    };
    static constexpr std::size_t kLogCapacity = 64;

    // Places the window with its top-left corner at the point, keeping its size.
    void place(int group, Point topLeft);
    // Gives all four windows this size, keeping their corners.
    void resizeAll(int width, int height);
    Point topLeftOf(int group) const;

    Rect frame(int group) const override { return frames[group - 1]; }
    bool isVisible(int group) const override { return visible[group - 1]; }
    void moveTopmost(int group, Point topLeft) override;
    void show(int group) override;
    void hide(int group) override;
    int dpiAt(Point) const override { return dpi; }
    void setIconSize(int pixels) override;

    void clearLog() { logSize = 0; }
    int movesOf(int group) const;
    int showsOf(int group) const;

    std::array<Rect, kGroupCount> frames{};
    std::array<bool, kGroupCount> visible{true, true, true, true};
    std::array<bool, kGroupCount> topmost{};
    int dpi = 96; // of every monitor
    std::array<Entry, kLogCapacity> log{};
    std::size_t logSize = 0; // entries beyond the capacity are counted but not kept
};

} // namespace miruteka
