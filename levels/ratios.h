#pragma once

#include <array>

// The fractions of the price range at which the levels lie, from the high downwards for support
// and, walked backwards, from the low upwards for resistance.
inline constexpr std::array<double, 5> levelRatios { 0.191, 0.382, 0.5, 0.618, 0.809 };
