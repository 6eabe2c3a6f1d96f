#include "graphics/paintstrength.h"

#include <QPainterPath>

namespace veltrix {

PAINT_STRENGTH::PAINT_STRENGTH(double rangeWidth, double rangeHeight,
                               SensorLinkData *linkData, const double *viewScale)
    : viewScale(viewScale), rangeWidth(rangeWidth), rangeHeight(rangeHeight), linkData(linkData)
{
    setZValue(DefaultZValue);
    setFlag(QGraphicsItem::ItemIsSelectable);
    setAcceptDrops(true);
    setAcceptHoverEvents(true);
}

QRectF PAINT_STRENGTH::boundingRect() const
{
    return QRectF(-rangeWidth / 2, -rangeHeight / 2, rangeWidth, rangeHeight);
}

QPainterPath PAINT_STRENGTH::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void PAINT_STRENGTH::SetRange(double width, double height)
{
    prepareGeometryChange();
    rangeWidth = width;
    rangeHeight = height;
}

void PAINT_STRENGTH::paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *)
{
}

}  // namespace veltrix
