#include "core/graphics/fieldshapes.h"

#include "core/areas/arearecord.h"
#include "core/areas/polar.h"

#include <QMap>
#include <QPainter>
#include <QRectF>
#include <QTransform>

namespace veltrix {

namespace {

constexpr float DegreesPerRadian = 57.29578f;
constexpr qreal FanStartDegrees = -45.0;   // the scanner's field of view starts here...
constexpr qreal FanSweepDegrees = 270.0;   // ...and spans this much counter-clockwise
constexpr qreal OutlineWidth = 1.0;        // mm

const QColor FieldRgb[3] = {QColor(255, 255, 128), QColor(255, 128, 0), QColor(255, 0, 0)};

// Pie slice from the scanner: an arc added to an empty path begins with a line
// from the origin, so filling it gives the slice.
QPainterPath PiePath(qreal radius, qreal startDegrees, qreal sweepDegrees)
{
    QPainterPath path;
    path.arcTo(QRectF(-radius, -radius, 2 * radius, 2 * radius), startDegrees, sweepDegrees);
    return path;
}

FieldDrawing PolygonDrawing(const QVector<QPoint> &points)
{
    FieldDrawing drawing;
    drawing.visible = true;
    drawing.outlined = true;
    const QPolygonF polygon = AngleSortedPolygon(points);
    drawing.path.addPolygon(polygon);
    drawing.announced = drawing.path;
    drawing.path.setFillRule(Qt::WindingFill);
    return drawing;
}

FieldDrawing ArcDrawing(const QVector<QPoint> &points)
{
    FieldDrawing drawing;
    if (points.size() != 2)
        return drawing;
    const Polar a = PolarOf(points.at(0));
    const Polar b = PolarOf(points.at(1));
    const float low = qMin(a.angle, b.angle) * DegreesPerRadian;
    const float high = qMax(a.angle, b.angle) * DegreesPerRadian;
    const qreal radius = qMax(a.radius, b.radius);
    drawing.visible = true;
    drawing.outlined = false;
    drawing.path = PiePath(radius, low, high - low);
    drawing.announced = drawing.path;
    return drawing;
}

// The previous field below the line y = d (area coordinates) within the range square.
FieldDrawing StraightDrawing(const QPainterPath &previous, int d, double rangeWidth,
                             double rangeHeight)
{
    FieldDrawing drawing;
    drawing.visible = true;
    drawing.outlined = true;
    const QRectF band(-rangeWidth * 0.5, rangeHeight * 0.5, rangeWidth,
                      -d - rangeHeight * 0.5);
    QPainterPath bandPath;
    bandPath.addRect(band.normalized());
    drawing.path = previous.intersected(bandPath);
    drawing.announced = drawing.path;
    return drawing;
}

FieldDrawing FanDrawing(const QPainterPath &previous, int radius)
{
    FieldDrawing drawing;
    drawing.visible = true;
    drawing.outlined = true;
    drawing.path = previous.intersected(PiePath(radius, FanStartDegrees, FanSweepDegrees));
    drawing.announced = drawing.path;
    return drawing;
}

// The previous field scaled toward the scanner to height v; never enlarged. The next
// field derives from the unscaled path.
FieldDrawing RatioDrawing(const QPainterPath &previous, int v)
{
    FieldDrawing drawing;
    drawing.visible = true;
    drawing.outlined = true;
    drawing.path = previous;
    drawing.announced = previous;
    const qreal height = previous.boundingRect().height();
    // A previous field without height (empty or a line) has nothing to scale; the
    // guard also keeps a division by zero out of the painter's transform.
    if (v < height && height > 0.0)
        drawing.scaleFactor = v / height;
    // Scaled to nothing: drawn not at all rather than through a singular transform.
    if (drawing.scaleFactor == 0.0)
        drawing.visible = false;
    return drawing;
}

// Sutherland-Hodgman: the closed polygon cut to the rectangle, one side after the
// other. Inside the rectangle the winding number of every point stays as it was.
QPolygonF ClipToRectangle(const QPolygonF &polygon, const QRectF &window)
{
    enum Side { Left, Right, Top, Bottom };
    const auto inside = [&window](const QPointF &p, int side) {
        switch (side) {
        case Left: return p.x() >= window.left();
        case Right: return p.x() <= window.right();
        case Top: return p.y() >= window.top();
        default: return p.y() <= window.bottom();
        }
    };
    // Only called for an edge with one end on either side of the line, so the
    // divisor is never zero.
    const auto crossing = [&window](const QPointF &a, const QPointF &b, int side) {
        if (side == Left || side == Right) {
            const qreal x = side == Left ? window.left() : window.right();
            return QPointF(x, a.y() + (x - a.x()) / (b.x() - a.x()) * (b.y() - a.y()));
        }
        const qreal y = side == Top ? window.top() : window.bottom();
        return QPointF(a.x() + (y - a.y()) / (b.y() - a.y()) * (b.x() - a.x()), y);
    };
    QPolygonF result = polygon;
    for (int side : {Left, Right, Top, Bottom}) {
        if (result.isEmpty())
            break;
        const QPolygonF input = result;
        result.clear();
        QPointF previous = input.last();
        for (const QPointF &current : input) {
            const bool currentInside = inside(current, side);
            if (currentInside != inside(previous, side))
                result << crossing(previous, current, side);
            if (currentInside)
                result << current;
            previous = current;
        }
    }
    return result;
}

}  // namespace

QPainterPath VisiblePart(const QPainterPath &path, const QTransform &toDevice, const QRectF &device)
{
    const QRectF window = device.adjusted(-VisibleMargin, -VisibleMargin, VisibleMargin, VisibleMargin);
    if (window.contains(toDevice.mapRect(path.controlPointRect())))
        return path;
    bool invertible = false;
    const QTransform fromDevice = toDevice.inverted(&invertible);
    if (!invertible)
        return path;
    QPainterPath visible;
    visible.setFillRule(path.fillRule());
    for (const QPolygonF &subpath : path.toSubpathPolygons(toDevice)) {
        const QPolygonF part = ClipToRectangle(subpath, window);
        if (part.isEmpty())
            continue;
        visible.addPolygon(fromDevice.map(part));
        // Closed as it was: an outline keeps its closing edge wherever that shows.
        if (subpath.isClosed())
            visible.closeSubpath();
    }
    return visible;
}

QPainterPath VisiblePart(const QPainterPath &path, const QPainter *painter)
{
    const QPaintDevice *device = painter->device();
    if (!device)
        return path;
    return VisiblePart(path, painter->combinedTransform(),
                       QRectF(0, 0, device->width(), device->height()));
}

QColor FieldColor(int field, int alpha)
{
    QColor color = FieldRgb[qBound(0, field, 2)];
    color.setAlpha(alpha);
    return color;
}

QPen FieldOutlinePen()
{
    return QPen(QBrush(Qt::white), OutlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin);
}

QPolygonF AngleSortedPolygon(const QVector<QPoint> &points)
{
    QMap<float, QPoint> byAngle;
    for (const QPoint &point : points)
        byAngle.insert(PolarOf(point).angle, point);
    QPolygonF polygon;
    polygon.reserve(byAngle.size() + 2);
    polygon << QPointF(0, 0);
    for (auto it = byAngle.cbegin(); it != byAngle.cend(); ++it)
        polygon << QPointF(it.value().x(), -it.value().y());
    polygon << QPointF(0, 0);
    return polygon;
}

FieldDrawing BuildFieldDrawing(int field, qint32 shape, const QVector<QPoint> &points,
                               const QPainterPath &previous, double rangeWidth,
                               double rangeHeight)
{
    switch (shape) {
    case Polygon:
    case Rectangle:
        return PolygonDrawing(points);
    case Arc:
        return ArcDrawing(points);
    default:
        break;
    }
    if (field == 0 || !isDependentShape(shape) || points.size() != 1)
        return FieldDrawing();
    const int value = points.at(0).y();
    switch (shape) {
    case Straight:
        return StraightDrawing(previous, value, rangeWidth, rangeHeight);
    case Fan:
        return FanDrawing(previous, value);
    default:
        return RatioDrawing(previous, value);
    }
}

AreaDrawing BuildAreaDrawing(const AreaRecord &area, double rangeWidth, double rangeHeight)
{
    AreaDrawing drawing;
    QPainterPath previous;
    for (int field = 0; field < FieldCount; ++field) {
        drawing[field] = BuildFieldDrawing(field, area.shape(field), area.points(field), previous,
                                           rangeWidth, rangeHeight);
        previous = drawing[field].announced;
    }
    return drawing;
}

void PaintFieldDrawing(QPainter *painter, const FieldDrawing &drawing, const QColor &fill)
{
    if (!drawing.visible)
        return;
    if (drawing.outlined)
        painter->setPen(FieldOutlinePen());
    else
        painter->setPen(Qt::NoPen);
    painter->setBrush(QBrush(fill, Qt::SolidPattern));
    const QTransform saved = painter->transform();
    if (drawing.scaleFactor != 1.0)
        painter->scale(drawing.scaleFactor, drawing.scaleFactor);
    painter->drawPath(VisiblePart(drawing.path, painter));
    painter->setTransform(saved);
}

}  // namespace veltrix
