#include "gui/graphics/paintout.h"

#include <QPainter>

namespace veltrix {

PaintOutItem::PaintOutItem(int field, double rangeWidth, double rangeHeight)
    : RangeItem(rangeWidth, rangeHeight, field + 1), field(field)
{
}

void PaintOutItem::SetDrawing(const FieldDrawing &value, const QPainterPath &previous)
{
    drawing = value;
    previousPath = previous;
    update();
}

void PaintOutItem::SetEdited(bool value)
{
    if (edited == value)
        return;
    edited = value;
    update();
}

void PaintOutItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    PaintFieldDrawing(painter, drawing, FieldColor(field, edited ? EditedFieldAlpha : OtherFieldAlpha));
}

}  // namespace veltrix
