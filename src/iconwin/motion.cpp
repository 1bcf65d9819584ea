#include "iconwin/motion.h"

#include "iconwin/full_screen.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace miruteka {
namespace {

// The window system keeps window positions within 16 bits and clamps anything beyond.
constexpr double kMinWindowCoordinate = std::numeric_limits<int16_t>::min();
constexpr double kMaxWindowCoordinate = std::numeric_limits<int16_t>::max();

// Nearest integer (ties to even), kept where the window system can put a window.
int32_t toWindowCoordinate(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded > kMinWindowCoordinate)) { // also catches NaN
        return static_cast<int32_t>(kMinWindowCoordinate);
    }
    if (rounded > kMaxWindowCoordinate) {
        return static_cast<int32_t>(kMaxWindowCoordinate);
    }
    return static_cast<int32_t>(rounded);
}

int16_t clampTo16Bits(int32_t value) {
    if (value < std::numeric_limits<int16_t>::min()) {
        return std::numeric_limits<int16_t>::min();
    }
    if (value > std::numeric_limits<int16_t>::max()) {
        return std::numeric_limits<int16_t>::max();
    }
    return static_cast<int16_t>(value);
}

// |a - b| > limit without overflow, whatever the operands.
bool fartherThan(int64_t a, int64_t b, int64_t limit) {
    return std::llabs(a - b) > limit;
}

Point topLeft(const Rect& frame) {
    return {frame.left, frame.top};
}

} // namespace

std::optional<unsigned> timerIntervalToApply(int16_t intTimerInterval) {
    if (intTimerInterval < 0) {
        return std::nullopt;
    }
    return static_cast<unsigned>(intTimerInterval);
}

Motion::Motion(LauncherState& state, PointerInput& pointer, ChainWindows& windows, OpenPopup& popup,
               const Desktop& desktop)
    : state_(state), pointer_(pointer), windows_(windows), popup_(popup), desktop_(desktop) {}

void Motion::setLastPointer(Point pointer) {
    lngLastX = pointer.x;
    intLastY = clampTo16Bits(pointer.y);
}

void Motion::Timer1_Timer() {
    const std::optional<Point> read = pointer_.cursorPos();
    if (!read) {
        // A locked workstation or the secure desktop: no position is not the screen's
        // corner. The chain, its locks and the popup stay as they are until it reads again.
        return;
    }
    const Point pointer = *read;
    // Both buttons are asked every tick, left first: each query also clears the button's
    // "pressed since the last query" report.
    const bool leftPressed = pointer_.buttonPressed(kVkLeftButton);
    const bool rightPressed = pointer_.buttonPressed(kVkRightButton);

    const int dpi = windows_.dpiAt(pointer);
    const ChainScale& scale = scaleAt(dpi);

    const int16_t trackedY = clampTo16Bits(pointer.y);
    const int64_t threshold = scale.settings.intMoveThreshold;
    const bool held = holdHidden(pointer);
    if (!held && mayFollow(leftPressed, rightPressed) &&
        (fartherThan(pointer.x, lngLastX, threshold) ||
         fartherThan(trackedY, intLastY, threshold))) {
        moveChain(pointer, trackedY, dpi, scale);
    }
    if (hiddenInFront_ && !held && !state_.blnSettingsOpen) {
        hiddenInFront_ = false;
        showHiddenWindowsWithIcon();
    }

    // Both checks use the follow decision taken above: the first move after a release
    // comes at the next tick.
    releaseIconLock(pointer, scale.settings);
    watchPopup(pointer);
}

// Scaled again only when the monitor's DPI or the settings (saved with OK) have changed, so a
// tick does not redo the same arithmetic.
const ChainScale& Motion::scaleAt(int dpi) {
    if (dpi != scaleDpi_ || state_.settings != scaledFrom_) {
        scale_ = chainScaleAt(state_.settings, dpi);
        scaleDpi_ = dpi;
        scaledFrom_ = state_.settings;
    }
    return scale_;
}

bool Motion::mayFollow(bool leftPressed, bool rightPressed) const {
    return !leftPressed && state_.intOpenGroup == 0 && !state_.blnMouseOnIcon &&
           !state_.blnSettingsOpen && !rightPressed;
}

