// Starting programs and documents: the raw operations the launcher builds on. Strings are
// UTF-8 here and UTF-16 on Windows.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace miruteka {

class ProcessApi;

// An owned process handle, closed when it goes out of scope. 0 is no handle.
class ProcessHandle {
  public:
    ProcessHandle() = default;
    ProcessHandle(ProcessApi* owner, std::uintptr_t value) : owner_(owner), value_(value) {}
    ProcessHandle(ProcessHandle&& other) noexcept
        : owner_(std::exchange(other.owner_, nullptr)), value_(std::exchange(other.value_, 0)) {}
    ProcessHandle& operator=(ProcessHandle&& other) noexcept {
        if (this != &other) {
            reset();
            owner_ = std::exchange(other.owner_, nullptr);
            value_ = std::exchange(other.value_, 0);
        }
        return *this;
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    ~ProcessHandle() { reset(); }

    std::uintptr_t value() const { return value_; }
    explicit operator bool() const { return value_ != 0; }
    void reset();

  private:
    ProcessApi* owner_ = nullptr;
    std::uintptr_t value_ = 0;
};

// A shell "open" (or another verb) of a file with a parameter string, in the caller's current
// folder.
struct ShellOpenRequest {
    std::string verb = "open"; // "runas": as administrator, after the elevation prompt
    std::string file;
    std::string parameters; // empty for none
    std::int32_t show = 1;  // nShow: the show command for the started program's window
    std::uintptr_t owner = 0;
    bool wantProcess = false; // ask for the started process's handle
};

// What ended a wait on a process.
enum class ProcessWait {
    Ended,   // the process has ended, or there is nothing to wait on
    Messages // window messages are waiting for this thread
};

struct StartResult {
    bool started = false;
    bool declined = false;   // the user said no to the elevation prompt (ERROR_CANCELLED)
    bool noSuchVerb = false; // the shell has no such verb for the file (ERROR_NO_ASSOCIATION)
    ProcessHandle process;   // only when asked for and the start gives one
};

class ProcessApi {
  public:
    virtual ~ProcessApi() = default;

    // True when the name, exactly as given (no extension added), is found along the default
    // search order (SearchPath with no path).
    virtual bool searchPath(const std::string& name) = 0;
    // ShellExecuteEx with the request's verb and no error UI.
    virtual StartResult shellOpen(const ShellOpenRequest& request) = 0;
    // Starts the whole command line as a process with a normal, focused window, in the
    // current folder. With wantProcess, the handle the start gave: opening the process again
    // by its id could reach another process that the system has given the id since.
    virtual StartResult startProcess(const std::string& commandLine, bool wantProcess) = 0;
    // Blocks until the process ends or window messages arrive for this thread. An empty
    // handle, or one that cannot be waited on, counts as ended.
    virtual ProcessWait waitForExitOrMessages(const ProcessHandle& process) = 0;
    // Dispatches the window messages waiting for this thread, then returns.
    virtual void pumpMessages() = 0;
    virtual void closeProcess(std::uintptr_t value) = 0;
    // On the thread that took the user's click: lets whatever this program starts next take
    // the foreground (AllowSetForegroundWindow), so it does not open behind other windows.
    virtual void passForegroundRight() = 0;
};

inline void ProcessHandle::reset() {
    if (owner_ != nullptr && value_ != 0) {
        owner_->closeProcess(value_);
    }
    owner_ = nullptr;
    value_ = 0;
}

} // namespace miruteka
