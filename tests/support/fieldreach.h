#pragma once

#include "core/graphics/fieldshapes.h"

#include <QPainterPath>
#include <QPoint>
#include <QVector>
#include <QtMath>

#include <cmath>

namespace veltrix::testing {

// How far the polygon field drawn for `points` reaches along the bearing (degrees), to
// the millimetre, found on the drawing itself. The field is swept from the scanner, so
// each ray leaves it once.
inline double fieldReach(const QVector<QPoint> &points, double degrees)
{
    const QPainterPath field = BuildFieldDrawing(0, Polygon, points, QPainterPath(), 1e6, 1e6).path;
    const double c = std::cos(qDegreesToRadians(degrees));
    const double s = std::sin(qDegreesToRadians(degrees));
    double inside = 0;
    double outside = 40000;
    while (outside - inside > 0.5) {
        const double r = (inside + outside) / 2;
        (field.contains(QPointF(r * c, -r * s)) ? inside : outside) = r;
    }
    return inside;
}

}  // namespace veltrix::testing
