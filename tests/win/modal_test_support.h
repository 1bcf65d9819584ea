// Helpers for in-process tests of modal windows: pump messages until a condition holds, run
// steps from inside a nested message loop, and answer dialog boxes from another thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace miruteka::win32::testing {

// Dispatches this thread's messages until the condition holds or the timeout passes.
inline bool pumpUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Runs the step once on this thread, from the first timer tick of whatever message loop runs
// next (a modal window's, for instance).
inline void runSoon(std::function<void()> step) {
    static std::function<void()> pending;
    pending = std::move(step);
    ::SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        auto run = std::move(pending);
        pending = nullptr;
        if (run) {
            run();
        }
    });
}

inline std::wstring textOf(HWND window) {
    wchar_t text[1024] = {};
    ::GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

inline std::wstring classOf(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

// A visible dialog box (#32770) of the thread with this title, if there is one.
inline HWND findDialogBox(DWORD thread, const std::wstring& title) {
    struct Search {
        const std::wstring* title;
        HWND found;
    } search{&title, nullptr};
    ::EnumThreadWindows(
        thread,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (::IsWindowVisible(window) && classOf(window) == L"#32770" &&
                (s->title->empty() || textOf(window) == *s->title)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Watches from another thread for a dialog box of the given thread and title; when one shows,
// lets `answer` act on it (from the watching thread) and stops.
class DialogBoxWatcher {
  public:
    DialogBoxWatcher(DWORD thread, std::wstring title, std::function<void(HWND)> answer)
        : worker_([this, thread, title = std::move(title), answer = std::move(answer)] {
              const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
              while (!stop_ && std::chrono::steady_clock::now() < deadline) {
                  if (HWND box = findDialogBox(thread, title)) {
                      answer(box);
                      seen_ = true;
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          }) {}
    DialogBoxWatcher(const DialogBoxWatcher&) = delete;
    DialogBoxWatcher& operator=(const DialogBoxWatcher&) = delete;
    ~DialogBoxWatcher() {
        stop_ = true;
        worker_.join();
    }

    bool seen() const { return seen_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> seen_{false};
    std::thread worker_;
};

// Two quick left clicks at the window's centre through real input; the system makes the
// second a double click. Dispatch messages to see them.
inline void doubleClick(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT inputs[4]{};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    ::SendInput(4, inputs, sizeof(INPUT));
}

// The text of a message box (its static control 0xFFFF).
inline std::wstring messageBoxText(HWND box) {
    return textOf(::GetDlgItem(box, 0xFFFF));
}

} // namespace miruteka::win32::testing
