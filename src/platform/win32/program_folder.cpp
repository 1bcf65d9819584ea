#include "platform/win32/program_folder.h"

#include "platform/win32/wide_string.h"

#include <windows.h>

namespace miruteka::win32 {
namespace {

std::wstring moduleFileName() {
    // Paths can be longer than MAX_PATH; grow until the name fits.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

std::string programFile() {
    return toUtf8(moduleFileName());
}

} // namespace miruteka::win32
