// Reads a fuzzer's input as fixed-size fields from its front; bytes past the end read as 0,
// so every input, however short, gives a complete case.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace miruteka {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    // The next sizeof(T) bytes, little-endian as the host reads them.
    template <typename T> T take() {
        unsigned char bytes[sizeof(T)] = {};
        const std::size_t count = std::min(sizeof(T), rest_.size());
        std::memcpy(bytes, rest_.data(), count);
        rest_.remove_prefix(count);
        T value;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    // The next count bytes, or fewer at the end.
    std::string_view takeBytes(std::size_t count) {
        const std::string_view taken = rest_.substr(0, std::min(count, rest_.size()));
        rest_.remove_prefix(taken.size());
        return taken;
    }

    std::string_view rest() const { return rest_; }

  private:
    std::string_view rest_;
};

} // namespace miruteka
