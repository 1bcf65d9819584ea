// Writes a list file for a test: five settings and the 4 x 10 names and paths, in code page
// 932 (or UTF-8 with a mark) with CR LF line ends, as the program stores it.
#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace e2e {

struct ListFileContents {
    // Timer interval, move threshold, mouse gap, icon gap, unlock distance.
    std::array<int, 5> settings{200, 10, 30, 20, 30};
    std::array<std::wstring, 40> names;
    std::array<std::wstring, 40> paths;
    bool utf8 = false;

    // Group 1..4, slot 0..9.
    void setItem(int group, int slot, std::wstring name, std::wstring path) {
        names[(group - 1) * 10 + slot] = std::move(name);
        paths[(group - 1) * 10 + slot] = std::move(path);
    }
};

void writeListFile(const std::filesystem::path& file, const ListFileContents& contents);

} // namespace e2e
