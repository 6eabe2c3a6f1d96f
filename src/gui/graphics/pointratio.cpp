#include "gui/graphics/pointratio.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>

namespace veltrix {

POINT_RATIO::POINT_RATIO(double viewScale, const QColor &color)
    : PointHandle(barWidth, barHeight, viewScale, color)
{
    setCursor(Qt::SizeVerCursor);
}

void POINT_RATIO::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    event->setScenePos(QPointF(0, event->scenePos().y()));
    pressItemY = pos().y();
    pressSceneY = event->scenePos().y();
    PointHandle::mousePressEvent(event);
}

// The bar follows the cursor's vertical movement only, and its scene y never goes
// above 0 (area y below 0 would put it behind the scanner). It is placed directly
// rather than by the standard item move, which would also carry the sideways offset
// of the grab point. Like the standard move, only a drag with the left button moves it.
void POINT_RATIO::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if ((event->modifiers() & Qt::ShiftModifier) || !(event->buttons() & Qt::LeftButton))
        return;
    const double y = pressItemY + (event->scenePos().y() - pressSceneY);
    setPos(0, qMin(y, 0.0));
}

void POINT_RATIO::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    event->setScenePos(QPointF(0, event->scenePos().y()));
    PointHandle::mouseReleaseEvent(event);
}

}  // namespace veltrix
