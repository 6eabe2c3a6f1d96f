#include "core/areas/polar.h"

#include <cmath>

namespace veltrix {

namespace {
constexpr double TwoPi = 6.283185307179586;
constexpr float AngleCut = 4.712389f;    // 3pi/2: angles at or above wrap to negative
constexpr float AngleWrap = 6.2831855f;  // 2pi in single precision
constexpr float LargestCoordinate = 2147483520.0f;  // largest float below 2^31

// Truncates toward zero. A value outside the 32-bit range saturates, on both sides at
// the same magnitude: converting it directly is undefined (in practice it lands on the
// far negative side), and a result of -2^31 could not be negated.
int toCoordinate(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= LargestCoordinate)
        return static_cast<int>(LargestCoordinate);
    if (value <= -LargestCoordinate)
        return -static_cast<int>(LargestCoordinate);
    return static_cast<int>(value);
}
}  // namespace

Polar PolarOf(const QPoint &point)
{
    const float x = static_cast<float>(point.x());
    const float y = static_cast<float>(point.y());
    Polar polar;
    polar.radius = std::sqrt(x * x + y * y);
    float angle = static_cast<float>(std::atan2(static_cast<double>(point.y()),
                                                static_cast<double>(point.x()))
                                     + TwoPi);
    if (angle >= AngleCut)
        angle -= AngleWrap;
    polar.angle = angle;
    return polar;
}

QPoint PointFromPolar(float radius, float angle)
{
    const float x = radius * std::cos(angle);
    const float y = radius * std::sin(angle);
    return QPoint(toCoordinate(x), toCoordinate(y));
}

}  // namespace veltrix
