#pragma once

#include <QGraphicsObject>

namespace veltrix {

// A scene item that covers the whole range square of the scanner model, centred on
// the scanner: the field items and the live-scan items. Covering the square lets the
// view find them under the mouse wherever no handle lies.
class RangeItem : public QGraphicsObject
{
    Q_OBJECT

public:
    RangeItem(double rangeWidth, double rangeHeight, qreal zValue);

    QRectF boundingRect() const override;
    QPainterPath shape() const override;

    void SetRange(double width, double height);
    double RangeWidth() const { return rangeWidth; }
    double RangeHeight() const { return rangeHeight; }

private:
    double rangeWidth;
    double rangeHeight;
};

}  // namespace veltrix
