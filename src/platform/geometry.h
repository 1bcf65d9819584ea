// Screen geometry shared by the logic: points and rectangles in pixels, and the one
// conversion from the layouts' twips (15 to a pixel at 96 dpi).
#pragma once

#include <cmath>
#include <cstdint>

namespace miruteka {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Outer rectangle of a window in screen pixels; right and bottom are left + width and
// top + height.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline constexpr int kTwipsPerPixel = 15;

// Layout values are whole twips; round to the nearest pixel.
constexpr int twipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

// Nearest integer, ties to even (the default floating-point rounding mode).
inline double roundHalfEven(double value) {
    return std::nearbyint(value);
}

} // namespace miruteka
