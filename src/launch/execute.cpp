#include "launch/execute.h"

#include <optional>

namespace miruteka {
namespace {

// CreateProcess takes at most 32,767 characters with the terminating null, and positions in a
// command line are 16-bit counts; longer lines are refused before anything runs.
constexpr std::size_t kMaxCommandLineUnits = 32766;

// The line's length as Windows counts it: UTF-16 code units.
std::size_t utf16Length(const std::string& utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) {
            ++units; // a lead byte or ASCII starts a character
        }
        if (byte >= 0xF0) {
            ++units; // four-byte sequences become surrogate pairs
        }
    }
    return units;
}

// Whether the first word of a line is a bare program name for the system's search
// ("notepad"): no path, and no quote that would end or extend a quoted name.
bool startsWithBareName(std::string_view line) {
    return line.substr(0, line.find(' ')).find_first_of("\\/:\"") == std::string_view::npos;
}

// The line for the direct start: the file the split found, quoted, then the parameters.
// Unquoted, CreateProcess would try every part of a path with blanks in turn, shortest
// first: "C:\Program.exe" before "C:\Program Files\Old Tool\tool.exe". A file part that
// begins with a quoted name names its program itself. Any other quote (no real file name
// holds one) would end or extend the quoted name elsewhere, so such a line is not started.
// A line where nothing was found and whose first word is a bare program name
// ("notepad readme.txt") goes as it is, for the system to search that name.
std::optional<std::string> directStartLine(const ShellOpenRequest& request, bool found) {
    const std::string& file = request.file;
    if (!found && startsWithBareName(file)) {
        return file;
    }
    std::string line;
    if (file.starts_with('"') && file.find('"', 1) != std::string::npos) {
        line = file;
    } else if (file.find('"') != std::string::npos) {
        return std::nullopt;
    } else {
        line = '"' + file + '"';
    }
    if (!request.parameters.empty()) {
        line += ' ';
        line += request.parameters;
    }
    return line;
}

// Waits on the process itself: its exit code cannot tell, since a program may well end
// with 259, the code that means "still running". Window messages are dispatched as they
// arrive, so the windows and the motion timer carry on meanwhile.
void waitForExit(ProcessApi& processes, const ProcessHandle& process) {
    while (processes.waitForExitOrMessages(process) == ProcessWait::Messages) {
        processes.pumpMessages();
    }
}

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool endsWithNoCase(std::string_view text, std::string_view tail) {
    if (text.size() < tail.size()) {
        return false;
    }
    text.remove_prefix(text.size() - tail.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (lowered(text[i]) != tail[i]) {
            return false;
        }
    }
    return true;
}

// The kinds of file whose shell registration has a "runas" verb on every Windows.
constexpr std::string_view kElevatableExtensions[] = {".exe", ".com", ".bat",
                                                      ".cmd", ".msc", ".lnk"};

} // namespace

bool canRunAsAdministrator(std::string_view file) {
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
        file = file.substr(1, file.size() - 2);
    }
    for (std::string_view extension : kElevatableExtensions) {
        if (endsWithNoCase(file, extension)) {
            return true;
        }
    }
    return false;
}

bool cExecute::ShellX(const std::string& strCommandLine, int32_t WindowStyle,
                      std::uintptr_t lngOwnerhWnd, bool blnWait, StartVerb verb) {
    if (strCommandLine.empty() || utf16Length(strCommandLine) > kMaxCommandLineUnits) {
        return false;
    }

    // The file is the whole line if it names something; else the longest part before a blank
    // that does, tried from the last blank back. A leading blank never splits.
    ShellOpenRequest request;
    request.file = strCommandLine;
    request.show = WindowStyle;
    request.owner = lngOwnerhWnd;
    request.wantProcess = blnWait;
    bool found = FindFile(strCommandLine);
    if (!found) {
        for (std::size_t blank = strCommandLine.rfind(' '); blank != std::string::npos && blank > 0;
             blank = strCommandLine.rfind(' ', blank - 1)) {
            const std::string candidate = strCommandLine.substr(0, blank);
            if (FindFile(candidate)) {
                request.file = candidate;
                request.parameters = strCommandLine.substr(blank + 1);
                found = true;
                break;
            }
        }
    }

    StartResult opened;
    if (verb == StartVerb::RunAs && canRunAsAdministrator(request.file)) {
        ShellOpenRequest elevated = request;
        elevated.verb = "runas";
        opened = processes_.shellOpen(elevated);
        // The user's No, or an elevation that failed: either way nothing runs unelevated
        // in its place. Only a file the shell cannot elevate after all opens as usual.
        if (!opened.started && !opened.noSuchVerb) {
            return false;
        }
    }
    if (!opened.started) {
        opened = processes_.shellOpen(request);
    }
    if (opened.started) {
        if (blnWait) {
            waitForExit(processes_, opened.process);
        }
        return true;
    }

    // The shell refused: start the program the split found directly. Errors stay silent.
    const auto line = directStartLine(request, found);
    if (!line) {
        return false;
    }
    StartResult started = processes_.startProcess(*line, blnWait);
    if (!started.started) {
        return false;
    }
    if (blnWait) {
        waitForExit(processes_, started.process);
    }
    return true;
}

bool cExecute::FindFile(const std::string& name) {
    return processes_.searchPath(name);
}

} // namespace miruteka
