// UTF-8 and UTF-16 as list files may hold them: checks and conversions that need no
// platform code page.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace miruteka {

// The length of the well-formed UTF-8 sequence at the start of the text (no overlong forms,
// no surrogates, nothing past U+10FFFF), or 0 when it starts with none.
std::size_t utf8SequenceLength(std::string_view text);

// UTF-8 as it is, each byte that starts no well-formed sequence replaced by U+FFFD.
std::string wellFormedUtf8(std::string_view text);

// Text that starts with a UTF-16 mark (Notepad's "Unicode", or its big-endian form) as
// UTF-8 without the mark, unpaired surrogates and an odd last byte as U+FFFD; nothing when
// the text has no such mark.
std::optional<std::string> utf16WithMarkToUtf8(std::string_view bytes);

} // namespace miruteka
