#include "graphics/paintoutline.h"

#include <QPainterPath>

namespace veltrix {

PAINT_OUTLINE::PAINT_OUTLINE(double rangeWidth, double rangeHeight,
                             SensorLinkData *linkData, const double *viewScale)
    : viewScale(viewScale), rangeWidth(rangeWidth), rangeHeight(rangeHeight), linkData(linkData)
{
    setZValue(DefaultZValue);
    setFlag(QGraphicsItem::ItemIsSelectable);
    setAcceptDrops(true);
    setAcceptHoverEvents(true);
}

QRectF PAINT_OUTLINE::boundingRect() const
{
    return QRectF(-rangeWidth / 2, -rangeHeight / 2, rangeWidth, rangeHeight);
}

QPainterPath PAINT_OUTLINE::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void PAINT_OUTLINE::SetRange(double width, double height)
{
    prepareGeometryChange();
    rangeWidth = width;
    rangeHeight = height;
}

void PAINT_OUTLINE::paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *)
{
}

}  // namespace veltrix
