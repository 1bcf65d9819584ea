#include "platform/win32/win32_background_work.h"

#include <memory>

namespace miruteka::win32 {
namespace {

constexpr UINT kAnswerMessage = WM_APP + 0x30;

// What a work thread gets: the work and where its answer goes. Only the window handle is
// kept, never this object, which may be gone by the time the work ends.
struct Job {
    HWND answers = nullptr;
    BackgroundWork::Work work;
};

void postAnswer(HWND window, BackgroundWork::Answer answer) {
    if (!answer) {
        return;
    }
    auto posted = std::make_unique<BackgroundWork::Answer>(std::move(answer));
    if (::PostMessageW(window, kAnswerMessage, 0, reinterpret_cast<LPARAM>(posted.get()))) {
        posted.release(); // the window's handler owns it now
    }
}

void runJob(std::unique_ptr<Job> job) {
    BackgroundWork::Answer answer;
    try {
        answer = job->work();
    } catch (...) {
        // Nothing to tell: the work's owner guards what must always get an answer.
    }
    job->work = nullptr;
    postAnswer(job->answers, std::move(answer));
}

DWORD WINAPI threadCallback(void* context) {
    runJob(std::unique_ptr<Job>(static_cast<Job*>(context)));
    return 0;
}

void deliver(LPARAM lParam) {
    std::unique_ptr<BackgroundWork::Answer> answer(
        reinterpret_cast<BackgroundWork::Answer*>(lParam));
    try {
        (*answer)();
    } catch (...) {
        // No exception leaves a window procedure.
    }
}

// The answers' window keeps no state: each answer carries all it needs.
LRESULT CALLBACK answersWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAnswerMessage) {
        deliver(lParam);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND createAnswersWindow() {
    constexpr const wchar_t* kClassName = L"MirutekaBackgroundAnswers";
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    if (!::GetClassInfoExW(instance, kClassName, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = answersWindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        ::RegisterClassExW(&windowClass);
    }
    return ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                             nullptr);
}

} // namespace

Win32BackgroundWork::Win32BackgroundWork() : window_(createAnswersWindow()) {}

Win32BackgroundWork::~Win32BackgroundWork() {
    // Answers already posted are freed without running: what they would update is going.
    MSG message;
    while (hwnd() != nullptr &&
           ::PeekMessageW(&message, hwnd(), kAnswerMessage, kAnswerMessage, PM_REMOVE)) {
        std::unique_ptr<Answer> dropped(reinterpret_cast<Answer*>(message.lParam));
    }
}

void Win32BackgroundWork::run(Work work) {
    auto job = std::make_unique<Job>(Job{hwnd(), std::move(work)});
    // A thread of its own for each work item: one that sits in a network call for a minute
    // holds up no other, and none is left running or waiting once its item is done.
    if (HANDLE thread = ::CreateThread(nullptr, 0, threadCallback, job.get(), 0, nullptr)) {
        job.release();
        ::CloseHandle(thread);
        return;
    }
    runJob(std::move(job)); // no thread to be had: late is better than never
}

void Win32BackgroundWork::waitForAnswers(const std::function<bool()>& done,
                                         std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG message;
        while (!done() &&
               ::PeekMessageW(&message, hwnd(), kAnswerMessage, kAnswerMessage, PM_REMOVE)) {
            deliver(message.lParam);
        }
        if (done()) {
            return;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return;
        }
        // Wakes for a newly posted message; the loop above picks out the answers.
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left.count()), QS_POSTMESSAGE,
                                      0);
    }
}

} // namespace miruteka::win32
