// Conversion between the program's UTF-8 strings and the system ANSI code page (932 on a
// Japanese system), used only for the list file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace miruteka {

class AnsiCodePage {
  public:
    virtual ~AnsiCodePage() = default;

    // Its number (932 on a Japanese system): which text without a mark may be taken for UTF-8
    // depends on it.
    virtual unsigned number() const = 0;

    // The text in the ANSI code page, or nothing when some character does not survive the
    // round trip (encode, decode, compare): such text would be saved corrupted.
    virtual std::optional<std::string> fromUtf8(std::string_view utf8) const = 0;
    // The ANSI bytes as UTF-8. Bytes that do not decode become U+FFFD.
    virtual std::string toUtf8(std::string_view ansi) const = 0;
};

} // namespace miruteka
