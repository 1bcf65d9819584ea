// The launcher's split of a command line into file and parameters, with any set of names
// that the file search finds, and its direct start when the shell refuses. The file is the
// whole line when it is found, else the longest found part before a blank (never one at
// the start); the direct start names exactly that file as its program.
#include "command_line_rules.h"
#include "fakes/fake_process_api.h"
#include "fuzz_input.h"
#include "launch/execute.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace miruteka;

namespace {

void fail(const char* what, const std::string& line) {
    std::fprintf(stderr, "%s for the line [%s]\n", what, line.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto foundCuts = input.take<std::uint32_t>(); // bit i: the i-th cut from the end
    const auto flags = input.take<std::uint8_t>();
    const std::string line(input.rest());

    FakeProcessApi processes;
    processes.shellFails = (flags & 1) != 0;
    if ((flags & 2) != 0) {
        processes.addFound(line);
    }
    std::vector<std::size_t> cuts; // blank positions after the first character, last first
    for (std::size_t at = line.size(); at-- > 1;) {
        if (line[at] == ' ') {
            if (cuts.size() < 32 && (foundCuts >> cuts.size() & 1) != 0) {
                processes.addFound(line.substr(0, at));
            }
            cuts.push_back(at);
        }
    }

    const bool started = cExecute(processes).ShellX(line, 1, 0, false);
    if (line.empty()) {
        if (started || !processes.starts.empty()) {
            fail("a start of an empty line", line);
        }
        return 0;
    }
    if (processes.starts.empty()) {
        return 0; // refused as too long (the limit has its own test)
    }

    std::string file = line;
    std::string parameters;
    if (processes.found.count(line) == 0) {
        for (const std::size_t cut : cuts) {
            if (processes.found.count(line.substr(0, cut)) != 0) {
                file = line.substr(0, cut);
                parameters = line.substr(cut + 1);
                break;
            }
        }
    }
    // The searches: the whole line, then each cut from the last blank back to the one found.
    std::vector<std::string> searches{line};
    for (std::size_t i = 0; processes.found.count(line) == 0 && i < cuts.size(); ++i) {
        searches.push_back(line.substr(0, cuts[i]));
        if (searches.back() == file) {
            break;
        }
    }
    if (processes.searches != searches) {
        fail("other searches", line);
    }
    const FakeProcessApi::Start& shell = processes.starts[0];
    if (shell.way != FakeProcessApi::Way::Shell || shell.file != file ||
        shell.parameters != parameters) {
        fail("a wrong split", line);
    }
    if (!processes.shellFails) {
        if (!started || processes.starts.size() != 1) {
            fail("a start after the shell's", line);
        }
        return 0;
    }
    const auto direct = processes.processStarts();
    // Nothing found and a bare program name first: the line goes as it is, for the search.
    const std::string_view firstWord = std::string_view(line).substr(0, line.find(' '));
    if (file == line && processes.found.count(line) == 0 &&
        firstWord.find_first_of("\\/:\"") == std::string_view::npos) {
        if (!started || direct.size() != 1 || direct[0].file != line) {
            fail("a bare program name not started as it is", line);
        }
        return 0;
    }
    const bool quotedName = file.starts_with('"') && file.find('"', 1) != std::string::npos;
    if (file.find('"') != std::string::npos && !quotedName) {
        if (started || !direct.empty()) {
            fail("a direct start of a name with a quote inside", line);
        }
        return 0;
    }
    if (!started || direct.size() != 1) {
        fail("no direct start", line);
    }
    const std::string& startedLine = direct[0].file;
    const std::string program = quotedName ? programNameOf(file) : file;
    if (programNameOf(startedLine) != program) {
        fail("the direct start names another program", line);
    }
    return 0;
}
