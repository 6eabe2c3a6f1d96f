#pragma once

#include <QGraphicsItem>

namespace veltrix {

struct SensorLinkData;

// What the two live-scan items share: they cover the whole range square (so the view
// finds them under the mouse wherever no handle lies), keep their place in the stacking
// order and read the live data at paint time. Drawing the live data is not built yet:
// until then they paint nothing.
class ScanItem : public QGraphicsItem
{
public:
    ScanItem(double rangeWidth, double rangeHeight, SensorLinkData *linkData,
             const double *viewScale, qreal zValue);

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    void SetRange(double width, double height);
    SensorLinkData *LinkData() const { return linkData; }
    const double *ViewScale() const { return viewScale; }

private:
    const double *viewScale;    // the scene controller's current view scale
    double rangeWidth;
    double rangeHeight;
    SensorLinkData *linkData;   // not owned
};

}  // namespace veltrix
