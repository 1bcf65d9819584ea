// The end-to-end harness: start miruteka.exe in a fresh program folder, find its windows,
// drive the pointer and buttons with SendInput, read pixels and files, and always end the
// instance, also when a test fails.
#pragma once

#include <windows.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// The folder holding this test program (and miruteka.exe, help.html and the helper programs).
std::filesystem::path buildFolder();

// Polls the condition every 20 ms until it holds or the timeout passes.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

// A fresh, writable program folder with a copy of miruteka.exe (and help.html); removed
// with everything in it when the object goes. When MIRUTEKA_E2E_PROGRAM_FOLDER names a
// folder (an unpacked download), the copy is of every file in it instead.
class ProgramFolder {
  public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path exe() const { return path_ / L"miruteka.exe"; }
    std::filesystem::path listFile() const { return path_ / L"filelist.txt"; }

  private:
    std::filesystem::path path_;
};

// One started miruteka.exe. The destructor ends it if it still runs.
class Instance {
  public:
    explicit Instance(const std::filesystem::path& exe);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    DWORD processId() const { return processId_; }
    HANDLE process() const { return process_; }
    bool running() const;
    // Waits for the process to end; true when it did within the timeout.
    bool waitForExit(std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) const;
    DWORD exitCode() const;
    // Ends the instance at once (TerminateProcess), and every process it started that still
    // runs, and waits for them.
    void kill();

    // The file names of the DLLs the process has loaded, in lower case ("comdlg32.dll").
    std::vector<std::wstring> loadedModules() const;

    // Top-level windows of the process, visible or not, optionally of one class.
    std::vector<HWND> windows(const wchar_t* className = nullptr) const;
    std::vector<HWND> visibleWindows(const wchar_t* className = nullptr) const;
    // Waits until the process has a top-level window of the class (or any window).
    HWND waitForWindow(const wchar_t* className = nullptr,
                       std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) const;
    // The same for a shown window: one shown has been placed and has its texts.
    HWND
    waitForVisibleWindow(const wchar_t* className,
                         std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) const;

  private:
    void endStartedProcesses() const;

    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

RECT windowRect(HWND window);
std::wstring windowText(HWND window);
std::wstring className(HWND window);

// The pointer and the buttons, through SendInput so windows see real mouse messages.
// Moves the pointer and waits until it stays there.
void movePointer(int x, int y);
POINT pointerPosition();
enum class Button { Left, Right, Middle };
void press(Button button);
void release(Button button);
void click(Button button);
// A key going down or up (VK_CONTROL, VK_SHIFT, VK_ESCAPE), as the keyboard sends it.
void sendKey(WORD virtualKey, bool down);
// The keys pressed in order and released the other way round (VK_SHIFT, VK_RETURN).
void pressKeys(const std::vector<WORD>& keys);
// The key of a hotkey control's word (HKM_GETHOTKEY), pressed and released with its
// modifiers while a window of this program is in front.
void pressHotKey(LRESULT word);

// The icon windows Form1..Form4 (classes "MirutekaForm1".."MirutekaForm4"), once all four
// exist; null entries when they do not appear within the timeout.
std::array<HWND, 4>
waitForIconWindows(const Instance& instance,
                   std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
// The top-left corners of windows, in screen pixels.
std::array<POINT, 4> cornersOf(const std::array<HWND, 4>& windows);
bool sameCorners(const std::array<POINT, 4>& a, const std::array<POINT, 4>& b);
// "(x, y) (x, y) (x, y) (x, y)", for failure messages.
std::string describeCorners(const std::array<POINT, 4>& corners);
// Waits until the windows stand at these corners; true when they do.
bool waitForCorners(const std::array<HWND, 4>& windows, const std::array<POINT, 4>& corners,
                    std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// In the two-monitor pass of scripts/test: makes Wine show these monitors, to every program
// at once (each gets WM_DISPLAYCHANGE, from display_change.exe). True once this program sees
// them.
bool setMonitors(const std::vector<RECT>& monitors);

// A pixel of the screen as 0x00BBGGRR.
COLORREF screenPixel(int x, int y);
// True when the rectangle holds some pixel other than the colour.
bool hasPixelOtherThan(const RECT& area, COLORREF colour);

} // namespace e2e
