// The command line that opens a dropped file with a program: whatever the path (any
// characters a Windows file name can hold), the program splitting its parameters by the
// system's rules gets back exactly that one path.
#include "command_line_rules.h"
#include "fuzz_input.h"
#include "iconwin/icon_input.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace miruteka;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::string program(input.takeBytes(input.take<std::uint8_t>()));
    std::string dropped;
    for (const char c : input.rest()) {
        // Control characters and quotes never occur in a file's path.
        if (static_cast<unsigned char>(c) >= 0x20 && c != '"') {
            dropped += c;
        }
    }
    if (dropped.empty()) {
        return 0;
    }
    const std::string line = dropCommandLine(program, dropped);
    const std::string head = program + " ";
    if (!line.starts_with(head)) {
        std::fprintf(stderr, "the line does not start with the program\n");
        std::abort();
    }
    const auto arguments = splitArguments(std::string_view(line).substr(head.size()));
    if (arguments.size() != 1 || arguments[0] != dropped) {
        std::fprintf(stderr, "[%s] comes back as %zu arguments\n", dropped.c_str(),
                     arguments.size());
        std::abort();
    }
    return 0;
}
