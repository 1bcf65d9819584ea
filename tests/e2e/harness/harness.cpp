#include "e2e/harness/harness.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace e2e {

std::filesystem::path buildFolder() {
    wchar_t buffer[MAX_PATH];
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    return std::filesystem::path(std::wstring(buffer, length)).parent_path();
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return condition();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ProgramFolder::ProgramFolder() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
    static int counter = 0;
    for (;;) {
        path_ = std::filesystem::path(temp) /
                (L"miruteka-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter));
        if (std::filesystem::create_directory(path_)) {
            break;
        }
    }
    if (const wchar_t* package = _wgetenv(L"MIRUTEKA_E2E_PROGRAM_FOLDER")) {
        for (const auto& entry : std::filesystem::directory_iterator(package)) {
            std::filesystem::copy_file(entry.path(), path_ / entry.path().filename());
        }
        return;
    }
    const auto source = buildFolder();
    std::filesystem::copy_file(source / L"miruteka.exe", exe());
    if (std::filesystem::exists(source / L"help.html")) {
        std::filesystem::copy_file(source / L"help.html", path_ / L"help.html");
    }
}

ProgramFolder::~ProgramFolder() {
    std::error_code ignored;
    // A just-ended process may hold its exe for a moment.
    waitUntil(
        [&] {
            std::filesystem::remove_all(path_, ignored);
            return !std::filesystem::exists(path_);
        },
        std::chrono::milliseconds(2000));
}

Instance::Instance(const std::filesystem::path& exe) {
    std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
    const std::wstring folder = exe.parent_path().wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &info)) {
        throw std::runtime_error("cannot start miruteka.exe");
    }
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    ::WaitForInputIdle(process_, 5000);
}

Instance::~Instance() {
    if (process_ != nullptr) {
        kill();
        ::CloseHandle(process_);
    }
}

bool Instance::running() const {
    return ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Instance::waitForExit(std::chrono::milliseconds timeout) const {
    return ::WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD Instance::exitCode() const {
    DWORD code = 0;
    ::GetExitCodeProcess(process_, &code);
    return code;
}

void Instance::kill() {
    // What it started goes first, so nothing it is starting is cut off halfway by its end; what
    // it managed to start meanwhile goes after.
    endStartedProcesses();
    if (running()) {
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, 5000);
    }
    endStartedProcesses();
}

// Under Wine a process whose starter was ended while starting it can hang in its start-up for
// good, holding the test's output pipe open; what the instance started, and what those
// started, ends with it.
void Instance::endStartedProcesses() const {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return;
    }
    std::vector<PROCESSENTRY32W> processes;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
         more = ::Process32NextW(snapshot, &entry)) {
        processes.push_back(entry);
    }
    ::CloseHandle(snapshot);
    std::vector<DWORD> family{processId_};
    for (size_t at = 0; at < family.size(); ++at) {
        for (const PROCESSENTRY32W& process : processes) {
            if (process.th32ParentProcessID == family[at] &&
                std::find(family.begin(), family.end(), process.th32ProcessID) == family.end()) {
                family.push_back(process.th32ProcessID);
            }
        }
    }
    for (size_t at = family.size(); at-- > 1;) {
        if (HANDLE child = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, family[at])) {
            ::TerminateProcess(child, 1);
            ::WaitForSingleObject(child, 5000);
            ::CloseHandle(child);
        }
    }
}

std::vector<std::wstring> Instance::loadedModules() const {
    std::vector<std::wstring> names;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId_);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return names;
    }
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = ::Module32FirstW(snapshot, &module); more;
         more = ::Module32NextW(snapshot, &module)) {
        std::wstring name = module.szModule;
        std::transform(name.begin(), name.end(), name.begin(), ::towlower);
        names.push_back(name);
    }
    ::CloseHandle(snapshot);
    return names;
}

namespace {

struct EnumContext {
    DWORD processId;
    const wchar_t* className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM lParam) {
    auto* context = reinterpret_cast<EnumContext*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != context->processId) {
        return TRUE;
    }
    if (context->visibleOnly && !::IsWindowVisible(window)) {
        return TRUE;
    }
    if (context->className != nullptr && className(window) != context->className) {
        return TRUE;
    }
    context->found.push_back(window);
    return TRUE;
}

std::vector<HWND> enumerate(DWORD processId, const wchar_t* className, bool visibleOnly) {
    EnumContext context{processId, className, visibleOnly, {}};
    ::EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

} // namespace

std::vector<HWND> Instance::windows(const wchar_t* className) const {
    return enumerate(processId_, className, false);
}

std::vector<HWND> Instance::visibleWindows(const wchar_t* className) const {
    return enumerate(processId_, className, true);
}

