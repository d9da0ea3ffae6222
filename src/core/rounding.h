// Rounding as the program does it everywhere: to the nearest value, halves to the even
// neighbour, whatever the floating-point rounding mode is.
#pragma once

#include <cstdint>

namespace vek {

// 0.5 → 0, 1.5 → 2, -2.5 → -2.
int32_t RoundHalfEven(double value);
// The value held to four decimal places, halves to even (the fixed-point precision the
// label distance is computed in).
double RoundToFourPlaces(double value);

}  // namespace vek
