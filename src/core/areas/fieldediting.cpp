#include "core/areas/fieldediting.h"

#include "core/areas/polar.h"

#include <QtGlobal>
#include <cmath>

namespace veltrix {

namespace {

constexpr int ArcPointCount = 2;
constexpr int RectanglePointCount = 4;
constexpr int DependentPointCount = 1;
constexpr int InitialShapeDistance = 20;  // mm: the first point of a freshly chosen shape

bool isValidField(int field)
{
    return field >= 0 && field < FieldCount;
}

void applyArcRule(QVector<QPoint> &points, int index)
{
    if (index != 0 && index != 1)
        return;
    const int other = 1 - index;
    const float radius = PolarOf(points.at(index)).radius;
    points[other] = PointFromPolar(radius, PolarOf(points.at(other)).angle);
}

// Corner k of the rectangle P0..P3 (P0.x = P1.x, P2.x = P3.x, P1.y = P2.y,
// P3.y = P0.y) carries its x to one neighbour and its y to the other.
void applyRectangleRule(QVector<QPoint> &points, int index)
{
    QPoint &p0 = points[0];
    QPoint &p1 = points[1];
    QPoint &p2 = points[2];
    QPoint &p3 = points[3];
    switch (index) {
    case 0: p1.setX(p0.x()); p3.setY(p0.y()); break;
    case 1: p0.setX(p1.x()); p2.setY(p1.y()); break;
    case 2: p3.setX(p2.x()); p1.setY(p2.y()); break;
    case 3: p2.setX(p3.x()); p0.setY(p3.y()); break;
    default: break;
    }
}

}  // namespace

float ReadCellNumber(const QString &text)
{
    bool ok = false;
    const float value = text.toFloat(&ok);
    if (!ok || !std::isfinite(value))
        return 0.0f;
    return qBound(-CellNumberLimit, value, CellNumberLimit);
}

qint32 RoundEntry(float value)
{
    if (!std::isfinite(value))
        return 0;
    value = qBound(-CellNumberLimit, value, CellNumberLimit);
    const qint32 truncated = static_cast<qint32>(value);
    return value - static_cast<float>(truncated) >= 0.5f ? truncated + 1 : truncated;
}

void ApplyShapeRules(AreaRecord &area, int field, int index)
{
    if (!isValidField(field))
        return;
    QVector<QPoint> &points = area.points(field);
    const qint32 shape = area.shape(field);
    if (points.size() == ArcPointCount && shape == Arc)
        applyArcRule(points, index);
    if (points.size() == RectanglePointCount && shape == Rectangle)
        applyRectangleRule(points, index);
    if (field > 0 && points.size() == DependentPointCount
        && isDependentShape(shape))
        points[0].setX(0);
}

bool EditCartesianCell(AreaRecord &area, int field, int row, int column, const QString &text)
{
    if (!isValidField(field) || row < 0)
        return false;
    QVector<QPoint> &points = area.points(field);
    const int count = points.size();
    if (row < count) {
        const qint32 value = RoundEntry(ReadCellNumber(text));
        if (column == FirstValueColumn)
            points[row].setX(value);
        else if (column == SecondValueColumn)
            points[row].setY(value);
        ApplyShapeRules(area, field, row);
        return true;
    }
    if (row > count || area.shape(field) != Polygon)
        return false;
    const float entry = ReadCellNumber(text);
    if (entry == 0.0f)
        return false;
    QPoint point(0, 0);
    if (column == FirstValueColumn)
        point.setX(RoundEntry(entry));
    else if (column == SecondValueColumn)
        point.setY(RoundEntry(entry));
    points.append(point);
    return true;
}

bool EditPolarCell(AreaRecord &area, int field, int row, int column, const QString &text)
{
    if (!isValidField(field) || row < 0)
        return false;
    QVector<QPoint> &points = area.points(field);
    const int count = points.size();
    if (row < count) {
        // The point-number column carries no value; rebuilding the point from its own
        // polar form would only move it toward an axis.
        if (column == FirstValueColumn || column == SecondValueColumn) {
            Polar polar = PolarOf(points.at(row));
            const float entry = ReadCellNumber(text);
            if (column == FirstValueColumn)
                polar.radius = entry;
            else
                polar.angle = entry * RadiansPerDegree;
            points[row] = PointFromPolar(polar.radius, polar.angle);
        }
        ApplyShapeRules(area, field, row);
        return true;
    }
    if (row > count || area.shape(field) != Polygon)
        return false;
    const float entry = ReadCellNumber(text);
    if (entry == 0.0f)
        return false;
    if (column == FirstValueColumn)
        points.append(PointFromPolar(entry, 0.0f));
    else if (column == SecondValueColumn)
        points.append(PointFromPolar(NewPolarPointRadius, entry * RadiansPerDegree));
    else
        return false;
    return true;
}

bool RemovePolygonPoint(AreaRecord &area, int field, int row)
{
    if (!isValidField(field) || area.shape(field) != Polygon)
        return false;
    QVector<QPoint> &points = area.points(field);
    if (row < 0 || row >= points.size())
        return false;
    points.remove(row);
    return true;
}

bool IsShapeAllowed(int field, qint32 shape)
{
    if (!isValidField(field))
        return false;
    const qint32 last = field == 0 ? Rectangle : Ratio;
    return shape >= Polygon && shape <= last;
}

QVector<QPoint> InitialShapePoints(qint32 shape)
{
    const QPoint sideways(InitialShapeDistance, 0);
    const QPoint ahead(0, InitialShapeDistance);
    switch (shape) {
    case Arc: return QVector<QPoint>(ArcPointCount, sideways);
    case Rectangle: return QVector<QPoint>(RectanglePointCount, sideways);
    case Straight:
    case Fan:
    case Ratio: return QVector<QPoint>(DependentPointCount, ahead);
    default: return {};
    }
}

bool ChooseFieldShape(AreaRecord &area, int field, qint32 shape)
{
    if (!IsShapeAllowed(field, shape) || area.shape(field) == shape)
        return false;
    if (shape != Polygon)
        area.points(field) = InitialShapePoints(shape);
    area.setShape(field, shape);
    return true;
}

QString CartesianCellText(const QPoint &point, int column)
{
    return QString::number(column == FirstValueColumn ? point.x() : point.y());
}

QString PolarCellText(const QPoint &point, int column)
{
    const Polar polar = PolarOf(point);
    const float value = column == FirstValueColumn ? polar.radius : polar.angle * DegreesPerRadian;
    return QString::number(static_cast<double>(value), 'g', 6);
}

}  // namespace veltrix
