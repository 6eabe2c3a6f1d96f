#pragma once

#include "graphics/rangeitem.h"

namespace veltrix {

struct SensorLinkData;

// What the two live-scan items share: the range square and the live data they read at
// paint time. Drawing the live data is not built yet: until then they paint nothing.
class ScanItem : public RangeItem
{
    Q_OBJECT

public:
    ScanItem(double rangeWidth, double rangeHeight, SensorLinkData *linkData, double viewScale,
             qreal zValue);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    SensorLinkData *LinkData() const { return linkData; }

    // The view's scale, for line widths that stay the same in pixels.
    void SetViewScale(double scale) { viewScale = scale; }
    double ViewScale() const { return viewScale; }

private:
    double viewScale;
    SensorLinkData *linkData;   // not owned
};

}  // namespace veltrix