// The chain is hidden at the first tick a full-screen program or a menu is in front, and
// again should something show it meanwhile (the settings window's OK). A menu opens beside
// the pointer, where the chain would cover its items and be drawn into its picture. Not
// while a popup is open: the user is at the chain then.
bool Motion::holdHidden(Point pointer) {
    if (state_.intOpenGroup != 0 ||
        !(desktop_.menuOpen() || fullScreenUnderPointer(desktop_, pointer))) {
        return false;
    }
    for (int group = 1; group <= kGroupCount; ++group) {
        if (windows_.isVisible(group)) {
            windows_.hide(group);
        }
    }
    hiddenInFront_ = true;
    return true;
}

void Motion::moveChain(Point pointer, int16_t trackedY, int dpi, const ChainScale& scale) {
    if (dpi != chainDpi_) {
        // Onto a monitor of another scale: the windows take its size before Form1 is
        // centred by it.
        windows_.setIconSize(scale.iconSize);
        chainDpi_ = dpi;
    }
    placeLeader(pointer, trackedY, scale.settings);
    for (int group = 2; group <= kGroupCount; ++group) {
        placeFollower(group, scale.settings);
    }
    lngLastX = pointer.x;
    intLastY = trackedY;
    showHiddenWindowsWithIcon();
}

// Form1's centre goes intMouseGap pixels from the pointer, back toward where the pointer
// was at the last move.
void Motion::placeLeader(Point pointer, int16_t trackedY, const Settings& scaled) {
    const Rect frame = windows_.frame(1);
    const double dx = static_cast<double>(int64_t{pointer.x} - lngLastX);
    const double dy = static_cast<double>(int64_t{trackedY} - intLastY);
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d == 0) {
        // No direction to keep the gap along: the window stays where it is.
        windows_.moveTopmost(1, topLeft(frame));
        return;
    }
    const double gap = scaled.intMouseGap;
    const double width = static_cast<double>(int64_t{frame.right} - frame.left);
    const double height = static_cast<double>(int64_t{frame.bottom} - frame.top);
    const double x1 = pointer.x - dx * gap / d - width / 2;
    const double y1 = trackedY - dy * gap / d - height / 2;
    windows_.moveTopmost(1, {toWindowCoordinate(x1), toWindowCoordinate(y1)});
}

// Each follower's corner goes 2 * intIconGap pixels from its leader's new corner, on the
// line toward where the follower stood, so the chain bends along the pointer's path. The
// leader's position is read back from its window after its own move.
void Motion::placeFollower(int group, const Settings& scaled) {
    const Rect leader = windows_.frame(group - 1);
    const Rect own = windows_.frame(group);
    const double lx = leader.left;
    const double ly = leader.top;
    const double toLeaderX = lx - own.left;
    const double toLeaderY = ly - own.top;
    const double distance = std::sqrt(toLeaderX * toLeaderX + toLeaderY * toLeaderY);
    if (distance == 0) {
        windows_.moveTopmost(group, topLeft(own));
        return;
    }
    const double spacing = 2.0 * scaled.intIconGap;
    const double x = lx - toLeaderX * spacing / distance;
    const double y = ly - toLeaderY * spacing / distance;
    windows_.moveTopmost(group, {toWindowCoordinate(x), toWindowCoordinate(y)});
}

// A window hidden by a middle click comes back at the next move; one whose group has no
// icon stays hidden (it still moves with the chain, so it appears in its place).
void Motion::showHiddenWindowsWithIcon() {
    for (int group = 1; group <= kGroupCount; ++group) {
        if (state_.blnGroupHasIcon[group - 1] && !windows_.isVisible(group)) {
            windows_.show(group);
        }
    }
}

// The icon lock ends once the pointer is more than intUnlockDistance, on either axis, from
// where it last touched an icon window.
void Motion::releaseIconLock(Point pointer, const Settings& scaled) {
    const int64_t limit = scaled.intUnlockDistance;
    if (state_.blnMouseOnIcon && (fartherThan(pointer.y, state_.lngMouseY, limit) ||
                                  fartherThan(pointer.x, state_.lngMouseX, limit))) {
        state_.blnMouseOnIcon = false;
    }
}

void Motion::watchPopup(Point pointer) {
    miruteka::watchPopup(state_, popup_, pointer);
}

} // namespace miruteka
