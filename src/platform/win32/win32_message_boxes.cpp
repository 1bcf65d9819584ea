#include "platform/win32/win32_message_boxes.h"

#include "platform/texts.h"
#include "platform/win32/wide_string.h"

namespace miruteka::win32 {
namespace {

int show(HWND owner, const std::string& text, const char* title, UINT buttons) {
    // An owner that is gone (or none) leaves the box on its own rather than failing.
    HWND parent = owner != nullptr && ::IsWindow(owner) ? owner : nullptr;
    return ::MessageBoxW(parent, toWide(text).c_str(), toWide(title).c_str(),
                         buttons | (parent == nullptr ? MB_TASKMODAL : 0));
}

} // namespace

void Win32MessageBoxes::showError(const std::string& text) {
    show(owner_, text, miruteka::text(TextId::ErrorTitle), MB_OK);
}

bool Win32MessageBoxes::askYesNo(const std::string& text) {
    return show(owner_, text, miruteka::text(TextId::ConfirmTitle), MB_YESNO) == IDYES;
}

} // namespace miruteka::win32
