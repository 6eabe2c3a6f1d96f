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
// zero, so a point may move by 1 mm toward an axis on a round trip.
QPoint PointFromPolar(float radius, float angle);

}  // namespace veltrix
