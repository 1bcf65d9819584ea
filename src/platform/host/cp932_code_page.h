// Windows code pages on a host without Windows, through iconv, standing in for the Windows
// ANSI code page in host tests: 932 through iconv's "CP932" (Microsoft's table; glibc's
// "SHIFT_JIS" would turn 0x5C into "¥"), and 1252, the code page of a Western Windows.
#pragma once

#include "platform/codepage.h"

namespace miruteka {

class IconvCodePage : public AnsiCodePage {
  public:
    IconvCodePage(unsigned number, const char* iconvName) : number_(number), name_(iconvName) {}

    unsigned number() const override { return number_; }
    // Refuses text that does not come back unchanged: glibc quietly maps "¥" to 0x5C and
    // "〜" (U+301C) to 0x8160, which decode as "\" and "～" and which Windows refuses.
    std::optional<std::string> fromUtf8(std::string_view utf8) const override;
    std::string toUtf8(std::string_view ansi) const override;

  private:
    unsigned number_;
    const char* name_;
};

class Cp932CodePage : public IconvCodePage {
  public:
    Cp932CodePage() : IconvCodePage(932, "CP932") {}
};

class Cp1252CodePage : public IconvCodePage {
  public:
    Cp1252CodePage() : IconvCodePage(1252, "CP1252") {}
};

} // namespace miruteka
