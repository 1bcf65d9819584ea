// Screen geometry shared by the logic: points and rectangles in pixels, and the one
// conversion from the layouts' twips and 96-dpi pixels to the pixels of a display scale.
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

// The top-left corner that puts the rectangle wholly inside the area, moved as little as
// can be; a rectangle larger than the area keeps its top-left corner in it (where a title bar
// is).
constexpr Point movedInside(const Rect& frame, const Rect& area) {
    const auto axis = [](int64_t start, int64_t size, int64_t areaStart, int64_t areaEnd) {
        int64_t position = start + size > areaEnd ? areaEnd - size : start;
        return static_cast<int32_t>(position < areaStart ? areaStart : position);
    };
    return {axis(frame.left, int64_t{frame.right} - frame.left, area.left, area.right),
            axis(frame.top, int64_t{frame.bottom} - frame.top, area.top, area.bottom)};
}

// Display scale. The layouts are given in twips (1440 to an inch) and in pixels of a 96-dpi
// screen; a window shows them at the DPI of the monitor it is on. Every size and position
// the program derives from a layout goes through scaleToDpi, so they all round the same
// way: to the nearest device pixel, ties to even (the rule the motion uses for its
// positions). At 96 dpi every 96-dpi pixel stays what it is, and no twips value falls on a
// tie, so nothing moves.
inline constexpr int kDesignDpi = 96;
inline constexpr int kTwipsPerInch = 1440;

// value / unitsPerInch inches, in pixels at dpi; exact integer arithmetic.
constexpr int scaleToDpi(int value, int unitsPerInch, int dpi) {
    const int64_t product = int64_t{value} * dpi;
    const int64_t quotient = product / unitsPerInch; // toward zero
    const int64_t remainder = product % unitsPerInch;
    const int64_t twiceRest = 2 * (remainder < 0 ? -remainder : remainder);
    int64_t rounded = quotient;
    if (twiceRest > unitsPerInch || (twiceRest == unitsPerInch && quotient % 2 != 0)) {
        rounded += product < 0 ? -1 : 1;
    }
    return static_cast<int>(rounded);
}

// Layout values in twips, in pixels at the DPI.
constexpr int twipsToPixels(int twips, int dpi = kDesignDpi) {
    return scaleToDpi(twips, kTwipsPerInch, dpi);
}

// Pixels of a 96-dpi screen, in pixels at the DPI.
constexpr int designPixelsToDpi(int pixels, int dpi) {
    return scaleToDpi(pixels, kDesignDpi, dpi);
}

// Nearest integer, ties to even (the default floating-point rounding mode).
inline double roundHalfEven(double value) {
    return std::nearbyint(value);
}

} // namespace miruteka
