#include "iconwin/full_screen.h"

#include "data/text_lines.h"

#include <array>
#include <cstdint>

namespace miruteka {
namespace {

constexpr uint32_t kCaptionStyle = 0x00C00000; // WS_CAPTION: WS_BORDER | WS_DLGFRAME
constexpr int kRunningD3dFullScreen = 3;       // QUNS_RUNNING_D3D_FULL_SCREEN
constexpr int kPresentationMode = 4;           // QUNS_PRESENTATION_MODE
// Some games draw a pixel past the monitor; a window maximised without a title bar reaches
// further, by its invisible frame, and is no full screen.
constexpr int64_t kOverhang = 1;

// The system's desktop window, which is in front when nothing else is; the shell's desktop
// (with the window that holds its icons) and its taskbars.
constexpr std::array<std::string_view, 5> kShellClasses{"#32769", "Progman", "WorkerW",
                                                        "Shell_TrayWnd", "Shell_SecondaryTrayWnd"};

bool isShell(std::string_view className) {
    for (std::string_view shell : kShellClasses) {
        if (sameLettersIgnoringCase(className, shell)) {
            return true;
        }
    }
    return false;
}

// The edge lies on the monitor's edge or at most kOverhang pixels outside it (`outward` is -1
// for the left and top edges, +1 for the right and bottom).
bool edgeFits(int64_t window, int64_t monitor, int64_t outward) {
    const int64_t beyond = (window - monitor) * outward;
    return beyond >= 0 && beyond <= kOverhang;
}

bool fillsMonitor(const ForegroundWindow& window) {
    const Rect& w = window.frame;
    const Rect& m = window.monitor;
    return edgeFits(w.left, m.left, -1) && edgeFits(w.top, m.top, -1) &&
           edgeFits(w.right, m.right, 1) && edgeFits(w.bottom, m.bottom, 1) &&
           (window.style & kCaptionStyle) != kCaptionStyle;
}

} // namespace

bool fullScreenUnderPointer(const Desktop& desktop, Point pointer) {
    const std::optional<ForegroundWindow> window = desktop.foregroundWindow();
    if (!window || window->processId == desktop.ownProcessId() ||
        isShell(window->classNameView())) {
        return false;
    }
    // A program in full screen on another monitor leaves the chain alone on this one.
    const std::optional<Rect> underPointer = desktop.monitorAt(pointer);
    if (!underPointer || *underPointer != window->monitor) {
        return false;
    }
    if (fillsMonitor(*window)) {
        return true;
    }
    const int state = desktop.notificationState();
    return state == kRunningD3dFullScreen || state == kPresentationMode;
}

} // namespace miruteka
