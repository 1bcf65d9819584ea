// Code page 932 on a host without Windows, through iconv's "CP932" (Microsoft's table;
// glibc's "SHIFT_JIS" would turn 0x5C into "¥"). Stands in for the Windows ANSI code page
// in host tests.
#pragma once

#include "platform/codepage.h"

namespace miruteka {

class Cp932CodePage : public AnsiCodePage {
  public:
    // Refuses text that does not come back unchanged: glibc quietly maps "¥" to 0x5C and
    // "〜" (U+301C) to 0x8160, which decode as "\" and "～" and which Windows refuses.
    std::optional<std::string> fromUtf8(std::string_view utf8) const override;
    std::string toUtf8(std::string_view ansi) const override;
};

} // namespace miruteka
