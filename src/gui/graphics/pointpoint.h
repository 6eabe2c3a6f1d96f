#pragma once

#include "gui/graphics/itemtypes.h"
#include "gui/graphics/pointhandle.h"

namespace veltrix {

// Square handle of a vertex of a polygon, arc or rectangle; dragged freely.
class POINT_POINT : public PointHandle
{
    Q_OBJECT

public:
    enum { Type = PointPointType };
    static constexpr int size = 15;  // pixels

    explicit POINT_POINT(double viewScale = 1.0, const QColor &color = Qt::blue);
    int type() const override { return Type; }

protected:
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
};

}  // namespace veltrix
