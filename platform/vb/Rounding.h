#pragma once

// Round half to even ("banker's rounding"), the rounding of VB's CInt, CLng, CCur and Round.

#include <cmath>
#include <cstdint>

namespace vb {

// The nearest whole number, ties to the even neighbour: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
inline double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) {
        return floor;
    }
    if (diff > 0.5) {
        return floor + 1.0;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

// Integer division rounding half to even; divisor > 0.
inline std::int64_t divideHalfEven(std::int64_t value, std::int64_t divisor)
{
    std::int64_t quotient = value / divisor;
    const std::int64_t remainder = value % divisor;
    const std::int64_t twice = (remainder < 0 ? -remainder : remainder) * 2;
    if (twice > divisor || (twice == divisor && quotient % 2 != 0)) {
        quotient += remainder < 0 ? -1 : 1;
    }
    return quotient;
}

} // namespace vb
