#include "e2e/harness/accessible_name.h"

#include <oleacc.h>

namespace e2e {
namespace {

// MinGW's import library holds a wrong IID_IAccessible: with it every query fails.
constexpr IID kIAccessible{
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

} // namespace

std::optional<std::wstring> accessibleName(HWND window) {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::optional<std::wstring> name;
    IAccessible* object = nullptr;
    if (SUCCEEDED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                               kIAccessible, reinterpret_cast<void**>(&object)))) {
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR text = nullptr;
        if (object->get_accName(self, &text) == S_OK) {
            name = text != nullptr ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
        }
        ::SysFreeString(text);
        object->Release();
    }
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return name;
}

} // namespace e2e
