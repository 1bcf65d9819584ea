// miruteka.ini and the key text on any bytes: the first two choose a key (its code, then Ctrl,
// Shift and Alt as bits), the rest is the file as it was. The values written read back, a
// second write of them changes nothing, the file's other lines are kept, and the text of
// every usable key reads back.
#include "data/options_file.h"
#include "fuzz/fuzz_input.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace miruteka;

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The lines, each with its line end.
std::vector<std::string_view> linesOf(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        lines.push_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return lines;
}

// Whether the line sets a key when it stands in the Keys section: only such lines may go.
bool setsAKey(std::string_view line) {
    for (const std::string before : {"[Keys]\nPause=Alt+F1\n", "[Keys]\nPause=Alt+F2\n"}) {
        if (decodeOptions(before + std::string(line) + "\n") != decodeOptions(before)) {
            return true;
        }
    }
    return false;
}

// Every line of the old text is in the new one in its order, a last one without its end
// perhaps with one now, unless it set a key.
void checkOtherLinesKept(std::string_view oldText, std::string_view newText) {
    if (oldText.starts_with("\xEF\xBB\xBF")) {
        if (!newText.starts_with("\xEF\xBB\xBF")) {
            fail("the UTF-8 mark is gone");
        }
        oldText.remove_prefix(3);
        newText.remove_prefix(3);
    }
    const std::vector<std::string_view> oldLines = linesOf(oldText);
    const std::vector<std::string_view> newLines = linesOf(newText);
    std::size_t next = 0;
    for (const std::string_view line : oldLines) {
        const auto same = [&](std::string_view candidate) {
            return candidate == line ||
                   (!line.ends_with('\n') && candidate == std::string(line) + "\r\n");
        };
        if (setsAKey(line)) {
            next += next < newLines.size() && same(newLines[next]) ? 1 : 0;
            continue;
        }
        while (next < newLines.size() && !same(newLines[next])) {
            ++next;
        }
        if (next == newLines.size()) {
            fail("a line that sets no key was not kept");
        }
        ++next;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto code = input.take<std::uint8_t>();
    const auto held = input.take<std::uint8_t>();
    const HotKey chosen{code, (held & 1) != 0, (held & 2) != 0, (held & 4) != 0};
    if (usableAsGlobalKey(chosen) && parseHotKey(hotKeyText(chosen)) != chosen) {
        fail("a usable key's text does not read back");
    }
    const Options options{usableAsGlobalKey(chosen) ? chosen : HotKey{}};
    const std::string_view old = input.rest();

    const std::string written = encodeOptions(old, options);
    if (decodeOptions(written) != options) {
        fail("the written values read back differently");
    }
    const bool utf16 = old.starts_with("\xFF\xFE") || old.starts_with("\xFE\xFF");
    // NUL bytes outside UTF-16 are what a power cut leaves; the user's own are kept.
    if (!holdsWholeIni(written) && (utf16 || old.find('\0') == std::string_view::npos)) {
        fail("a written file does not count as whole");
    }
    if (encodeOptions(written, options) != written) {
        fail("writing the same values again changes the file");
    }
    if (!utf16) {
        checkOtherLinesKept(old, written);
    }
    return 0;
}