namespace {

HWND waitForFirst(const std::function<std::vector<HWND>()>& collect,
                  std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            const auto all = collect();
            found = all.empty() ? nullptr : all.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

} // namespace

HWND Instance::waitForWindow(const wchar_t* className, std::chrono::milliseconds timeout) const {
    return waitForFirst([&] { return windows(className); }, timeout);
}

HWND Instance::waitForVisibleWindow(const wchar_t* className,
                                    std::chrono::milliseconds timeout) const {
    return waitForFirst([&] { return visibleWindows(className); }, timeout);
}

RECT windowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

std::wstring windowText(HWND window) {
    wchar_t buffer[512];
    const int length = ::GetWindowTextW(window, buffer, static_cast<int>(std::size(buffer)));
    return std::wstring(buffer, static_cast<size_t>(length));
}

std::wstring className(HWND window) {
    wchar_t buffer[256];
    const int length = ::GetClassNameW(window, buffer, static_cast<int>(std::size(buffer)));
    return std::wstring(buffer, static_cast<size_t>(length));
}

namespace {

void sendPointerTo(int x, int y) {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute coordinates run 0..65535 over the virtual screen; aim at the pixel's centre.
    input.mi.dx = static_cast<LONG>(((x - left) * 65536LL + 32768) / width);
    input.mi.dy = static_cast<LONG>(((y - top) * 65536LL + 32768) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    ::SendInput(1, &input, sizeof input);
}

} // namespace

void movePointer(int x, int y) {
    const auto there = [&] {
        const POINT now = pointerPosition();
        return now.x == x && now.y == y;
    };
    // Under Wine a program can replay an older pointer position from its own X events just
    // after a move, and a press then lands where the pointer was before: move again until
    // the pointer stays put for a moment.
    for (int attempt = 0; attempt < 5; ++attempt) {
        sendPointerTo(x, y);
        if (waitUntil(there, std::chrono::milliseconds(1000)) &&
            !waitUntil([&] { return !there(); }, std::chrono::milliseconds(150))) {
            return;
        }
    }
}

POINT pointerPosition() {
    POINT point{};
    ::GetCursorPos(&point);
    return point;
}

namespace {

void sendButton(Button button, bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    switch (button) {
    case Button::Left:
        input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        break;
    case Button::Right:
        input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
        break;
    case Button::Middle:
        input.mi.dwFlags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
        break;
    }
    ::SendInput(1, &input, sizeof input);
}

} // namespace

void press(Button button) {
    sendButton(button, true);
}
void release(Button button) {
    sendButton(button, false);
}
void click(Button button) {
    press(button);
    release(button);
}

void sendKey(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof input);
}

void pressKeys(const std::vector<WORD>& keys) {
    for (WORD key : keys) {
        sendKey(key, true);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        sendKey(*key, false);
    }
}

void pressHotKey(LRESULT word) {
    const BYTE flags = HIBYTE(LOWORD(word));
    std::vector<WORD> keys;
    for (const auto& [flag, key] : {std::pair<BYTE, WORD>{HOTKEYF_CONTROL, VK_CONTROL},
                                    {HOTKEYF_SHIFT, VK_SHIFT},
                                    {HOTKEYF_ALT, VK_MENU}}) {
        if ((flags & flag) != 0) {
            keys.push_back(key);
        }
    }
    keys.push_back(LOBYTE(LOWORD(word)));
    // Wine sees no key at all while no window is in front (the settings window has just
    // closed); a user has some program there.
    HWND front = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 1000,
                                   8, 8, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(front);
    waitUntil([&] { return ::GetForegroundWindow() == front; });
    pressKeys(keys);
    ::DestroyWindow(front);
}

std::array<HWND, 4> waitForIconWindows(const Instance& instance,
                                       std::chrono::milliseconds timeout) {
    std::array<HWND, 4> windows{};
    waitUntil(
        [&] {
            for (int group = 1; group <= 4; ++group) {
                const auto found =
                    instance.windows((L"MirutekaForm" + std::to_wstring(group)).c_str());
                windows[group - 1] = found.empty() ? nullptr : found.front();
            }
            return std::all_of(windows.begin(), windows.end(),
                               [](HWND window) { return window != nullptr; });
        },
        timeout);
    return windows;
}

std::array<POINT, 4> cornersOf(const std::array<HWND, 4>& windows) {
    std::array<POINT, 4> corners{};
    for (size_t k = 0; k < windows.size(); ++k) {
        const RECT rect = windowRect(windows[k]);
        corners[k] = POINT{rect.left, rect.top};
    }
    return corners;
}

bool sameCorners(const std::array<POINT, 4>& a, const std::array<POINT, 4>& b) {
    for (size_t k = 0; k < a.size(); ++k) {
        if (a[k].x != b[k].x || a[k].y != b[k].y) {
            return false;
        }
    }
    return true;
}

std::string describeCorners(const std::array<POINT, 4>& corners) {
    std::string text;
    for (const POINT& corner : corners) {
        text += (text.empty() ? "(" : " (") + std::to_string(corner.x) + ", " +
                std::to_string(corner.y) + ")";
    }
    return text;
}

bool waitForCorners(const std::array<HWND, 4>& windows, const std::array<POINT, 4>& corners,
                    std::chrono::milliseconds timeout) {
    return waitUntil([&] { return sameCorners(cornersOf(windows), corners); }, timeout);
}

bool setMonitors(const std::vector<RECT>& monitors) {
    // The stand-in Xinerama reads the heads from this Unix path at each change.
    const wchar_t* layout = _wgetenv(L"MIRUTEKA_MONITORS");
    if (layout == nullptr) {
        return false;
    }
    std::string heads;
    for (const RECT& m : monitors) {
        heads += std::to_string(m.left) + " " + std::to_string(m.top) + " " +
                 std::to_string(m.right - m.left) + " " + std::to_string(m.bottom - m.top) + "\n";
    }
    writeBytes(std::wstring(L"Z:") + layout, heads);
    Instance change(buildFolder() / L"display_change.exe");
    return change.waitForExit() && change.exitCode() == 0 && waitUntil([&] {
               return ::GetSystemMetrics(SM_CMONITORS) == static_cast<int>(monitors.size());
           });
}

COLORREF screenPixel(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

bool hasPixelOtherThan(const RECT& area, COLORREF colour) {
    HDC screen = ::GetDC(nullptr);
    bool found = false;
    for (int y = area.top; y < area.bottom && !found; ++y) {
        for (int x = area.left; x < area.right && !found; ++x) {
            found = ::GetPixel(screen, x, y) != colour;
        }
    }
    ::ReleaseDC(nullptr, screen);
    return found;
}

} // namespace e2e
