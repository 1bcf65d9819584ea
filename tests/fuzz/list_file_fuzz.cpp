// The list file reader on any bytes, in code pages 932 and 1252. Whatever it reads and can
// save, it reads back the same from the saved text, and saving that again gives the same
// bytes; a name or path line read in the code page, or in a file with the UTF-8 mark that is
// saved in UTF-8, is saved as it was, readable or not.
#include "data/list_file.h"
#include "data/text_lines.h"
#include "platform/host/cp932_code_page.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace miruteka;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Cp932CodePage japanese;
    static const Cp1252CodePage western;
    static const AnsiCodePage* const codePages[] = {&japanese, &western};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const AnsiCodePage* codePage : codePages) {
        Settings settings;
        ItemTables items;
        decodeListFile(*codePage, bytes, settings, items);
        const EncodedList saved = encodeListFile(*codePage, settings, items);
        if (!saved.ok) {
            continue; // refused before anything is written
        }
        Settings readBack;
        ItemTables readBackItems;
        decodeListFile(*codePage, saved.bytes, readBack, readBackItems);
        if (!(readBack == settings) || !(readBackItems == items)) {
            std::fprintf(stderr, "a saved list reads back differently\n");
            std::abort();
        }
        if (encodeListFile(*codePage, readBack, readBackItems).bytes != saved.bytes) {
            std::fprintf(stderr, "saving the read-back list gives other bytes\n");
            std::abort();
        }
        const bool utf8Mark = bytes.starts_with(kUtf8Mark);
        const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
        const bool inCodePage = !utf8Mark && !utf16 && !listReadsAsUtf8(bytes, codePage->number());
        if (!inCodePage && !(utf8Mark && saved.bytes.starts_with(kUtf8Mark))) {
            continue;
        }
        const auto in = splitLines(bytes, kListFileLines);
        const auto out = splitLines(saved.bytes, kListFileLines);
        for (std::size_t line = 5; line < in.size(); ++line) {
            if (in[line] != out[line]) {
                std::fprintf(stderr, "a line nobody changed is saved with other bytes\n");
                std::abort();
            }
        }
    }
    return 0;
}
