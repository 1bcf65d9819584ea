// miruteka.ini and the key text on any bytes: the first two choose a key (its code, then Ctrl,
// Shift and Alt as bits), the rest is the file as it was. The values written read back, a
// second write of them changes nothing, every line that sets no key is kept in its order,
// and the text of every usable key reads back.
#include "data/options_file.h"
#include "fuzz/fuzz_input.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace miruteka;

namespace {

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

// The next line with its end, taken off the text.
std::string_view nextLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end == std::string_view::npos ? end : end + 1);
    text.remove_prefix(line.size());
    return line;
}

bool setsAKey(std::string_view line) {
    for (const std::string before : {"[Keys]\nPause=Alt+F1\n", "[Keys]\nPause=Alt+F2\n"}) {
        if (decodeOptions(before + std::string(line) + "\n") != decodeOptions(before)) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto code = input.take<std::uint8_t>();
    const auto held = input.take<std::uint8_t>();
    const HotKey chosen{code, (held & 1) != 0, (held & 2) != 0, (held & 4) != 0};
    const bool usable = usableAsGlobalKey(chosen);
    check(!usable || parseHotKey(hotKeyText(chosen)) == chosen, "a key's text reads back wrong");
    const Options options{usable ? chosen : HotKey{}};
    const std::string_view old = input.rest();

    const std::string written = encodeOptions(old, options);
    check(decodeOptions(written) == options, "the written values read back differently");
    check(encodeOptions(written, options) == written, "a second write changes the file");
    const bool utf16 = old.starts_with("\xFF\xFE") || old.starts_with("\xFE\xFF");
    if (utf16 || old.starts_with("\xEF\xBB\xBF")) {
        return 0; // its lines, split as bytes, are not the file's lines
    }
    std::string_view rest = written;
    for (std::string_view left = old; !left.empty();) {
        const std::string_view line = nextLine(left);
        bool kept = setsAKey(line); // those are replaced or dropped
        while (!kept && !rest.empty()) {
            const std::string_view at = nextLine(rest);
            kept = at == line || (!line.ends_with('\n') && at == std::string(line) + "\r\n");
        }
        check(kept, "a line that sets no key was not kept");
    }
    return 0;
}
