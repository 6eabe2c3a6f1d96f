#include "gui/graphics/pointhandle.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace veltrix {

PointHandle::PointHandle(double pixelWidth, double pixelHeight, double viewScale,
                         const QColor &color)
    : pixelWidth(pixelWidth), pixelHeight(pixelHeight), viewScale(viewScale), color(color)
{
    setZValue(HandleZValue);
    setFlag(QGraphicsItem::ItemIsMovable);
    setFlag(QGraphicsItem::ItemIsSelectable);
    setAcceptHoverEvents(true);
}

double PointHandle::CurrentScale() const
{
    return viewScale > 0.0 ? viewScale : 1.0;
}

QRectF PointHandle::boundingRect() const
{
    const double s = CurrentScale();
    return QRectF(-pixelWidth / 2 / s, -pixelHeight / 2 / s, pixelWidth / s, pixelHeight / s);
}

QPainterPath PointHandle::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void PointHandle::SetViewScale(double scale)
{
    prepareGeometryChange();
    viewScale = scale;
}

void PointHandle::SetColor(const QColor &value)
{
    color = value;
    update();
}

QRect PointHandle::PaintedRect() const
{
    const double s = CurrentScale();
    const int left = static_cast<int>(-pixelWidth * 0.5 / s);
    const int top = static_cast<int>(-pixelHeight * 0.5 / s);
    const int right = left + static_cast<int>(pixelWidth / s) - 1;
    const int bottom = top + static_cast<int>(pixelHeight / s) - 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void PointHandle::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    QColor fill = color;
    if (option->state & QStyle::State_Selected)
        fill = fill.darker(150);
    if (option->state & QStyle::State_MouseOver)
        fill = QColor(Qt::red).lighter(125);
    fill = fill.darker((option->state & QStyle::State_Sunken) ? 120 : 100);
    // A plain filled square: the handle does not inherit the outline pen that the
    // field items leave on the painter.
    painter->setPen(Qt::NoPen);
    painter->setBrush(QBrush(fill, Qt::SolidPattern));
    painter->drawRect(PaintedRect());
}

void PointHandle::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    update();
    QGraphicsObject::mousePressEvent(event);
}

}  // namespace veltrix
