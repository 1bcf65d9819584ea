#include "fakes/fake_chain_windows.h"

#include <algorithm>
#include <limits>

namespace miruteka {
namespace {

// Corners far out keep their size as far as 32 bits allow.
int32_t saturatedSum(int32_t a, int32_t b) {
    const int64_t sum = int64_t{a} + b;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

void FakeChainWindows::place(int group, Point topLeft) {
    Rect& frame = frames[group - 1];
    const int32_t width = frame.width();
    const int32_t height = frame.height();
    frame = {topLeft.x, topLeft.y, saturatedSum(topLeft.x, width), saturatedSum(topLeft.y, height)};
}

void FakeChainWindows::resizeAll(int width, int height) {
    for (Rect& frame : frames) {
        frame.right = saturatedSum(frame.left, width);
        frame.bottom = saturatedSum(frame.top, height);
    }
}

Point FakeChainWindows::topLeftOf(int group) const {
    return {frames[group - 1].left, frames[group - 1].top};
}

void FakeChainWindows::moveTopmost(int group, Point topLeft) {
    place(group, topLeft);
    topmost[group - 1] = true;
    if (logSize < kLogCapacity) {
        log[logSize] = {Action::Move, group, topLeft};
    }
    ++logSize;
}

void FakeChainWindows::show(int group) {
    visible[group - 1] = true;
    if (logSize < kLogCapacity) {
        log[logSize] = {Action::Show, group, {}};
    }
    ++logSize;
}

void FakeChainWindows::hide(int group) {
    visible[group - 1] = false;
    if (logSize < kLogCapacity) {
        log[logSize] = {Action::Hide, group, {}};
    }
    ++logSize;
}

void FakeChainWindows::setIconSize(int pixels) {
    resizeAll(pixels, pixels);
    if (logSize < kLogCapacity) {
        log[logSize] = {Action::Resize, 0, {pixels, pixels}};
    }
    ++logSize;
}

int FakeChainWindows::movesOf(int group) const {
    int count = 0;
    for (std::size_t i = 0; i < logSize && i < kLogCapacity; ++i) {
        count += log[i].action == Action::Move && log[i].group == group;
    }
    return count;
}

int FakeChainWindows::showsOf(int group) const {
    int count = 0;
    for (std::size_t i = 0; i < logSize && i < kLogCapacity; ++i) {
        count += log[i].action == Action::Show && log[i].group == group;
    }
    return count;
}

} // namespace miruteka
