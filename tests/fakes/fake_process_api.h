// A process API that starts nothing: it records every start attempt (shell opens and direct
// process starts, in order), answers file searches from a set of names, and plays a process
// that runs while a chosen number of message wake-ups come.
//
//   FakeProcessApi processes;
//   processes.addFound("C:\\tools\\edit.exe");        // what SearchPath finds
//   cExecute(processes).ShellX("C:\\tools\\edit.exe a b.txt", 1, 0, false);
//   processes.starts[0].file == "C:\\tools\\edit.exe", .parameters == "a b.txt"
//   processes.startedLines() == {"C:\\tools\\edit.exe a b.txt"}
#pragma once

#include "platform/process.h"

#include "fakes/fake_background_work.h"
#include <cstdint>

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace miruteka {

class FakeProcessApi : public ProcessApi {
  public:
    enum class Way { Shell, Process };
    struct Start {
        Way way = Way::Shell;
        std::string file;       // Shell: the file; Process: the whole command line
        std::string parameters; // Shell only
        std::int32_t show = 0;  // Shell only: nShow as passed
        std::uintptr_t owner = 0;
        bool wantProcess = false;
        bool succeeded = false;
        std::string verb; // Shell only
    };

    void addFound(const std::string& name) { found.insert(name); }

    bool searchPath(const std::string& name) override;
    StartResult shellOpen(const ShellOpenRequest& request) override;
    StartResult startProcess(const std::string& commandLine, bool wantProcess) override;
    ProcessWait waitForExitOrMessages(const ProcessHandle& process) override;
    void pumpMessages() override;
    void closeProcess(std::uintptr_t value) override;
    void passForegroundRight() override { foregroundPasses.push_back(starts.size()); }

    // The successful starts as command lines: "file parameters" for the shell (just the file
    // when there are none), the command line for a direct start.
    std::vector<std::string> startedLines() const;
    std::vector<Start> shellStarts() const;
    std::vector<Start> processStarts() const;
    // Handles given out and not closed yet.
    int openHandles() const { return handlesGiven - static_cast<int>(closed.size()); }

    // What searchPath finds (exact names).
    std::set<std::string> found;
    // Searches for these names wait at their gate: a share that does not answer.
    std::map<std::string, Gate*> slowSearches;
    // The shell refuses everything, or just these files.
    bool shellFails = false;
    std::set<std::string> shellRefuses;
    // Whether a shell start asked for a process handle gets one (a document handed to an
    // already running program gives none).
    bool shellGivesProcess = true;
    // What the elevation prompt gets: a no (declined); or the shell has no elevation for the
    // file (fails), or it fails for another reason (errs).
    bool elevationDeclined = false;
    bool elevationFails = false;
    bool elevationErrs = false;
    // Whether a direct start fails.
    bool processFails = false;
    // Waits that wake for window messages before the process ends.
    int messageWakeups = 0;
    // Called on every pumpMessages, as if window messages were dispatched.
    std::function<void()> onPump;

    std::vector<Start> starts;
    std::vector<std::string> searches;
    // The order of the waiting calls: "wait", "pump", "close".
    std::vector<std::string> events;
    std::vector<std::uintptr_t> closed;
    int handlesGiven = 0;
    // For each pass of the foreground right: how many starts had been made before it.
    std::vector<std::size_t> foregroundPasses;

  private:
    ProcessHandle newHandle();
    mutable std::mutex mutex_; // starts run side by side off the user-interface thread
};

} // namespace miruteka
