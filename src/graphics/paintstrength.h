#pragma once

#include "graphics/itemtypes.h"
#include "graphics/scanitem.h"

namespace veltrix {

// Scene item for the live scan's reflection intensities.
class PAINT_STRENGTH : public ScanItem
{
public:
    enum { Type = PaintStrengthType };
    static constexpr qreal DefaultZValue = 5;

    PAINT_STRENGTH(double rangeWidth, double rangeHeight, SensorLinkData *linkData, double viewScale)
        : ScanItem(rangeWidth, rangeHeight, linkData, viewScale, DefaultZValue)
    {
    }

    int type() const override { return Type; }
};

}  // namespace veltrix
