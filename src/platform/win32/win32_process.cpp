#include "platform/win32/win32_process.h"

#include "platform/win32/com_scope.h"
#include "platform/win32/unique.h"
#include "platform/win32/wide_string.h"

#include <windows.h>

#include <shellapi.h>

#include <iterator>
#include <utility>

namespace miruteka::win32 {

bool Win32ProcessApi::searchPath(const std::string& name) {
    const std::wstring wideName = toWide(name);
    wchar_t found[MAX_PATH + 1];
    // No path and no default extension: the default search order, the name as given. A
    // longer result than the buffer still returns its size, which still means "found".
    return ::SearchPathW(nullptr, wideName.c_str(), nullptr, static_cast<DWORD>(std::size(found)),
                         found, nullptr) != 0;
}

StartResult Win32ProcessApi::shellOpen(const ShellOpenRequest& request) {
    const std::wstring verb = toWide(request.verb);
    const std::wstring file = toWide(request.file);
    const std::wstring parameters = toWide(request.parameters);

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // NOASYNC: the call comes from a thread that ends right after it.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC |
                 (request.wantProcess ? SEE_MASK_NOCLOSEPROCESS : 0);
    info.hwnd = reinterpret_cast<HWND>(request.owner);
    info.lpVerb = verb.c_str();
    info.lpFile = file.c_str();
    // Empty strings rather than null: no parameters, and the started item works in our
    // current folder.
    info.lpParameters = parameters.c_str();
    info.lpDirectory = L"";
    info.nShow = request.show;

    StartResult result;
    const ComScope com;
    result.started = ::ShellExecuteExW(&info) != FALSE;
    const DWORD error = result.started ? ERROR_SUCCESS : ::GetLastError();
    result.declined = error == ERROR_CANCELLED;
    result.noSuchVerb = error == ERROR_NO_ASSOCIATION;
    ProcessHandle process(this, reinterpret_cast<std::uintptr_t>(info.hProcess));
    if (result.started) {
        result.process = std::move(process);
    }
    return result;
}

StartResult Win32ProcessApi::startProcess(const std::string& commandLine, bool wantProcess) {
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring line = toWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        return {};
    }
    const UniqueHandle thread(started.hThread);
    StartResult result;
    result.started = true;
    ProcessHandle process(this, reinterpret_cast<std::uintptr_t>(started.hProcess));
    if (wantProcess) {
        result.process = std::move(process);
    }
    return result;
}

ProcessWait Win32ProcessApi::waitForExitOrMessages(const ProcessHandle& process) {
    if (!process) {
        return ProcessWait::Ended;
    }
    HANDLE handle = reinterpret_cast<HANDLE>(process.value());
    // With a quit request put back in the queue, the queue never reads as empty: look at it
    // every 100 ms then instead of spinning. MWMO_INPUTAVAILABLE also wakes for messages
    // that an earlier peek has already seen.
    const DWORD result =
        quitPending_
            ? ::WaitForSingleObject(handle, 100)
            : ::MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result == WAIT_OBJECT_0 + 1 || result == WAIT_TIMEOUT) {
        return ProcessWait::Messages;
    }
    return ProcessWait::Ended; // the process ended, or the handle cannot be waited on
}

void Win32ProcessApi::pumpMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit request for the message loop that owns it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            quitPending_ = true;
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void Win32ProcessApi::closeProcess(std::uintptr_t value) {
    ::CloseHandle(reinterpret_cast<HANDLE>(value));
}

// The new process's id is not known before it starts (and a shell start may hand the item to
// a program that already runs): any process may take the foreground, until the next input.
void Win32ProcessApi::passForegroundRight() {
    ::AllowSetForegroundWindow(ASFW_ANY);
}

} // namespace miruteka::win32
