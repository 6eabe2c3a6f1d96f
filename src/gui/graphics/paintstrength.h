#pragma once

#include "gui/graphics/itemtypes.h"
#include "gui/graphics/scanitem.h"

namespace veltrix {

// Scene item for the live scan's reflection intensities (blue), each intensity drawn
// as a radius in its sample's direction.
class PAINT_STRENGTH : public ScanItem
{
public:
    enum { Type = PaintStrengthType };
    static constexpr qreal DefaultZValue = 5;

    PAINT_STRENGTH(double rangeWidth, double rangeHeight, const LiveScan *liveScan, double viewScale)
        : ScanItem(rangeWidth, rangeHeight, liveScan, viewScale, ScanChannel::Intensity, Qt::blue,
                   QColor(0, 0, 255, 50), DefaultZValue)
    {
    }

    int type() const override { return Type; }
};

}  // namespace veltrix
