// The Windows ANSI code page (932 on a Japanese system) for the list file.
#pragma once

#include "platform/codepage.h"

namespace miruteka::win32 {

class Win32CodePage : public AnsiCodePage {
  public:
    // 0 is CP_ACP, the system's ANSI code page; tests may name another.
    explicit Win32CodePage(unsigned codePage = 0) : codePage_(codePage) {}

    // Refuses text that needs a default or best-fit character, or that does not decode back
    // to the same text.
    unsigned number() const override;
    std::optional<std::string> fromUtf8(std::string_view utf8) const override;
    std::string toUtf8(std::string_view ansi) const override;

  private:
    bool isUtf8() const;

    unsigned codePage_;
};

} // namespace miruteka::win32
