#pragma once

#include "scansource.h"

#include <QPointF>
#include <QtGlobal>

namespace veltrix {

// What the emulated scanner looks at: a rectangular room, a round pillar and a round
// object that moves slowly to and fro across the room, all scaled to the model's
// range so that every beam meets a surface within range. Coordinates are the
// vehicle's: millimetres, scanner at the origin, x to the right, y forward, angles in
// degrees counter-clockwise from +x.
class SyntheticRoom : public ScanSource
{
public:
    static constexpr double DefaultObjectSpeed = 500.0;  // mm/s

    // Where everything stands, in mm. The object moves along y = objectY between
    // objectMinX and objectMaxX, starting at objectMinX.
    struct Layout
    {
        double left = 0;    // wall x = left (negative)
        double right = 0;   // wall x = right
        double back = 0;    // wall y = back (negative)
        double front = 0;   // wall y = front
        QPointF pillar;
        double pillarRadius = 0;
        double objectY = 0;
        double objectMinX = 0;
        double objectMaxX = 0;
        double objectRadius = 0;
    };

    // Reflectivity of each kind of surface, before the loss with distance.
    static constexpr int WallReflectivity = 1200;
    static constexpr int PillarReflectivity = 4000;
    static constexpr int ObjectReflectivity = 2500;

    explicit SyntheticRoom(int rangeLimit = 6000, double objectSpeed = DefaultObjectSpeed);

    int rangeLimit() const { return m_rangeLimit; }
    const Layout &layout() const { return m_layout; }
    double objectSpeed() const { return m_objectSpeed; }

    // Centre of the moving object ms milliseconds after the scanner started.
    QPointF objectCentre(qint64 ms) const;

    // The first surface met by a beam leaving the scanner at angleDegrees (vehicle
    // frame) at time ms.
    Echo echo(double angleDegrees, qint64 ms) const override;

private:
    int m_rangeLimit;
    double m_objectSpeed;
    Layout m_layout;
};

}  // namespace veltrix
