#pragma once

#include <QPoint>

namespace veltrix {

// Polar form of an area point, in single precision as the scanner computes it.
// angle is in radians within [-pi/2, 3pi/2): the cut lies straight behind the
// scanner, outside its 270 degree field of view.
struct Polar
{
    float radius = 0.0f;
    float angle = 0.0f;
};

Polar PolarOf(const QPoint &point);

// x = r cos(theta), y = r sin(theta), each in single precision and truncated toward
// zero, so a point may move by 1 mm toward an axis on a round trip. A coordinate beyond
// the 32-bit range saturates at +-2147483520 (the largest float below 2^31).
QPoint PointFromPolar(float radius, float angle);

}  // namespace veltrix
