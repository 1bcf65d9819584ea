// filelist.txt's bytes: 85 lines, CR LF, in the ANSI code page or, when a name or path needs
// it, UTF-8 with a mark; how a file without a mark is told to be UTF-8; and the lines the code
// page cannot read, which are written back as they were read.
#pragma once

#include "data/launcher_state.h"
#include "platform/codepage.h"

#include <string>
#include <string_view>

namespace miruteka {

inline constexpr int kListFileLines = 85;

// The whole text of a list file for these settings and tables: in the ANSI code page when
// every name and path survives it, else in UTF-8 with a mark. A line kept as read (see
// ItemTables::keptName) is written as it was while its text is still the one read from it.
// The rare code page text that would read back as UTF-8 gets one more line, which readers
// ignore.
struct EncodedList {
    enum class Refusal {
        None,
        LineBreak,      // a name or path holds a line break, which the file cannot hold
        UnreadableKept, // the file would be UTF-8, which cannot hold a line kept as read
    };
    bool ok = false;
    std::string bytes;
    // When !ok: why, and the first item concerned.
    Refusal refusal = Refusal::None;
    int group = 0; // 1..4
    int row = 0;   // 1..10, as the settings window numbers its rows
};
EncodedList encodeListFile(const AnsiCodePage& codePage, const Settings& settings,
                           const ItemTables& items);

// Fills settings and tables from the file's lines; a line that cannot be read leaves its
// value as it was. The file is in the ANSI code page, unless it starts with the UTF-8 or a
// UTF-16 mark, or reads as UTF-8 (as Notepad saves it; see listReadsAsUtf8). A code page
// line whose text would not be written back to the same bytes, or a line of a file with the
// UTF-8 mark that is no UTF-8, is kept as read beside it.
void decodeListFile(const AnsiCodePage& codePage, std::string_view bytes, Settings& settings,
                    ItemTables& items);

// Whether a file without a mark is UTF-8 rather than the code page: valid UTF-8 throughout
// and holding a byte past ASCII. Code page 932 text can be valid UTF-8 too (half-width
// katakana pairs such as "ﾂｱ", bytes C2 B1), so there a file of two-byte sequences only is
// UTF-8 when each of them is a Latin letter with an ASCII letter beside its run, as in
// "José" or "café"; half-width katakana never sit so.
bool listReadsAsUtf8(std::string_view bytes, unsigned codePage);

} // namespace miruteka
