#pragma once

#include <QPoint>
#include <QVector>

namespace veltrix {

// Shape of one output field. The numeric values are stored in project files and
// carried on the wire, so they must never be renumbered.
enum ShapeType : qint32 {
    Polygon = 0,
    Arc = 1,
    Rectangle = 2,
    Straight = 3,  // dependent: the previous field cut at y = d
    Fan = 4,       // dependent: the previous field limited to the 270° fan of radius d
    Ratio = 5,     // dependent: the previous field scaled toward the scanner to height d
};

constexpr int FieldCount = 3;        // Out1, Out2, Out3
constexpr int AreaNumberCount = 12;  // the twelve integers of an area, in file order

// Points lie within +-CoordinateLimit mm on both axes: far beyond the reach of any
// scanner of the family (50 m), far inside the 32-bit range, so that negating a
// coordinate, or adding two, can overflow nowhere downstream.
constexpr qint32 CoordinateLimit = 1000000;

inline bool isDependentShape(qint32 shape)
{
    return shape == Straight || shape == Fan || shape == Ratio;
}

// One protective area: twelve switching numbers and three point lists in integer
// millimetres (scanner at the origin, y forward). A plain value: copying an area
// copies its points.
struct AreaRecord
{
    qint32 openDelay = 0;          // index into the 20 ms delay list, 0..25
    qint32 closeDelay = 0;         // same list
    qint32 hysteresis = 0;         // 0 off, 1..10 percent
    qint32 detectionSize = 0;      // index i means (i + 1) x 0.5 degrees
    qint32 steerMinDgree = 0;
    qint32 steerMaxDgree = 0;
    qint32 vehicleMinSpeed = 0;
    qint32 vehicleMaxSpeed = 0;
    qint32 vehicleOptionMode = 0;  // channel group 0..4
    qint32 out1Shape = Polygon;
    qint32 out2Shape = Polygon;
    qint32 out3Shape = Polygon;
    QVector<QPoint> out1Points;
    QVector<QPoint> out2Points;
    QVector<QPoint> out3Points;

    // The twelve numbers by their fixed index 0..11 (the order of the project file).
    // Indexes outside 0..11 read as 0 and are ignored on write.
    qint32 number(int index) const;
    void setNumber(int index, qint32 value);

    // Field 0..2 = Out1..Out3; indexes outside are clamped into 0..2.
    qint32 shape(int field) const;
    void setShape(int field, qint32 shape);
    QVector<QPoint> &points(int field);
    const QVector<QPoint> &points(int field) const;

    friend bool operator==(const AreaRecord &a, const AreaRecord &b);
    friend bool operator!=(const AreaRecord &a, const AreaRecord &b) { return !(a == b); }
};

// (x, y) truncated toward zero and held within +-CoordinateLimit; NaN gives 0.
QPoint BoundedPoint(double x, double y);

// Holds every point of area within +-CoordinateLimit. Returns true when one moved.
bool BoundAreaPoints(AreaRecord &area);

}  // namespace veltrix
