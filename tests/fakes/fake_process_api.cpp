#include "fakes/fake_process_api.h"

namespace miruteka {

bool FakeProcessApi::searchPath(const std::string& name) {
    if (const auto slow = slowSearches.find(name); slow != slowSearches.end()) {
        slow->second->pass();
    }
    std::lock_guard lock(mutex_);
    searches.push_back(name);
    return found.count(name) != 0;
}

StartResult FakeProcessApi::shellOpen(const ShellOpenRequest& request) {
    std::lock_guard lock(mutex_);
    const bool elevated = request.verb == "runas";
    const bool ok = !shellFails && shellRefuses.count(request.file) == 0 &&
                    !(elevated && (elevationDeclined || elevationFails || elevationErrs));
    starts.push_back({Way::Shell, request.file, request.parameters, request.show, request.owner,
                      request.wantProcess, ok, request.verb});
    StartResult result;
    result.started = ok;
    result.declined = elevated && elevationDeclined;
    result.noSuchVerb = elevated && elevationFails;
    if (ok && request.wantProcess && shellGivesProcess) {
        result.process = newHandle();
    }
    return result;
}

StartResult FakeProcessApi::startProcess(const std::string& commandLine, bool wantProcess) {
    std::lock_guard lock(mutex_);
    starts.push_back({Way::Process, commandLine, {}, 0, 0, wantProcess, !processFails, {}});
    StartResult result;
    result.started = !processFails;
    if (result.started && wantProcess) {
        result.process = newHandle();
    }
    return result;
}

ProcessWait FakeProcessApi::waitForExitOrMessages(const ProcessHandle& process) {
    events.push_back("wait");
    if (!process || messageWakeups == 0) {
        return ProcessWait::Ended;
    }
    --messageWakeups;
    return ProcessWait::Messages;
}

void FakeProcessApi::pumpMessages() {
    events.push_back("pump");
    if (onPump) {
        onPump();
    }
}

void FakeProcessApi::closeProcess(std::uintptr_t value) {
    events.push_back("close");
    closed.push_back(value);
}

std::vector<std::string> FakeProcessApi::startedLines() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> lines;
    for (const Start& start : starts) {
        if (!start.succeeded) {
            continue;
        }
        lines.push_back(start.parameters.empty() ? start.file
                                                 : start.file + " " + start.parameters);
    }
    return lines;
}

std::vector<FakeProcessApi::Start> FakeProcessApi::shellStarts() const {
    std::vector<Start> picked;
    for (const Start& start : starts) {
        if (start.way == Way::Shell) {
            picked.push_back(start);
        }
    }
    return picked;
}

std::vector<FakeProcessApi::Start> FakeProcessApi::processStarts() const {
    std::vector<Start> picked;
    for (const Start& start : starts) {
        if (start.way == Way::Process) {
            picked.push_back(start);
        }
    }
    return picked;
}

ProcessHandle FakeProcessApi::newHandle() {
    ++handlesGiven;
    return ProcessHandle(this, static_cast<std::uintptr_t>(1000 + handlesGiven));
}

} // namespace miruteka
