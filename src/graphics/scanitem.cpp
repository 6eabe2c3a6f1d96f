#include "graphics/scanitem.h"

#include <QPainterPath>

namespace veltrix {

ScanItem::ScanItem(double rangeWidth, double rangeHeight, SensorLinkData *linkData,
                   const double *viewScale, qreal zValue)
    : viewScale(viewScale), rangeWidth(rangeWidth), rangeHeight(rangeHeight), linkData(linkData)
{
    setZValue(zValue);
    setFlag(QGraphicsItem::ItemIsSelectable);
    setAcceptDrops(true);
    setAcceptHoverEvents(true);
}

QRectF ScanItem::boundingRect() const
{
    return QRectF(-rangeWidth / 2, -rangeHeight / 2, rangeWidth, rangeHeight);
}

QPainterPath ScanItem::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void ScanItem::SetRange(double width, double height)
{
    prepareGeometryChange();
    rangeWidth = width;
    rangeHeight = height;
}

void ScanItem::paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *)
{
}

}  // namespace veltrix
