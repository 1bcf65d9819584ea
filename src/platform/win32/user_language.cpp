#include "platform/win32/user_language.h"

#include <windows.h>

namespace miruteka::win32 {

Language userInterfaceLanguage() {
    return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::Japanese
                                                                        : Language::English;
}

} // namespace miruteka::win32
