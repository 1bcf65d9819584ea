#include "e2e/harness/list_file_writer.h"

#include "e2e/harness/harness.h"

#include <windows.h>

namespace e2e {
namespace {

std::string toCodePage932(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int length = ::WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                          nullptr, nullptr);
    return bytes;
}

} // namespace

void writeListFile(const std::filesystem::path& file, const ListFileContents& contents) {
    std::string bytes;
    for (int value : contents.settings) {
        bytes += (value < 0 ? "-" : " ") + std::to_string(value < 0 ? -value : value) + " \r\n";
    }
    for (size_t i = 0; i < contents.names.size(); ++i) {
        bytes += toCodePage932(contents.names[i]) + "\r\n";
        bytes += toCodePage932(contents.paths[i]) + "\r\n";
    }
    writeBytes(file, bytes);
}

} // namespace e2e
