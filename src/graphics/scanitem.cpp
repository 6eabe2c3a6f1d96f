#include "graphics/scanitem.h"

#include "link/sensorlinkdata.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QtMath>

namespace veltrix {

namespace {

// Serial samples: 0.5 degree apart, the sample before the first one (k = -1) at 135
// degrees of the screen, clockwise from there; sample 270 of a forward-mounted scanner
// lies straight ahead.
constexpr double SampleStep = 0.5;
constexpr double FirstSampleAngle = 135.5;

constexpr qreal GraphPenPixels = 1.0;
constexpr qreal LinePenPixels = 2.0;
constexpr qreal CloudPenPixels = 2.0;  // plus one pixel per scene unit on screen

template<typename Values>
void AppendSerialScan(QPolygonF &points, const Values &values, bool invertedMount)
{
    const int count = static_cast<int>(values.size());
    points.reserve(count + 1);
    for (int i = 0; i < count; ++i) {
        const int k = invertedMount ? i : i - 1;
        const float angle = static_cast<float>(qDegreesToRadians(k * SampleStep + FirstSampleAngle));
        const float radius = static_cast<float>(values.at(i));
        points.append(QPointF(static_cast<int>(radius * qFastCos(angle)),
                              static_cast<int>(radius * qFastSin(angle))));
    }
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

QPolygonF ScanPoints(const SensorLinkData &data, ScanChannel channel)
{
    QPolygonF points;
    points.append(QPointF(0, 0));
    const bool distance = channel == ScanChannel::Distance;
    if (data.connectType == EthernetInterface) {
        if (distance)
            AppendCloud(points, data.cloudDistX, data.cloudDistY, data.cloudCount);
        else
            AppendCloud(points, data.cloudIntensityX, data.cloudIntensityY, data.cloudCount);
    } else {
        AppendSerialScan(points, distance ? data.scanDistances : data.scanIntensities,
                         data.invertedMount);
    }
    return points;
}

ScanItem::ScanItem(double rangeWidth, double rangeHeight, SensorLinkData *linkData,
                   ScanChannel channel, const QColor &color, const QColor &graphFill,
                   qreal zValue)
    : RangeItem(rangeWidth, rangeHeight, zValue),
      linkData(linkData),
      channel(channel),
      color(color),
      graphFill(graphFill)
{
}

ScanItem::Source ScanItem::CurrentSource() const
{
    Source source;
    source.sequence = channel == ScanChannel::Distance ? linkData->scanSequence
                                                       : linkData->intensitySequence;
    source.connectType = linkData->connectType;
    source.invertedMount = linkData->invertedMount;
    return source;
}

void ScanItem::Refresh()
{
    const Source source = CurrentSource();
    if (!built || !(source == builtFrom)) {
        points = ScanPoints(*linkData, channel);
        builtFrom = source;
        built = true;
    }
    update();
}

void ScanItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (points.isEmpty())
        return;
    const qreal pixelsPerUnit =
        QStyleOptionGraphicsItem::levelOfDetailFromTransform(painter->worldTransform());
    switch (linkData->DisplayMode) {
    case DisplayGraph:
        painter->setPen(PixelPen(Qt::gray, GraphPenPixels, Qt::RoundCap));
        painter->setBrush(graphFill);
        painter->drawPolygon(points, Qt::WindingFill);
        break;
    case DisplayCloud:
        painter->setPen(PixelPen(color, CloudPenPixels + pixelsPerUnit, Qt::SquareCap));
        painter->setBrush(Qt::NoBrush);
        painter->drawPoints(points);
        break;
    case DisplayLine:
        painter->setPen(PixelPen(color, LinePenPixels, Qt::SquareCap));
        painter->setBrush(Qt::NoBrush);
        painter->drawPolygon(points);
        break;
    default:
        break;
    }
}

}  // namespace veltrix
