#include "syntheticroom.h"

#include <QtMath>

#include <cmath>
#include <limits>

namespace veltrix {

namespace {

// Distance along the unit ray (ux, uy) to the circle around centre, or infinity.
double rayToCircle(double ux, double uy, const QPointF &centre, double radius)
{
    const double along = ux * centre.x() + uy * centre.y();
    const double squared = centre.x() * centre.x() + centre.y() * centre.y();
    const double discriminant = along * along - (squared - radius * radius);
    if (discriminant < 0)
        return std::numeric_limits<double>::infinity();
    const double t = along - std::sqrt(discriminant);
    return t > 0 ? t : std::numeric_limits<double>::infinity();
}

}  // namespace

SyntheticRoom::SyntheticRoom(int rangeLimit, double objectSpeed)
    : m_rangeLimit(rangeLimit), m_objectSpeed(qMax(0.0, objectSpeed))
{
    // Fractions of the range: the farthest corner (0.6, 0.7) lies at 0.92 of it.
    const double r = rangeLimit;
    m_layout.left = -0.5 * r;
    m_layout.right = 0.6 * r;
    m_layout.back = -0.3 * r;
    m_layout.front = 0.7 * r;
    m_layout.pillar = QPointF(-0.25 * r, 0.4 * r);
    m_layout.pillarRadius = 0.035 * r;
    m_layout.objectY = 0.22 * r;
    m_layout.objectMinX = -0.35 * r;
    m_layout.objectMaxX = 0.45 * r;
    m_layout.objectRadius = 0.025 * r;
}

QPointF SyntheticRoom::objectCentre(qint64 ms) const
{
    const double span = m_layout.objectMaxX - m_layout.objectMinX;
    // A triangle wave: there and back again, forever.
    const double travelled = std::fmod(m_objectSpeed * static_cast<double>(qMax<qint64>(0, ms)) / 1000.0,
                                       2.0 * span);
    const double offset = travelled <= span ? travelled : 2.0 * span - travelled;
    return QPointF(m_layout.objectMinX + offset, m_layout.objectY);
}

Echo SyntheticRoom::echo(double angleDegrees, qint64 ms) const
{
    const double radians = qDegreesToRadians(angleDegrees);
    const double ux = std::cos(radians);
    const double uy = std::sin(radians);
    const double infinity = std::numeric_limits<double>::infinity();

    double wall = infinity;
    if (ux > 1e-12)
        wall = qMin(wall, m_layout.right / ux);
    else if (ux < -1e-12)
        wall = qMin(wall, m_layout.left / ux);
    if (uy > 1e-12)
        wall = qMin(wall, m_layout.front / uy);
    else if (uy < -1e-12)
        wall = qMin(wall, m_layout.back / uy);

    double distance = wall;
    int reflectivity = WallReflectivity;
    const double pillar = rayToCircle(ux, uy, m_layout.pillar, m_layout.pillarRadius);
    if (pillar < distance) {
        distance = pillar;
        reflectivity = PillarReflectivity;
    }
    const double object = rayToCircle(ux, uy, objectCentre(ms), m_layout.objectRadius);
    if (object < distance) {
        distance = object;
        reflectivity = ObjectReflectivity;
    }

    Echo echo;
    if (distance == infinity)
        return echo;
    const double clamped = qMin(distance, 65535.0);
    echo.distance = static_cast<quint16>(std::lround(clamped));
    // Farther surfaces return less light.
    const double loss = 1.0 - 0.4 * qMin(1.0, distance / m_rangeLimit);
    echo.intensity = static_cast<quint16>(std::lround(reflectivity * loss));
    return echo;
}

}  // namespace veltrix
