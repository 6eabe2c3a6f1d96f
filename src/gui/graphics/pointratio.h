#pragma once

#include "gui/graphics/itemtypes.h"
#include "gui/graphics/pointhandle.h"

namespace veltrix {

// Flat bar of the single value of a straight, fan or ratio field. It slides along
// the forward axis only and never below the scanner.
class POINT_RATIO : public PointHandle
{
    Q_OBJECT

public:
    enum { Type = PointRatioType };
    static constexpr double barWidth = 50;  // pixels
    static constexpr double barHeight = 5;

    explicit POINT_RATIO(double viewScale = 1.0, const QColor &color = Qt::blue);
    int type() const override { return Type; }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    double pressItemY = 0.0;   // scene y of the bar when it was picked
    double pressSceneY = 0.0;  // scene y of the cursor at that moment
};

}  // namespace veltrix
