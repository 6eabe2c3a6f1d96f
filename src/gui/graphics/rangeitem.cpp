#include "gui/graphics/rangeitem.h"

#include <QPainterPath>

namespace veltrix {

RangeItem::RangeItem(double rangeWidth, double rangeHeight, qreal zValue)
    : rangeWidth(rangeWidth), rangeHeight(rangeHeight)
{
    setZValue(zValue);
    setFlag(QGraphicsItem::ItemIsSelectable);
    setAcceptDrops(true);
    setAcceptHoverEvents(true);
}

QRectF RangeItem::boundingRect() const
{
    return QRectF(-rangeWidth / 2, -rangeHeight / 2, rangeWidth, rangeHeight);
}

QPainterPath RangeItem::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void RangeItem::SetRange(double width, double height)
{
    prepareGeometryChange();
    rangeWidth = width;
    rangeHeight = height;
}

}  // namespace veltrix
