// The language of the program's texts on this system: Japanese where the user's display
// language is Japanese, English everywhere else.
#pragma once

#include "platform/texts.h"

namespace miruteka::win32 {

Language userInterfaceLanguage();

} // namespace miruteka::win32
