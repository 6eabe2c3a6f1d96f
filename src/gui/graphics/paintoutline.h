#pragma once

#include "gui/graphics/itemtypes.h"
#include "gui/graphics/scanitem.h"

namespace veltrix {

// Scene item for the live scan's measured distance outline (green).
class PAINT_OUTLINE : public ScanItem
{
public:
    enum { Type = PaintOutlineType };
    static constexpr qreal DefaultZValue = 6;

    PAINT_OUTLINE(double rangeWidth, double rangeHeight, const LiveScan *liveScan, double viewScale)
        : ScanItem(rangeWidth, rangeHeight, liveScan, viewScale, ScanChannel::Distance, Qt::green,
                   QColor(0, 255, 0, 80), DefaultZValue)
    {
    }

    int type() const override { return Type; }
};

}  // namespace veltrix
