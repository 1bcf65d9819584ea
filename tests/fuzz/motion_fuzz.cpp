// The motion tick with any settings, flags, window rectangles, popup and pointer positions,
// over a run of ticks. It never fails, and every window it moves lands where the window
// system can put it (16-bit coordinates) unless it stays where it stood.
#include "fakes/fake_chain_windows.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_open_popup.h"
#include "fakes/fake_pointer_input.h"
#include "fuzz_input.h"
#include "iconwin/motion.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

using namespace miruteka;

namespace {

bool fitsWindowSystem(Point corner) {
    constexpr int32_t low = std::numeric_limits<int16_t>::min();
    constexpr int32_t high = std::numeric_limits<int16_t>::max();
    return corner.x >= low && corner.x <= high && corner.y >= low && corner.y <= high;
}

Rect takeRect(FuzzInput& input) {
    const auto left = input.take<int32_t>();
    const auto top = input.take<int32_t>();
    const auto width = input.take<uint16_t>();
    const auto height = input.take<uint16_t>();
    return {left, top, static_cast<int32_t>(std::min<int64_t>(int64_t{left} + width, INT32_MAX)),
            static_cast<int32_t>(std::min<int64_t>(int64_t{top} + height, INT32_MAX))};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    LauncherState state;
    state.settings = {input.take<int16_t>(), input.take<int16_t>(), input.take<int16_t>(),
                      input.take<int16_t>(), input.take<int16_t>()};
    const auto flags = input.take<uint16_t>();
    for (int group = 0; group < kGroupCount; ++group) {
        state.blnGroupHasIcon[group] = (flags >> group & 1) != 0;
    }
    state.blnMouseOnIcon = (flags & 0x10) != 0;
    state.lngMouseX = input.take<int32_t>();
    state.lngMouseY = input.take<int32_t>();

    FakeChainWindows windows;
    for (int group = 1; group <= kGroupCount; ++group) {
        windows.frames[group - 1] = takeRect(input);
        windows.visible[group - 1] = (flags >> (4 + group) & 1) != 0;
    }
    FakeOpenPopup popup;
    popup.rect = takeRect(input);
    FakePointerInput pointer;
    FakeDesktop desktop;
    Motion motion(state, pointer, windows, popup, desktop);
    motion.setLastPointer({input.take<int32_t>(), input.take<int32_t>()});

    while (!input.rest().empty()) {
        const auto tick = input.take<uint8_t>();
        pointer.position = {input.take<int32_t>(), input.take<int32_t>()};
        pointer.leftDown = (tick & 1) != 0;
        pointer.rightDown = (tick & 2) != 0;
        if ((tick & 4) != 0 && state.intOpenGroup == 0) {
            state.intOpenGroup = static_cast<int16_t>(1 + (tick >> 4) % kGroupCount);
            popup.open = (tick & 8) != 0;
        }
        const auto before = windows.frames;
        windows.clearLog();
        motion.Timer1_Timer();
        for (std::size_t i = 0; i < windows.logSize && i < windows.log.size(); ++i) {
            const FakeChainWindows::Entry& entry = windows.log[i];
            const Rect& old = before[entry.group - 1];
            if (entry.action == FakeChainWindows::Action::Move &&
                !fitsWindowSystem(entry.topLeft) && !(entry.topLeft == Point{old.left, old.top})) {
                std::fprintf(stderr, "window %d moved to (%d, %d)\n", entry.group, entry.topLeft.x,
                             entry.topLeft.y);
                std::abort();
            }
        }
        if (popup.callsWhileClosed != 0) {
            std::fprintf(stderr, "the popup was asked about while closed\n");
            std::abort();
        }
    }
    return 0;
}
