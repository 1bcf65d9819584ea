#include "e2e/harness/list_file_writer.h"

#include "e2e/harness/harness.h"

#include <windows.h>

namespace e2e {
namespace {

std::string encoded(UINT codePage, const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int length = ::WideCharToMultiByte(
        codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          length, nullptr, nullptr);
    return bytes;
}

} // namespace

void writeListFile(const std::filesystem::path& file, const ListFileContents& contents) {
    const UINT codePage = contents.utf8 ? CP_UTF8 : 932;
    std::string bytes = contents.utf8 ? "\xEF\xBB\xBF" : "";
    for (int value : contents.settings) {
        bytes += (value < 0 ? "-" : " ") + std::to_string(value < 0 ? -value : value) + " \r\n";
    }
    for (size_t i = 0; i < contents.names.size(); ++i) {
        bytes += encoded(codePage, contents.names[i]) + "\r\n";
        bytes += encoded(codePage, contents.paths[i]) + "\r\n";
    }
    writeBytes(file, bytes);
}

} // namespace e2e
