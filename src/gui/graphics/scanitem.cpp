#include "gui/graphics/scanitem.h"

#include "core/graphics/scanpoints.h"
#include "core/link/livescan.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QtMath>

namespace veltrix {

namespace {

constexpr qreal GraphPenPixels = 1.0;
constexpr qreal CloudPenPixels = 2.0;  // plus one pixel per scene unit on screen
constexpr qreal RepaintMarginPixels = 2.0;  // pixel rounding and the line's second pixel

void AppendSerialScan(QPolygonF &points, const QVector<quint16> &values, bool invertedMount)
{
    const int count = static_cast<int>(values.size());
    points.reserve(count + 1);
    for (int i = 0; i < count; ++i)
        points.append(SerialSampleViewPoint(i, values.at(i), invertedMount));
}

void AppendCloud(QPolygonF &points, const QVector<qint32> &x, const QVector<qint32> &y, int cloudCount)
{
    const int count = qBound(0, cloudCount, static_cast<int>(qMin(x.size(), y.size())));
    points.reserve(count + 1);
    for (int i = 0; i < count; ++i)
        points.append(QPointF(x.at(i), y.at(i)));
}

QPen PixelPen(const QColor &color, qreal pixels, Qt::PenCapStyle cap)
{
    QPen pen(color, pixels, Qt::SolidLine, cap, Qt::BevelJoin);
    pen.setCosmetic(true);
    return pen;
}

}  // namespace

QPolygon DevicePixels(const QPolygonF &points, const QTransform &toDevice)
{
    QPolygon pixels;
    pixels.reserve(points.size());
    for (const QPointF &point : points) {
        const QPointF mapped = toDevice.map(point);
        const QPoint pixel(qFloor(mapped.x()), qFloor(mapped.y()));
        if (pixels.isEmpty() || pixels.constLast() != pixel)
            pixels.append(pixel);
    }
    return pixels;
}

QPolygonF ScanPoints(const LiveScan &data, ScanChannel channel, const LinkConfiguration &link)
{
    QPolygonF points;
    points.append(QPointF(0, 0));
    const bool distance = channel == ScanChannel::Distance;
    if (link.isEthernet()) {
        if (distance)
            AppendCloud(points, data.cloudDistX, data.cloudDistY, data.cloudCount);
        else
            AppendCloud(points, data.cloudIntensityX, data.cloudIntensityY, data.cloudCount);
    } else {
        AppendSerialScan(points, distance ? data.scanDistances : data.scanIntensities,
                         link.invertedMount);
    }
    return points;
}

ScanItem::ScanItem(double rangeWidth, double rangeHeight, const LiveScan *liveScan,
                   double viewScale, ScanChannel channel, const QColor &color,
                   const QColor &graphFill, qreal zValue)
    : RangeItem(rangeWidth, rangeHeight, zValue),
      viewScale(viewScale),
      liveScan(liveScan),
      channel(channel),
      color(color),
      graphFill(graphFill)
{
}

ScanItem::Source ScanItem::CurrentSource() const
{
    Source source;
    source.sequence = channel == ScanChannel::Distance ? liveScan->scanSequence
                                                       : liveScan->intensitySequence;
    source.connectType = linkConfiguration.connectType;
    source.invertedMount = linkConfiguration.invertedMount;
    return source;
}

void ScanItem::SetDisplayMode(int mode)
{
    if (mode == displayMode)
        return;
    displayMode = mode;
    update();
}

void ScanItem::Refresh()
{
    const Source source = CurrentSource();
    if (built && source == builtFrom) {
        update();
        return;
    }
    const QRectF before = points.boundingRect();
    points = ScanPoints(*liveScan, channel, linkConfiguration);
    builtFrom = source;
    built = true;
    // Only where the old or the new scan lies, widened by the widest pen, needs
    // drawing again: the scan usually covers a small part of the view.
    if (viewScale <= 0) {
        update();
        return;
    }
    const qreal margin = (CloudPenPixels + viewScale + RepaintMarginPixels) / viewScale;
    update(before.united(points.boundingRect()).adjusted(-margin, -margin, margin, margin));
}

void ScanItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (points.isEmpty())
        return;
    const QTransform toDevice = painter->worldTransform();
    const qreal pixelsPerUnit = QStyleOptionGraphicsItem::levelOfDetailFromTransform(toDevice);
    const QPolygon pixels = DevicePixels(points, toDevice);
    painter->save();
    painter->resetTransform();
    switch (displayMode) {
    case DisplayGraph:
        painter->setPen(PixelPen(Qt::gray, GraphPenPixels, Qt::RoundCap));
        painter->setBrush(graphFill);
        painter->drawPolygon(pixels, Qt::WindingFill);
        break;
    case DisplayCloud:
        painter->setPen(PixelPen(color, CloudPenPixels + pixelsPerUnit, Qt::SquareCap));
        painter->setBrush(Qt::NoBrush);
        painter->drawPoints(pixels);
        break;
    case DisplayLine:
        // A one-pixel pen is drawn on the raster engine's fast path; wider pens are
        // outlined and filled, many times slower for thousands of vertices. The
        // two-pixel line is therefore the one-pixel line drawn again one pixel to the
        // right and one pixel down.
        painter->setPen(PixelPen(color, 1, Qt::SquareCap));
        painter->setBrush(Qt::NoBrush);
        for (const QPoint &offset : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1)})
            painter->drawPolygon(pixels.translated(offset));
        break;
    default:
        break;
    }
    painter->restore();
}

}  // namespace veltrix
