#include "graphics/scanitem.h"

namespace veltrix {

ScanItem::ScanItem(double rangeWidth, double rangeHeight, SensorLinkData *linkData,
                   double viewScale, qreal zValue)
    : RangeItem(rangeWidth, rangeHeight, zValue), viewScale(viewScale), linkData(linkData)
{
}

void ScanItem::paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *)
{
}

}  // namespace veltrix
