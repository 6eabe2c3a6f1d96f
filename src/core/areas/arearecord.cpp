#include "core/areas/arearecord.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <utility>

namespace veltrix {

namespace {

int clampField(int field)
{
    return qBound(0, field, FieldCount - 1);
}

qint32 boundedCoordinate(double value)
{
    if (std::isnan(value))
        return 0;
    const double limit = CoordinateLimit;
    return static_cast<qint32>(qBound(-limit, value, limit));
}

// Compared without qAbs, which is itself undefined for the most negative integer.
bool withinLimit(qint32 value)
{
    return value >= -CoordinateLimit && value <= CoordinateLimit;
}

bool withinLimit(const QPoint &point)
{
    return withinLimit(point.x()) && withinLimit(point.y());
}

}  // namespace

qint32 AreaRecord::number(int index) const
{
    switch (index) {
    case 0: return openDelay;
    case 1: return closeDelay;
    case 2: return hysteresis;
    case 3: return detectionSize;
    case 4: return steerMinDgree;
    case 5: return steerMaxDgree;
    case 6: return vehicleMinSpeed;
    case 7: return vehicleMaxSpeed;
    case 8: return vehicleOptionMode;
    case 9: return out1Shape;
    case 10: return out2Shape;
    case 11: return out3Shape;
    default: return 0;
    }
}

void AreaRecord::setNumber(int index, qint32 value)
{
    switch (index) {
    case 0: openDelay = value; break;
    case 1: closeDelay = value; break;
    case 2: hysteresis = value; break;
    case 3: detectionSize = value; break;
    case 4: steerMinDgree = value; break;
    case 5: steerMaxDgree = value; break;
    case 6: vehicleMinSpeed = value; break;
    case 7: vehicleMaxSpeed = value; break;
    case 8: vehicleOptionMode = value; break;
    case 9: out1Shape = value; break;
    case 10: out2Shape = value; break;
    case 11: out3Shape = value; break;
    default: break;
    }
}

qint32 AreaRecord::shape(int field) const
{
    return number(9 + clampField(field));
}

void AreaRecord::setShape(int field, qint32 shape)
{
    setNumber(9 + clampField(field), shape);
}

QVector<QPoint> &AreaRecord::points(int field)
{
    switch (clampField(field)) {
    case 0: return out1Points;
    case 1: return out2Points;
    default: return out3Points;
    }
}

const QVector<QPoint> &AreaRecord::points(int field) const
{
    return const_cast<AreaRecord *>(this)->points(field);
}

bool operator==(const AreaRecord &a, const AreaRecord &b)
{
    for (int i = 0; i < AreaNumberCount; ++i) {
        if (a.number(i) != b.number(i))
            return false;
    }
    return a.out1Points == b.out1Points && a.out2Points == b.out2Points
        && a.out3Points == b.out3Points;
}

QPoint BoundedPoint(double x, double y)
{
    return QPoint(boundedCoordinate(x), boundedCoordinate(y));
}

bool BoundAreaPoints(AreaRecord &area)
{
    bool moved = false;
    for (int field = 0; field < FieldCount; ++field) {
        const QVector<QPoint> &points = std::as_const(area).points(field);
        // Looked at first without writing, so that lists within the limit (all of them,
        // but for hostile input) stay shared with the snapshots they were copied from.
        if (std::all_of(points.cbegin(), points.cend(),
                        [](const QPoint &point) { return withinLimit(point); }))
            continue;
        for (QPoint &point : area.points(field))
            point = BoundedPoint(point.x(), point.y());
        moved = true;
    }
    return moved;
}

}  // namespace veltrix
