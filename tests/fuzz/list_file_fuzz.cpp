// The list file reader on any bytes. Whatever it reads and can save, it reads back the same
// from the saved text, and saving that again gives the same bytes.
#include "data/list_file.h"
#include "platform/host/cp932_code_page.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace miruteka;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Cp932CodePage codePage;
    Settings settings;
    ItemTables items;
    decodeListFile(codePage, std::string_view(reinterpret_cast<const char*>(data), size), settings,
                   items);
    const EncodedList saved = encodeListFile(codePage, settings, items);
    if (!saved.ok) {
        return 0; // refused before anything is written
    }
    Settings readBack;
    ItemTables readBackItems;
    decodeListFile(codePage, saved.bytes, readBack, readBackItems);
    if (!(readBack == settings) || !(readBackItems == items)) {
        std::fprintf(stderr, "a saved list reads back differently\n");
        std::abort();
    }
    if (encodeListFile(codePage, readBack, readBackItems).bytes != saved.bytes) {
        std::fprintf(stderr, "saving the read-back list gives other bytes\n");
        std::abort();
    }
    return 0;
}
