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
    ScanItem(double rangeWidth, double rangeHeight, SensorLinkData *linkData,
             const double *viewScale, qreal zValue);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    SensorLinkData *LinkData() const { return linkData; }
    const double *ViewScale() const { return viewScale; }

private:
    const double *viewScale;    // the scene controller's current view scale
    SensorLinkData *linkData;   // not owned
};

}  // namespace veltrix
