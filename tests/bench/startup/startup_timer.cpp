// Times the start-up of two programs under the same conditions, alternately: from just
// before CreateProcess until the screen shows, in four visible 32 x 32 top-level windows of
// the process, the icons of the four given programs, pixel for pixel as DrawIconEx draws
// them on the icon windows' light yellow; then its working set once it is idle. Prints
// every run, both medians and the ratios of the first program to the second.
//
// startup_timer ROUNDS NAME1 FOLDER1 COMMAND1 NAME2 FOLDER2 COMMAND2 ICON1 ICON2 ICON3 ICON4
// Each program starts in its folder with its command line; ICONn are the files whose icons
// both show. One warm-up run of each is not counted. Exit code 0 when every run showed its
// icons. Between runs the timer waits until the last windows have left the screen.
#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kIconSize = 32;
constexpr DWORD kTimeoutMilliseconds = 10000;

struct Program {
    std::wstring name;
    std::wstring folder;
    std::wstring command;
    std::vector<double> milliseconds;
    std::vector<double> workingSetMiB;
};

struct Run {
    double milliseconds;
    double workingSetMiB;
};

// 32-bit pixels, the top row first.
BITMAPINFO topDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The pixels of a screen rectangle, read in one blit.
class ScreenCopy {
  public:
    explicit ScreenCopy(const RECT& area)
        : area_(area), width_(area.right - area.left), height_(area.bottom - area.top),
          pixels_(static_cast<size_t>(width_) * height_) {
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        BITMAPINFO info = topDown32(width_, height_);
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
        ::GdiFlush();
        std::copy_n(static_cast<const DWORD*>(bits), pixels_.size(), pixels_.begin());
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
    }

    DWORD at(int x, int y) const {
        return pixels_[static_cast<size_t>(y - area_.top) * width_ + (x - area_.left)] & 0xFFFFFF;
    }

  private:
    RECT area_;
    int width_;
    int height_;
    std::vector<DWORD> pixels_;
};

