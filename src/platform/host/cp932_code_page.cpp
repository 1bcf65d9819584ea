#include "platform/host/cp932_code_page.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

namespace miruteka {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(::iconv_open(to, from)) {
        if (handle_ == invalid()) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() { ::iconv_close(handle_); }

    // Converts as much as it can, appending to out. Returns the number of input bytes used;
    // less than the whole input when a sequence is invalid, incomplete or has no mapping.
    size_t convert(std::string_view in, std::string& out) {
        char* inPtr = const_cast<char*>(in.data()); // iconv's signature is not const-correct
        size_t inLeft = in.size();
        char buffer[256];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = ::iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                break;
            }
        }
        return in.size() - inLeft;
    }

    // Back to the initial shift state, ready for a new text.
    void reset() { ::iconv(handle_, nullptr, nullptr, nullptr, nullptr); }

  private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t handle_;
};

// Opening a converter costs far more than a short conversion: one of each kind per thread.
Converter& converter(const char* to, const char* from) {
    thread_local std::map<std::pair<std::string, std::string>, std::unique_ptr<Converter>> open;
    std::unique_ptr<Converter>& found = open[{to, from}];
    if (!found) {
        found = std::make_unique<Converter>(to, from);
    }
    found->reset();
    return *found;
}

} // namespace

std::optional<std::string> IconvCodePage::fromUtf8(std::string_view utf8) const {
    std::string ansi;
    if (converter(name_, "UTF-8").convert(utf8, ansi) != utf8.size()) {
        return std::nullopt;
    }
    std::string back;
    if (converter("UTF-8", name_).convert(ansi, back) != ansi.size() || back != utf8) {
        return std::nullopt;
    }
    return ansi;
}

std::string IconvCodePage::toUtf8(std::string_view ansi) const {
    Converter& fromAnsi = converter("UTF-8", name_);
    std::string utf8;
    while (!ansi.empty()) {
        const size_t used = fromAnsi.convert(ansi, utf8);
        ansi.remove_prefix(used);
        if (!ansi.empty()) {
            // Skip one byte, so that a bad lead byte does not swallow a good character.
            utf8 += kReplacementCharacter;
            ansi.remove_prefix(1);
        }
    }
    return utf8;
}

} // namespace miruteka
