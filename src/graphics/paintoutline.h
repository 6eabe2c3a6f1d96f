#pragma once

#include "graphics/itemtypes.h"

#include <QGraphicsItem>

namespace veltrix {

struct SensorLinkData;

// Scene item for the live scan's measured distance outline. It covers the whole range square
// (so the view finds it under the mouse wherever no handle lies) and keeps its place
// in the stacking order. Drawing the live data is not built yet: until then it paints
// nothing.
class PAINT_OUTLINE : public QGraphicsItem
{
public:
    enum { Type = PaintOutlineType };
    static constexpr qreal DefaultZValue = 6;

    PAINT_OUTLINE(double rangeWidth, double rangeHeight, SensorLinkData *linkData,
         const double *viewScale);

    int type() const override { return Type; }
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
