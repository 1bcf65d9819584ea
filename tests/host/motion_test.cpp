
#include "fakes/motion_chain.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>

namespace miruteka {
namespace {

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

using Chain = MotionChain;

void expectInWindowRange(const FakeChainWindows& windows) {
    for (int group = 1; group <= kGroupCount; ++group) {
        const Point corner = windows.topLeftOf(group);
        EXPECT_GE(corner.x, -32768) << "group " << group;
        EXPECT_LE(corner.x, 32767) << "group " << group;
        EXPECT_GE(corner.y, -32768) << "group " << group;
        EXPECT_LE(corner.y, 32767) << "group " << group;
    }
}

TEST(Motion, ChainTrailsThePointerLikeARope) {
    Chain chain;
    chain.tickAt({540, 500});

    EXPECT_EQ(chain.windows.topLeftOf(1), (Point{494, 484}));
    EXPECT_EQ(chain.windows.topLeftOf(2), (Point{488, 524}));
    EXPECT_EQ(chain.windows.topLeftOf(3), (Point{486, 564}));
    EXPECT_EQ(chain.windows.topLeftOf(4), (Point{485, 604}));
    EXPECT_EQ(chain.motion.lastX(), 540);
    EXPECT_EQ(chain.motion.lastY(), 500);
    // One move per window, leader first, each made topmost.
    ASSERT_EQ(chain.windows.logSize, 4u);
    for (int group = 1; group <= kGroupCount; ++group) {
        EXPECT_EQ(chain.windows.log[group - 1].action, FakeChainWindows::Action::Move);
        EXPECT_EQ(chain.windows.log[group - 1].group, group);
        EXPECT_TRUE(chain.windows.topmost[group - 1]);
    }
}

TEST(Motion, OnA144DpiMonitorTheChainIsTheWorkedExampleHalfAgainAsLarge) {
    // At 144 dpi the windows are 48 x 48, intMouseGap is 45, 2 x intIconGap is 60 and the
    // threshold 15. Start-up with the pointer at (500, 500) stacks the corners at
    // (476, 521), (476, 581), (476, 641), (476, 701). The pointer moves to (560, 500):
    // |dx| = 60 > 15, d = 60, Form1 = (560 - 45 - 24, 500 - 0 - 24) = (491, 476).
    // Form2: leader (491, 476), own (476, 581), D = sqrt(15^2 + 105^2) = 106.066,
    //   (491 - 15 x 60 / D, 476 + 105 x 60 / D) = (482.515, 535.397) -> (483, 535).
    // Form3: leader (483, 535), own (476, 641), D = sqrt(7^2 + 106^2) = 106.231,
    //   (483 - 3.954, 535 + 59.870) = (479.046, 594.870) -> (479, 595).
    // Form4: leader (479, 595), own (476, 701), D = sqrt(3^2 + 106^2) = 106.042,
    //   (479 - 1.697, 595 + 59.976) = (477.303, 654.976) -> (477, 655).
    Chain chain;
    chain.windows.dpi = 144;
    chain.windows.resizeAll(48, 48);
    for (int group = 1; group <= kGroupCount; ++group) {
        chain.windows.place(group, {476, 461 + 60 * group});
    }
    chain.motion.setChainDpi(144);

    chain.tickAt({515, 500}); // 15 pixels: within the scaled threshold
    EXPECT_FALSE(chain.moved());
    chain.tickAt({560, 500});
    EXPECT_EQ(chain.windows.topLeftOf(1), (Point{491, 476}));
    EXPECT_EQ(chain.windows.topLeftOf(2), (Point{483, 535}));
    EXPECT_EQ(chain.windows.topLeftOf(3), (Point{479, 595}));
    EXPECT_EQ(chain.windows.topLeftOf(4), (Point{477, 655}));
    EXPECT_EQ(chain.windows.logSize, 4u); // no resize: start-up sized them for 144 dpi

    // The icon lock releases beyond 45 pixels on one axis, not 30.
    chain.state = {
        .settings = kDefaultSettings, .items = {}, .blnMouseOnIcon = true, .lngMouseX = 560};
    chain.tickAt({605, 0});
    EXPECT_TRUE(chain.state.blnMouseOnIcon);
    chain.tickAt({606, 0});
    EXPECT_FALSE(chain.state.blnMouseOnIcon);

    // Back onto a 96-dpi monitor: the windows take its size first, then the chain moves
    // with the distances of 96 dpi.
    chain.windows.clearLog();
    chain.windows.dpi = 96;
    chain.tickAt({700, 500});
    ASSERT_EQ(chain.windows.logSize, 5u);
    EXPECT_EQ(chain.windows.log[0].action, FakeChainWindows::Action::Resize);
    EXPECT_EQ(chain.windows.log[0].topLeft, (Point{32, 32}));
    EXPECT_EQ(chain.windows.topLeftOf(1), (Point{700 - 30 - 16, 500 - 16}));
}

TEST(Motion, HalfwayValuesRoundToEven) {
    // Form1's corner lands on x.5 values: 100 - 3 - 16.5 = 80.5 and 100 - 4 - 16.5 = 79.5.
    Chain chain;
    chain.state.settings.intMouseGap = 5;
    chain.state.settings.intMoveThreshold = 0;
    chain.windows.resizeAll(33, 33);
    chain.motion.setLastPointer({94, 92});
    chain.tickAt({100, 100});
    EXPECT_EQ(chain.windows.topLeftOf(1), (Point{80, 80}));
}

TEST(Motion, ChainMovesOnlyWhenOneAxisTravelsBeyondTheThreshold) {
    struct Case {
        Point to;
        bool moves;
    };
    const Case cases[] = {
        {{508, 508}, false}, // about 11.3 pixels, but no axis beyond 10
        {{510, 500}, false}, {{490, 500}, false}, {{500, 510}, false}, {{500, 490}, false},
        {{511, 500}, true},  {{489, 500}, true},  {{500, 511}, true},  {{500, 489}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "to " << c.to.x << "," << c.to.y);
        Chain chain;
        chain.tickAt(c.to);
        EXPECT_EQ(chain.moved(), c.moves);
        EXPECT_EQ(chain.motion.lastX(), c.moves ? c.to.x : 500);
        EXPECT_EQ(chain.motion.lastY(), c.moves ? c.to.y : 500);
    }
}

TEST(Motion, SmallStepsAddUpUntilTheChainJumpsOnce) {
    Chain chain;
    chain.tickAt({504, 500});
    chain.tickAt({508, 500});
    EXPECT_FALSE(chain.moved());
    chain.tickAt({511, 500});
    EXPECT_EQ(chain.windows.movesOf(1), 1);
    // The chain now measures from (511, 500).
    chain.tickAt({521, 500});
    EXPECT_EQ(chain.windows.movesOf(1), 1);
}

TEST(Motion, EachHoldStopsTheChainAndNothingElseDoes) {
    struct Hold {
        const char* name;
        std::function<void(Chain&)> apply;
    };
    const Hold holds[] = {
        {"left button down", [](Chain& c) { c.pointer.leftDown = true; }},
        {"left button pressed since the last tick",
         [](Chain& c) { c.pointer.leftPressedOnce = true; }},
        {"right button down", [](Chain& c) { c.pointer.rightDown = true; }},
        {"right button pressed since the last tick",
         [](Chain& c) { c.pointer.rightPressedOnce = true; }},
        {"popup open",
         [](Chain& c) {
             c.state.intOpenGroup = 2;
             c.popup.open = true;
             c.popup.rect = {400, 400, 600, 600};
         }},
        {"icon lock",
         [](Chain& c) {
             c.state.blnMouseOnIcon = true;
             c.state.lngMouseX = 540;
             c.state.lngMouseY = 500;
         }},
        {"settings open", [](Chain& c) { c.state.blnSettingsOpen = true; }},
    };
    for (const Hold& hold : holds) {
        SCOPED_TRACE(hold.name);
        Chain chain;
        hold.apply(chain);
        chain.tickAt({540, 500});
        EXPECT_EQ(chain.windows.logSize, 0u);
        EXPECT_EQ(chain.motion.lastX(), 500);
    }

    // None of these is a hold.
    Chain chain;
    chain.windows.visible = {false, false, false, false};
    chain.state.blnGroupHasIcon = {false, false, false, false};
    chain.state.intShownItem = {9, 9, 9, 9};
    chain.popup.open = true; // left over, but no group's popup is open
    chain.state.lngMouseX = 540;
    chain.state.lngMouseY = 500;
    chain.tickAt({540, 500});
    EXPECT_EQ(chain.windows.topLeftOf(1), (Point{494, 484}));
}

TEST(Motion, AFullScreenProgramInFrontOrAnOpenMenuHidesAndHoldsTheChainUntilItGoes) {
    Chain chain;
    chain.desktop.putInFront({0, 0, 1280, 1024});
    chain.tickAt({540, 500});
    EXPECT_EQ(chain.windows.visible, (std::array<bool, kGroupCount>{}));
    EXPECT_EQ(chain.windows.movesOf(1), 0);
    chain.windows.clearLog();
    chain.tickAt({600, 500});
    EXPECT_EQ(chain.windows.logSize, 0u);
    chain.windows.visible[2] = true; // shown again meanwhile
    chain.tickAt({600, 500});
    EXPECT_FALSE(chain.windows.visible[2]);

    // Gone: the chain comes back at the next tick and follows.
    chain.desktop.foreground.reset();
    chain.tickAt({600, 500});
    EXPECT_EQ(chain.windows.visible, (std::array<bool, kGroupCount>{true, true, true, true}));
    EXPECT_EQ(chain.windows.topLeftOf(1), (Point{554, 484}));

    // An open menu of any program holds it the same way.
    chain.desktop.menu = true;
    chain.tickAt({620, 500});
    EXPECT_EQ(chain.windows.visible, (std::array<bool, kGroupCount>{}));
    EXPECT_EQ(chain.windows.topLeftOf(1), (Point{554, 484}));
    chain.desktop.menu = false;

    // Not while the settings window keeps it hidden.
    chain.desktop.putInFront({0, 0, 1280, 1024});
    chain.tickAt({600, 500});
    chain.state.blnSettingsOpen = true;
    chain.desktop.foreground.reset();
    chain.tickAt({600, 500});
    EXPECT_EQ(chain.windows.visible, (std::array<bool, kGroupCount>{}));

    // An open popup keeps its chain and stays open.
    Chain withPopup;
    withPopup.state.intOpenGroup = 2;
    withPopup.popup.open = true;
    withPopup.popup.rect = {400, 400, 600, 600};
    withPopup.desktop.putInFront({0, 0, 1280, 1024});
    withPopup.tickAt({540, 500});
    EXPECT_EQ(withPopup.windows.logSize, 0u);
    EXPECT_EQ(withPopup.popup.closeCount, 0);
}

TEST(Motion, ChainResumesAtTheFirstTickWithBothButtonsUp) {
    Chain chain;
    chain.pointer.leftPressedOnce = true; // a click that has already ended
    chain.tickAt({540, 500});
    EXPECT_FALSE(chain.moved());
    chain.tickAt({540, 500});
    EXPECT_EQ(chain.windows.topLeftOf(1), (Point{494, 484}));
}

TEST(Motion, BothButtonsAreAskedEveryTickLeftFirst) {
    // Skipping the right button while the left one holds would leave its "pressed since the
    // last query" report to hold a later tick.
    Chain chain;
    chain.pointer.leftDown = true;
    chain.pointer.rightPressedOnce = true;
    chain.tickAt({540, 500});
    ASSERT_EQ(chain.pointer.queryCount, 2u);
    EXPECT_EQ(chain.pointer.queries[0], kVkLeftButton);
    EXPECT_EQ(chain.pointer.queries[1], kVkRightButton);

    chain.pointer.leftDown = false;
    chain.tickAt({540, 500});
    EXPECT_EQ(chain.windows.topLeftOf(1), (Point{494, 484}));
}

TEST(Motion, IconLockReleasesOnlyBeyondTheUnlockDistanceOnOneAxis) {
    struct Case {
        Point at;
        bool releases;
    };
    const Case cases[] = {
        {{630, 630}, false}, {{570, 570}, false}, {{600, 600}, false}, {{631, 600}, true},
        {{569, 600}, true},  {{600, 631}, true},  {{600, 569}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.at.x << "," << c.at.y);
        Chain chain;
        chain.state.blnMouseOnIcon = true;
        chain.state.lngMouseX = 600;
        chain.state.lngMouseY = 600;
        chain.tickAt(c.at);
        EXPECT_EQ(chain.state.blnMouseOnIcon, !c.releases);
        // The tick that releases the lock still holds the chain; the next one moves it.
        EXPECT_FALSE(chain.moved());
        chain.tickAt(c.at);
        EXPECT_EQ(chain.moved(), c.releases);
    }
}

TEST(Motion, PopupStaysWhileThePointerIsOnItEdgesIncluded) {
    struct Case {
        Point at;
        bool staysOpen;
    };
    const Case cases[] = {
        {{100, 100}, true},  {{300, 400}, true},  {{100, 400}, true},  {{300, 100}, true},
        {{200, 250}, true},  {{99, 250}, false},  {{301, 250}, false}, {{200, 99}, false},
        {{200, 401}, false}, {{301, 401}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.at.x << "," << c.at.y);
        Chain chain;
        chain.state.intOpenGroup = 3;
        chain.popup.open = true;
        chain.popup.rect = {100, 100, 300, 400};
        chain.motion.setLastPointer({1000, 1000}); // far enough to move once unlocked
        chain.tickAt(c.at);
        EXPECT_EQ(chain.popup.open, c.staysOpen);
        EXPECT_EQ(chain.popup.closeCount, c.staysOpen ? 0 : 1);
        EXPECT_EQ(chain.state.intOpenGroup, c.staysOpen ? 3 : 0);
        EXPECT_FALSE(chain.moved());
        chain.tickAt(c.at);
        EXPECT_EQ(chain.moved(), !c.staysOpen);
    }
    Chain keyboard; // a list opened from the keyboard stays wherever the pointer wanders
    keyboard.state.intOpenGroup = 1;
    keyboard.popup.open = true;
    keyboard.popup.pointerHoldsIt = false;
    keyboard.popup.rect = {100, 100, 300, 400};
    keyboard.tickAt({900, 900});
    EXPECT_TRUE(keyboard.popup.open);
    EXPECT_EQ(keyboard.state.intOpenGroup, 1);
}

TEST(Motion, PopupThatHasAlreadyGoneOnlyClearsTheLock) {
    Chain chain;
    chain.state.intOpenGroup = 1;
    chain.popup.open = false; // an item was started from it
    chain.popup.rect = {0, 0, 1000, 1000};
    chain.tickAt({540, 500});
    EXPECT_EQ(chain.state.intOpenGroup, 0);
    EXPECT_EQ(chain.popup.closeCount, 0);
    EXPECT_EQ(chain.popup.callsWhileClosed, 0);
}

TEST(Motion, AnUnreadablePointerMovesNothingAndKeepsTheLocksAndThePopup) {
    Chain chain; // GetCursorPos fails on a locked workstation; a failed read was (0, 0)
    chain.pointer.positionReadable = false;
    chain.tickAt({0, 0});
    chain.state.blnMouseOnIcon = true;
    chain.state.lngMouseX = chain.state.lngMouseY = 500;
    chain.state.intOpenGroup = 2;
    chain.popup.open = true;
    chain.popup.rect = {450, 450, 550, 550};
    chain.tickAt({0, 0});
    watchPopup(chain.state, chain.popup, std::nullopt); // the popup's own watch
    EXPECT_EQ(chain.windows.logSize + chain.pointer.queryCount, 0u);
    EXPECT_EQ(chain.popup.closeCount, 0);
    EXPECT_TRUE(chain.state.blnMouseOnIcon);
    EXPECT_EQ(chain.state.intOpenGroup, 2);
}

TEST(Motion, HiddenWindowsComeBackAtAMoveOnlyWhenTheirGroupHasAnIcon) {
    Chain chain;
    chain.windows.visible = {true, false, false, true};
    chain.state.blnGroupHasIcon = {true, true, false, true};

    chain.tickAt({505, 500}); // no travel: nothing comes back
    chain.state.blnSettingsOpen = true;
    chain.tickAt({540, 500}); // held: nothing comes back
    EXPECT_EQ(chain.windows.logSize, 0u);

    chain.state.blnSettingsOpen = false;
    chain.tickAt({540, 500});
    EXPECT_TRUE(chain.windows.visible[1]);
    EXPECT_FALSE(chain.windows.visible[2]);
    EXPECT_EQ(chain.windows.showsOf(2), 1);
    EXPECT_EQ(chain.windows.showsOf(1) + chain.windows.showsOf(3) + chain.windows.showsOf(4), 0);
    // The hidden window still moved with the chain, and windows appear only once in place.
    EXPECT_EQ(chain.windows.topLeftOf(3), (Point{486, 564}));
    ASSERT_EQ(chain.windows.logSize, 5u);
    EXPECT_EQ(chain.windows.log[4].action, FakeChainWindows::Action::Show);
}

TEST(Motion, ZeroDistancesLeaveTheWindowWhereItIs) {
    // d = 0: a negative threshold lets a pointer that has not moved through.
    Chain still;
    still.state.settings.intMoveThreshold = -1;
    still.tickAt({500, 500});
    EXPECT_EQ(still.windows.topLeftOf(1), (Point{484, 514}));
    EXPECT_EQ(still.windows.topLeftOf(2), (Point{484, 554}));
    EXPECT_EQ(still.windows.topLeftOf(4), (Point{484, 634}));
    EXPECT_EQ(still.windows.movesOf(1), 1); // still put above other windows

    // D = 0: Form2 already stands where Form1 lands.
    Chain stacked;
    stacked.windows.place(2, {494, 484});
    stacked.tickAt({540, 500});
    EXPECT_EQ(stacked.windows.topLeftOf(1), (Point{494, 484}));
    EXPECT_EQ(stacked.windows.topLeftOf(2), (Point{494, 484}));

    // A zero icon gap stacks the followers on Form1, and they keep following it.
    Chain gapless;
    gapless.state.settings.intIconGap = 0;
    gapless.tickAt({540, 500});
    gapless.tickAt({600, 600});
    for (int group = 2; group <= kGroupCount; ++group) {
        EXPECT_EQ(gapless.windows.topLeftOf(group), gapless.windows.topLeftOf(1));
    }
}

TEST(Motion, MouseGapZeroCentresForm1OnThePointer) {
    Chain chain;
    chain.state.settings.intMouseGap = 0;
    chain.tickAt({540, 520});
    EXPECT_EQ(chain.windows.topLeftOf(1), (Point{524, 504}));
}

TEST(Motion, ExtremeSettingsAndPointersNeverFail) {
    // Under the sanitizers any overflow or bad conversion here stops the test program.
    for (int16_t gap : {int16_t{-32768}, int16_t{-16385}, int16_t{16384}, int16_t{32767}}) {
        SCOPED_TRACE(testing::Message() << "gap " << gap);
        Chain chain;
        chain.state.settings.intIconGap = gap;
        chain.state.settings.intMouseGap = gap;
        chain.tickAt({540, 500});
        chain.tickAt({-540, -500});
        expectInWindowRange(chain.windows);
    }

    const Point corners[] = {{kInt32Min, kInt32Min},
                             {kInt32Max, kInt32Max},
                             {kInt32Min, kInt32Max},
                             {kInt32Max, kInt32Min}};
    for (const Point from : corners) {
        for (const Point to : corners) {
            SCOPED_TRACE(testing::Message()
                         << "from " << from.x << "," << from.y << " to " << to.x << "," << to.y);
            Chain chain;
            chain.state.settings.intMoveThreshold = -32768;
            chain.state.settings.intUnlockDistance = 32767;
            chain.state.blnMouseOnIcon = false;
            chain.motion.setLastPointer(from);
            chain.windows.place(3, from); // far from its leader
            chain.tickAt(to);
            EXPECT_TRUE(chain.moved());
            expectInWindowRange(chain.windows);
            EXPECT_EQ(chain.motion.lastX(), to.x);

            chain.state.blnMouseOnIcon = true;
            chain.state.lngMouseX = from.x;
            chain.state.lngMouseY = from.y;
            chain.state.intOpenGroup = 4;
            chain.popup.open = true;
            chain.popup.rect = {kInt32Min, kInt32Min, kInt32Max, kInt32Max};
            chain.tickAt(to);
            EXPECT_EQ(chain.state.blnMouseOnIcon, from == to);
            EXPECT_TRUE(chain.popup.open);
        }
    }
}

TEST(Motion, PointerBeyondSixteenBitsOfYIsTrackedAtTheEdge) {
    Chain chain;
    chain.motion.setLastPointer({500, 40000});
    EXPECT_EQ(chain.motion.lastY(), 32767);
    // Resting there is no travel, so the chain stays (and a hidden icon stays hidden).
    chain.tickAt({500, 40000});
    chain.tickAt({500, 41000});
    EXPECT_FALSE(chain.moved());

    chain.tickAt({600, 41000});
    EXPECT_EQ(chain.windows.topLeftOf(1), (Point{554, 32751}));
    EXPECT_EQ(chain.motion.lastY(), 32767);

    chain.tickAt({600, -40000});
    EXPECT_EQ(chain.motion.lastY(), -32768);
    expectInWindowRange(chain.windows);
}

TEST(TimerInterval, ZeroStopsTheTimerAndNegativeKeepsItsInterval) {
    EXPECT_EQ(timerIntervalToApply(200), 200u);
    EXPECT_EQ(timerIntervalToApply(1), 1u);
    EXPECT_EQ(timerIntervalToApply(32767), 32767u);
    EXPECT_EQ(timerIntervalToApply(0), 0u);
    EXPECT_EQ(timerIntervalToApply(-1), std::nullopt);
    EXPECT_EQ(timerIntervalToApply(-32768), std::nullopt);
}

} // namespace
} // namespace miruteka
