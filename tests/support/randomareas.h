#pragma once

#include "core/areas/areamodel.h"
#include "core/link/areapayload.h"
#include "core/link/framebuilders.h"
#include "core/link/sensorparameters.h"

#include <QRandomGenerator>
#include <QtMath>

// Areas and parameter blocks with random content that an editor could produce and a
// frame can carry, for transfers between the program and the emulator.
namespace randomareas {

using namespace veltrix;

inline QPoint onBearing(double degrees, double radius)
{
    const double r = qDegreesToRadians(degrees);
    return QPoint(qRound(radius * qCos(r)), qRound(radius * qSin(r)));
}

// count vertices on rising bearings across the field of view, in wire order.
inline QVector<QPoint> polygon(QRandomGenerator &random, int count, int reach)
{
    QVector<QPoint> points;
    const double step = 268.0 / count;
    for (int i = 0; i < count; ++i) {
        const double bearing = -44.0 + step * i + random.generateDouble() * step * 0.5;
        points.append(onBearing(bearing, 200 + random.bounded(reach - 200)));
    }
    return wireVertexOrder(points, false);
}

inline void fillField(QRandomGenerator &random, AreaRecord &area, int field, int reach, bool full)
{
    const qint32 shape = full ? Polygon
                              : static_cast<qint32>(random.bounded(field == 0 ? 3 : 6));
    area.setShape(field, shape);
    QVector<QPoint> &points = area.points(field);
    switch (shape) {
    case Polygon:
        points = polygon(random, full ? MaxFieldVertices : 3 + random.bounded(MaxFieldVertices - 2), reach);
        break;
    case Arc: {
        const int from = -45 + random.bounded(130);
        const int radius = 300 + random.bounded(reach - 300);
        points = {onBearing(from, radius), onBearing(from + 5 + random.bounded(130), radius)};
        break;
    }
    case Rectangle: {
        const int left = -reach / 2 + random.bounded(reach / 2);
        const int right = left + 100 + random.bounded(reach / 2);
        const int near = 100 + random.bounded(reach / 2);
        const int far = near + 100 + random.bounded(reach / 3);
        points = wireVertexOrder({QPoint(left, near), QPoint(left, far), QPoint(right, far), QPoint(right, near)},
                                 false);
        break;
    }
    default:
        points = {QPoint(0, 100 + random.bounded(reach))};
        break;
    }
}

inline AreaRecord area(QRandomGenerator &random, int reach, bool full = false)
{
    AreaRecord a;
    a.openDelay = random.bounded(26);
    a.closeDelay = random.bounded(26);
    a.hysteresis = random.bounded(11);
    a.detectionSize = random.bounded(10);
    a.steerMinDgree = -180 + random.bounded(361);
    a.steerMaxDgree = -180 + random.bounded(361);
    a.vehicleMinSpeed = -300 + random.bounded(601);
    a.vehicleMaxSpeed = -300 + random.bounded(601);
    a.vehicleOptionMode = random.bounded(5);
    for (int field = 0; field < FieldCount; ++field)
        fillField(random, a, field, reach, full);
    return a;
}

inline QVector<AreaRecord> areas(quint32 seed, int reach, bool full = false)
{
    QRandomGenerator random(seed);
    QVector<AreaRecord> result;
    for (int i = 0; i < AreaCount; ++i)
        result.append(area(random, reach, full));
    return result;
}

// What the program holds after an area went to the scanner and came back: the
// frame's own rounding (arc bearings in whole degrees, polygons in bearing order).
inline AreaRecord throughTheWire(const AreaRecord &sent, int index, bool inverted = false)
{
    FrameBuffer buffer;
    buildWArea(buffer, sent, index, inverted);
    AreaRecord received = sent;
    decodeArea(buffer.data(), received, inverted);
    return received;
}

// Words 0..21 as the settings dock could set them; mounting stays forward.
inline SensorParameters parameters(quint32 seed)
{
    QRandomGenerator random(seed);
    SensorParameters p;
    const int itemCounts[] = {5, 6, 3, 3, 0, 6, 3, 3, 0, 4, 2, 0, 3, 4, 1, 0, 2, 2, 2, 4};
    for (int word = 0; word < 20; ++word) {
        if (itemCounts[word] > 0)
            p[word] = random.bounded(itemCounts[word]);
    }
    p[4] = 1 + random.bounded(127);
    p[8] = 1 + random.bounded(127);
    p[11] = 1200 + random.bounded(1201);
    p[15] = 1000 + random.bounded(2001);
    p[20] = random.bounded(65536);
    p[21] = random.bounded(65536);
    return p;
}

}  // namespace randomareas