struct Search {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectIconWindows(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    RECT rect;
    if (owner == search->processId && ::IsWindowVisible(window) && ::GetWindowRect(window, &rect) &&
        rect.right - rect.left == kIconSize && rect.bottom - rect.top == kIconSize) {
        search->windows.push_back(window);
    }
    return TRUE;
}

// A window counts as showing an icon only when every pixel is the icon's: a window that
// shows its back colour, or its frame's, or half its picture, is not yet what a user sees.
using Picture = std::vector<DWORD>;

// The icon of a file as the icon windows draw it: its large icon at 32 x 32 on their back
// colour.
Picture referencePicture(const std::wstring& file) {
    constexpr COLORREF kPictureBackground = 0x0080FFFF;
    const RECT all{0, 0, kIconSize, kIconSize};
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kIconSize, kIconSize);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    HBRUSH brush = ::CreateSolidBrush(kPictureBackground);
    ::FillRect(memory, &all, brush);
    ::DeleteObject(brush);
    HICON icon = nullptr;
    ::ExtractIconExW(file.c_str(), 0, &icon, nullptr, 1);
    ::DrawIconEx(memory, 0, 0, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    ::DestroyIcon(icon);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    // Read back through a copy of the screen's format, as the screen copy reads.
    Picture pixels(static_cast<size_t>(kIconSize) * kIconSize);
    BITMAPINFO info = topDown32(kIconSize, kIconSize);
    ::GetDIBits(screen, bitmap, 0, kIconSize, pixels.data(), &info, DIB_RGB_COLORS);
    for (DWORD& pixel : pixels) {
        pixel &= 0xFFFFFF;
    }
    ::DeleteObject(bitmap);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

// Which of the pictures the screen shows in the rectangle, or -1.
int shownPicture(const std::vector<Picture>& pictures, const RECT& rect) {
    const ScreenCopy now(rect);
    for (size_t k = 0; k < pictures.size(); ++k) {
        bool same = true;
        for (int y = 0; y < kIconSize && same; ++y) {
            for (int x = 0; x < kIconSize && same; ++x) {
                same = now.at(rect.left + x, rect.top + y) ==
                       pictures[k][static_cast<size_t>(y) * kIconSize + x];
            }
        }
        if (same) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

bool differsFrom(const ScreenCopy& empty, const RECT& rect) {
    const ScreenCopy now(rect);
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (now.at(x, y) != empty.at(x, y)) {
                return true;
            }
        }
    }
    return false;
}

// All four icons on the screen, each in a window of the process.
bool iconsShown(DWORD processId, const std::vector<Picture>& pictures, std::vector<RECT>& shown) {
    Search search{processId, {}};
    ::EnumWindows(collectIconWindows, reinterpret_cast<LPARAM>(&search));
    if (search.windows.size() < pictures.size()) {
        return false;
    }
    shown.clear();
    std::vector<bool> seen(pictures.size(), false);
    for (HWND window : search.windows) {
        RECT rect;
        if (::GetWindowRect(window, &rect)) {
            shown.push_back(rect);
            if (const int k = shownPicture(pictures, rect); k >= 0) {
                seen[static_cast<size_t>(k)] = true;
            }
        }
    }
    return std::all_of(seen.begin(), seen.end(), [](bool b) { return b; });
}

// Waits until the areas the last program's windows covered show the empty screen again, so
// the next program's identical icons are not taken for its own.
void waitUntilCleared(const ScreenCopy& empty, const std::vector<RECT>& areas) {
    for (int tries = 0; tries < 300; ++tries) {
        if (std::all_of(areas.begin(), areas.end(),
                        [&](const RECT& rect) { return !differsFrom(empty, rect); })) {
            return;
        }
        ::Sleep(10);
    }
}

double workingSetMiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        return 0.0;
    }
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// Idle: the process waits for input and its working set has stopped changing.
double idleWorkingSetMiB(HANDLE process) {
    ::WaitForInputIdle(process, kTimeoutMilliseconds);
    double last = workingSetMiB(process);
    for (int steady = 0, tries = 0; steady < 3 && tries < 40; ++tries) {
        ::Sleep(50);
        const double now = workingSetMiB(process);
        steady = now == last ? steady + 1 : 0;
        last = now;
    }
    return last;
}

std::optional<Run> runOnce(const Program& program, const ScreenCopy& empty,
                           const std::vector<Picture>& pictures) {
    std::wstring command = program.command;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          program.folder.c_str(), &startup, &info)) {
        std::fwprintf(stderr, L"cannot start %ls\n", program.command.c_str());
        return std::nullopt;
    }
    ::CloseHandle(info.hThread);

    std::optional<Run> run;
    std::vector<RECT> shown;
    for (;;) {
        if (iconsShown(info.dwProcessId, pictures, shown)) {
            LARGE_INTEGER now;
            ::QueryPerformanceCounter(&now);
            const double elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                                   static_cast<double>(frequency.QuadPart);
            run = Run{elapsed, idleWorkingSetMiB(info.hProcess)};
            break;
        }
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        if (now.QuadPart - start.QuadPart > frequency.QuadPart * kTimeoutMilliseconds / 1000 ||
            ::WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) {
            std::fwprintf(stderr, L"%ls showed not the four icons\n", program.name.c_str());
            break;
        }
        ::Sleep(1);
    }
    ::TerminateProcess(info.hProcess, 0);
    ::WaitForSingleObject(info.hProcess, kTimeoutMilliseconds);
    ::CloseHandle(info.hProcess);
    waitUntilCleared(empty, shown);
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 12) {
        std::fwprintf(stderr, L"usage: startup_timer ROUNDS NAME1 FOLDER1 COMMAND1 NAME2 "
                              L"FOLDER2 COMMAND2 ICON1 ICON2 ICON3 ICON4\n");
        return 2;
    }
    std::vector<Picture> pictures;
    for (int k = 8; k < 12; ++k) {
        pictures.push_back(referencePicture(argv[k]));
    }
    const int rounds = std::max(1, _wtoi(argv[1]));
    std::array<Program, 2> programs{Program{argv[2], argv[3], argv[4], {}, {}},
                                    Program{argv[5], argv[6], argv[7], {}, {}}};
    // The screen before any program runs: what an area shows where no window is.
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const ScreenCopy empty(RECT{left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)});
    for (int round = 0; round <= rounds; ++round) {
        // Each goes first every other round: whatever the one before leaves behind (a busy
        // wineserver, the X server still drawing) falls on both alike.
        for (const size_t k :
             round % 2 == 0 ? std::array<size_t, 2>{0, 1} : std::array<size_t, 2>{1, 0}) {
            Program& program = programs[k];
            const auto run = runOnce(program, empty, pictures);
            if (!run) {
                return 1;
            }
            if (round == 0) {
                continue; // warm-up
            }
            program.milliseconds.push_back(run->milliseconds);
            program.workingSetMiB.push_back(run->workingSetMiB);
            std::wprintf(L"round %2d  %-10ls %7.1f ms  %6.1f MiB\n", round, program.name.c_str(),
                         run->milliseconds, run->workingSetMiB);
        }
        std::fflush(stdout);
    }
    const double startMs[2] = {median(programs[0].milliseconds), median(programs[1].milliseconds)};
    const double workingSet[2] = {median(programs[0].workingSetMiB),
                                  median(programs[1].workingSetMiB)};
    for (size_t k = 0; k < 2; ++k) {
        std::wprintf(L"%ls: median %.1f ms until its four icons show, %.1f MiB working set once "
                     L"idle (%d rounds)\n",
                     programs[k].name.c_str(), startMs[k], workingSet[k], rounds);
    }
    std::wprintf(L"ratio %ls / %ls: time %.2f, working set %.2f\n", programs[0].name.c_str(),
                 programs[1].name.c_str(), startMs[0] / startMs[1], workingSet[0] / workingSet[1]);
    return 0;
}
