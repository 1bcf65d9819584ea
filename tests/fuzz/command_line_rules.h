// How a Windows program splits its command line (CommandLineToArgvW and the C runtime):
// the rules a line built for another program must survive.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace miruteka {

// The program name at the start of a line: up to the next quote when the line begins with
// one, else up to the first blank or tab.
inline std::string programNameOf(std::string_view line) {
    if (line.starts_with('"')) {
        line.remove_prefix(1);
        return std::string(line.substr(0, line.find('"')));
    }
    return std::string(line.substr(0, line.find_first_of(" \t")));
}

// The arguments after the program name. Blanks and tabs separate arguments outside quotes;
// 2n backslashes before a quote give n backslashes and the quote opens or closes a quoted
// part; 2n + 1 backslashes before a quote give n backslashes and a literal quote; other
// backslashes are literal. Inside a quoted part, "" gives a literal quote.
inline std::vector<std::string> splitArguments(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t at = 0;
    for (;;) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) {
            ++at;
        }
        if (at == line.size()) {
            return arguments;
        }
        std::string argument;
        bool quoted = false;
        while (at < line.size() && (quoted || (line[at] != ' ' && line[at] != '\t'))) {
            std::size_t backslashes = 0;
            while (at < line.size() && line[at] == '\\') {
                ++backslashes;
                ++at;
            }
            if (at < line.size() && line[at] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                    argument += '"';
                    ++at;
                } else {
                    quoted = !quoted;
                }
                ++at;
            } else {
                argument.append(backslashes, '\\');
                if (backslashes == 0 && at < line.size()) {
                    argument += line[at++];
                }
            }
        }
        arguments.push_back(std::move(argument));
    }
}

} // namespace miruteka
