#include "common/display_scale.h"

#include <cstdint>

namespace tamblo {

int MulDivNearest(int value, int numerator, int denominator) {
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

int ToPixelsAt(int measure, int unitsPerInch, int dpi) { return MulDivNearest(measure, dpi, unitsPerInch); }

LayoutRect ToPixelsAt(const LayoutRect& rect, int unitsPerInch, int dpi) {
    return {ToPixelsAt(rect.left, unitsPerInch, dpi), ToPixelsAt(rect.top, unitsPerInch, dpi),
            ToPixelsAt(rect.width, unitsPerInch, dpi), ToPixelsAt(rect.height, unitsPerInch, dpi)};
}

}  // namespace tamblo
