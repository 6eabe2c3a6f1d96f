#pragma once

#include <QColor>
#include <QGraphicsObject>

namespace veltrix {

// A draggable handle on one point of the field being edited. Its size is given in
// pixels and divided by the view scale, so it looks the same at every zoom; its
// position is the point in scene coordinates, (x, -y) for area point (x, y).
class PointHandle : public QGraphicsObject
{
    Q_OBJECT

public:
    static constexpr qreal HandleZValue = 7;  // above every field and scan item

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    // The view's scale: the handle's extent in scene units changes with it.
    void SetViewScale(double scale);

    QColor Color() const { return color; }
    void SetColor(const QColor &value);

    // The square the handle fills, in integer scene units around its position.
    QRect PaintedRect() const;

protected:
    PointHandle(double pixelWidth, double pixelHeight, double viewScale, const QColor &color);
    double CurrentScale() const;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    double pixelWidth;
    double pixelHeight;
    double viewScale;
    QColor color;
};

}  // namespace veltrix
