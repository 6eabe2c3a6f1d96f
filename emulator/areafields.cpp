#include "areafields.h"

#include "core/areas/polar.h"
#include "core/link/areapayload.h"

#include <QtMath>

#include <cmath>

namespace veltrix {

namespace {

constexpr double FanStartDegrees = -45.0;
constexpr double FanEndDegrees = 225.0;

// Non-zero winding rule, as the program fills its polygons.
bool windingContains(const QVector<QPointF> &polygon, const QPointF &p)
{
    int winding = 0;
    const int n = polygon.size();
    for (int i = 0; i < n; ++i) {
        const QPointF &a = polygon.at(i);
        const QPointF &b = polygon.at((i + 1) % n);
        const double cross = (b.x() - a.x()) * (p.y() - a.y()) - (p.x() - a.x()) * (b.y() - a.y());
        if (a.y() <= p.y()) {
            if (b.y() > p.y() && cross > 0)
                ++winding;
        } else if (b.y() <= p.y() && cross < 0) {
            --winding;
        }
    }
    return winding != 0;
}

QRectF boundsOf(const QVector<QPointF> &points)
{
    if (points.isEmpty())
        return QRectF();
    double left = points.first().x(), right = left;
    double top = points.first().y(), bottom = top;
    for (const QPointF &p : points) {
        left = qMin(left, p.x());
        right = qMax(right, p.x());
        top = qMin(top, p.y());
        bottom = qMax(bottom, p.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QRectF pieBounds(double radius, double startDegrees, double endDegrees)
{
    QVector<QPointF> extremes{QPointF(0, 0)};
    auto onArc = [radius](double degrees) {
        const double r = qDegreesToRadians(degrees);
        return QPointF(radius * std::cos(r), radius * std::sin(r));
    };
    extremes << onArc(startDegrees) << onArc(endDegrees);
    for (double axis = -90.0; axis <= 270.0; axis += 90.0) {
        if (axis > startDegrees && axis < endDegrees)
            extremes << onArc(axis);
    }
    return boundsOf(extremes);
}

}  // namespace

double bearingDegrees(const QPointF &point)
{
    double degrees = qRadiansToDegrees(std::atan2(point.y(), point.x()));
    if (degrees < -90.0)
        degrees += 360.0;
    return degrees;
}

AreaFields::AreaFields(const AreaRecord &area, double rangeWidth, double rangeHeight)
    : m_rangeWidth(rangeWidth), m_rangeHeight(rangeHeight)
{
    int announced = -1;  // the region the previous field hands on
    for (int field = 0; field < FieldCount; ++field) {
        const qint32 shape = area.shape(field);
        int region = -1;
        if (shape == Polygon || shape == Rectangle || shape == Arc) {
            region = addIndependent(area, field);
            announced = region;
        } else if (field > 0 && isDependentShape(shape)) {
            region = addDependent(shape, area.points(field), announced);
            // A ratio hands on the field before it unshrunk; the cuts hand on themselves.
            if (shape != Ratio)
                announced = region;
        } else {
            announced = -1;
        }
        m_fieldRegion[static_cast<size_t>(field)] = region;
    }
}

int AreaFields::addIndependent(const AreaRecord &area, int field)
{
    const QVector<QPoint> &points = area.points(field);
    Region region;
    if (area.shape(field) == Arc) {
        if (points.size() != 2)
            return -1;
        const Polar a = PolarOf(points.at(0));
        const Polar b = PolarOf(points.at(1));
        region.kind = Kind::Pie;
        region.radius = qMax(a.radius, b.radius);
        region.startDegrees = qMin(a.angle, b.angle) * double(RadiansToDegrees);
        region.endDegrees = qMax(a.angle, b.angle) * double(RadiansToDegrees);
        region.bounds = pieBounds(region.radius, region.startDegrees, region.endDegrees);
    } else {
        region.kind = Kind::Polygon;
        region.polygon.append(QPointF(0, 0));
        for (const QPoint &p : wireVertexOrder(points, false))
            region.polygon.append(QPointF(p));
        region.bounds = boundsOf(region.polygon);
    }
    m_regions.append(region);
    return m_regions.size() - 1;
}

int AreaFields::addDependent(qint32 shape, const QVector<QPoint> &points, int previous)
{
    if (points.size() != 1 || previous < 0)
        return -1;
    const double value = points.first().y();
    const QRectF parentBounds = m_regions.at(previous).bounds;
    Region region;
    region.parent = previous;
    if (shape == Straight) {
        // The band runs from the bottom edge of the range square to the line y = d.
        region.kind = Kind::Straight;
        region.low = qMin(-m_rangeHeight / 2, value);
        region.high = qMax(-m_rangeHeight / 2, value);
        const QRectF band(QPointF(-m_rangeWidth / 2, region.low), QPointF(m_rangeWidth / 2, region.high));
        region.bounds = parentBounds.intersected(band);
    } else if (shape == Fan) {
        if (value <= 0)
            return -1;
        region.kind = Kind::Fan;
        region.radius = value;
        region.bounds = parentBounds.intersected(QRectF(-value, -value, 2 * value, 2 * value));
    } else {
        if (value == 0)
            return -1;
        // Shrunk by d / h toward the scanner, never enlarged; a negative d mirrors it
        // through the scanner.
        const double height = parentBounds.height();
        region.kind = Kind::Scaled;
        region.scale = (height > 0 && value < height) ? value / height : 1.0;
        const QRectF b = parentBounds;
        region.bounds = boundsOf({b.topLeft() * region.scale, b.bottomRight() * region.scale});
    }
    m_regions.append(region);
    return m_regions.size() - 1;
}

bool AreaFields::contains(int field, const QPointF &point) const
{
    if (field < 0 || field >= FieldCount)
        return false;
    return regionContains(m_fieldRegion[static_cast<size_t>(field)], point);
}

bool AreaFields::regionContains(int index, const QPointF &p) const
{
    if (index < 0)
        return false;
    const Region &region = m_regions.at(index);
    switch (region.kind) {
    case Kind::Polygon:
        return windingContains(region.polygon, p);
    case Kind::Pie: {
        if (std::hypot(p.x(), p.y()) > region.radius)
            return false;
        const double bearing = bearingDegrees(p);
        return bearing >= region.startDegrees && bearing <= region.endDegrees;
    }
    case Kind::Straight:
        return p.y() >= region.low && p.y() <= region.high && qAbs(p.x()) <= m_rangeWidth / 2
            && regionContains(region.parent, p);
    case Kind::Fan: {
        if (std::hypot(p.x(), p.y()) > region.radius)
            return false;
        const double bearing = bearingDegrees(p);
        return bearing >= FanStartDegrees && bearing <= FanEndDegrees
            && regionContains(region.parent, p);
    }
    case Kind::Scaled:
        return regionContains(region.parent, p / region.scale);
    }
    return false;
}

}  // namespace veltrix
