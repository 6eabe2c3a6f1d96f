#include "gui/graphics/pointpoint.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>

namespace veltrix {

POINT_POINT::POINT_POINT(double viewScale, const QColor &color)
    : PointHandle(size, size, viewScale, color)
{
    setCursor(Qt::SizeAllCursor);
}

void POINT_POINT::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->modifiers() & Qt::ShiftModifier)
        return;
    PointHandle::mouseMoveEvent(event);
}

}  // namespace veltrix
