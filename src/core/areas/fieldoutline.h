#pragma once

#include <QPoint>
#include <QVector>

namespace veltrix {

// How far a field swept from the scanner may reach along each of a row of bearings:
// at bearing[k] (radians in the area convention, ascending) at most limit[k] mm. A
// bearing without a limit holds a negative one; the bearings an outline is fitted
// over must all have one.
struct BearingLimits
{
    QVector<double> bearings;
    QVector<double> limits;
};

// A field outline as integer vertices in ascending bearing, the polygon the program
// draws for them (the region swept from the scanner: origin, vertices by angle,
// origin). Fitted over the bearings first..last, it never reaches beyond the limit at
// any bearing of the row, checked on the integer vertices as drawn.
struct FieldOutline
{
    QVector<QPoint> vertices;
    double tolerance = 0;  // simplified: how far inside the limits it may lie, mm
};

// As few vertices as keep the outline within `tolerance` inside the limits at every
// bearing of first..last (never outside), at most maxVertices: when that many do not
// suffice the tolerance is raised until they do, and reported.
FieldOutline simplifiedOutline(const BearingLimits &limits, int first, int last, double tolerance,
                               int maxVertices);

// min(maxVertices, the number of bearings) vertices spread evenly over the bearings of
// first..last, each as far out as its limit allows, pulled in where an edge between
// two of them would pass beyond the limit of a bearing it crosses.
FieldOutline evenOutline(const BearingLimits &limits, int first, int last, int maxVertices);

// How far the polygon drawn for `vertices` (ascending bearing) reaches along the ray
// at `bearing`: its farthest boundary crossing, 0 where it does not reach.
double outlineReach(const QVector<QPoint> &vertices, double bearing);

}  // namespace veltrix
