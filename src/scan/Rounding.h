// Fraction-to-integer conversion used throughout the program: nearest integer, halves to even.
#pragma once

#include <cmath>
#include <cstdint>

inline int32_t RoundHalfEven(double value) { return static_cast<int32_t>(std::nearbyint(value)); }
