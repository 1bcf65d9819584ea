// The chain follows the pointer on the real program: Timer1's tick moves the four windows
// exactly, a move within the threshold moves nothing, and a timer interval of 0 stops it.
#include "e2e/harness/harness.h"
#include "e2e/harness/list_file_writer.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr std::array<POINT, 4> kColumnUnder500{{{484, 514}, {484, 554}, {484, 594}, {484, 634}}};

// Longer than a few ticks at the default 200 ms.
constexpr std::chrono::milliseconds kSeveralTicks(700);

bool staysAt(const std::array<HWND, 4>& windows, const std::array<POINT, 4>& corners,
             std::chrono::milliseconds period) {
    return !waitUntil([&] { return !sameCorners(cornersOf(windows), corners); }, period);
}

TEST(Motion, TheChainJumpsAfterThePointerOnlyPastTheThreshold) {
    ProgramFolder folder;
    movePointer(500, 500);
    Instance instance(folder.exe());
    const auto windows = waitForIconWindows(instance);
    ASSERT_NE(windows[3], nullptr);
    ASSERT_TRUE(waitForCorners(windows, kColumnUnder500)) << describeCorners(cornersOf(windows));

    movePointer(540, 500);
    const std::array<POINT, 4> afterMove{{{494, 484}, {488, 524}, {486, 564}, {485, 604}}};
    EXPECT_TRUE(waitForCorners(windows, afterMove)) << describeCorners(cornersOf(windows));

    // Exactly the threshold on one axis: nothing moves.
    movePointer(550, 500);
    EXPECT_TRUE(staysAt(windows, afterMove, kSeveralTicks)) << describeCorners(cornersOf(windows));

    // One pixel more, measured from where the chain last moved: Form1 lands 30 pixels
    // behind the pointer on the line it came along.
    movePointer(551, 500);
    EXPECT_TRUE(waitUntil([&] {
        const POINT corner = cornersOf(windows)[0];
        return corner.x == 551 - 30 - 16 && corner.y == 484;
    })) << describeCorners(cornersOf(windows));
}

TEST(Motion, ATimerIntervalOfZeroKeepsTheChainWhereStartUpPutIt) {
    ProgramFolder folder;
    ListFileContents contents;
    contents.settings = {0, 10, 30, 20, 30};
    writeListFile(folder.listFile(), contents);
    movePointer(500, 500);
    Instance instance(folder.exe());
    const auto windows = waitForIconWindows(instance);
    ASSERT_NE(windows[3], nullptr);
    ASSERT_TRUE(waitForCorners(windows, kColumnUnder500)) << describeCorners(cornersOf(windows));

    movePointer(700, 650);
    EXPECT_TRUE(staysAt(windows, kColumnUnder500, kSeveralTicks))
        << describeCorners(cornersOf(windows));
}

} // namespace
} // namespace e2e
