// Layouts are written in units of an inch (pixels at 96 dots per inch,
// twips, points) and drawn at the display's dots per inch.
#pragma once

namespace tamblo {

// Layouts given in pixels are drawn at this density unchanged.
inline constexpr int DesignDpi = 96;
inline constexpr int TwipsPerInch = 1440;
// Font sizes in hundredths of a point: 8.25 point is 825.
inline constexpr int HundredthPointsPerInch = 7200;

// Left, top, width and height, in whatever unit the layout is given.
struct LayoutRect {
    int left, top, width, height;
    bool operator==(const LayoutRect&) const = default;
};

// value x numerator / denominator to the nearest whole number, a half away
// from zero, as MulDiv rounds.
int MulDivNearest(int value, int numerator, int denominator);

// A measure of unitsPerInch to the inch, in pixels at dpi.
int ToPixelsAt(int measure, int unitsPerInch, int dpi);
// Each of the four measures on its own, so a size does not depend on where it lies.
LayoutRect ToPixelsAt(const LayoutRect& rect, int unitsPerInch, int dpi);

}  // namespace tamblo
