#include "core/rounding.h"

#include <cmath>

namespace vek {

namespace {
double HalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction > 0.5) return floor + 1;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}
}  // namespace

int32_t RoundHalfEven(double value) { return static_cast<int32_t>(HalfEven(value)); }

double RoundToFourPlaces(double value) { return HalfEven(value * 10000.0) / 10000.0; }

}  // namespace vek
