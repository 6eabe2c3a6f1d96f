#include "graphics/paintout.h"

#include "areas/areamodel.h"
#include "graphics/fieldshapes.h"

#include <QPainter>

namespace veltrix {

PaintOutItem::PaintOutItem(int field, double rangeWidth, double rangeHeight,
                           AreaModel *areaModel)
    : RangeItem(rangeWidth, rangeHeight, field + 1), field(field), areaModel(areaModel)
{
}

void PaintOutItem::StorePreviousPath(const QPainterPath &path)
{
    if (path == previousPath)
        return;
    previousPath = path;
    update();
}

void PaintOutItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!areaModel)
        return;
    const AreaRecord &area = areaModel->current();
    const FieldDrawing drawing = BuildFieldDrawing(field, area.shape(field), area.points(field),
                                                   previousPath, RangeWidth(), RangeHeight());
    const int alpha = areaModel->currentField == field ? EditedFieldAlpha : OtherFieldAlpha;
    PaintFieldDrawing(painter, drawing, FieldColor(field, alpha));
    Announce(drawing.announced);
}

PAINT_OUT1::PAINT_OUT1(double rangeWidth, double rangeHeight, AreaModel *areaModel)
    : PaintOutItem(0, rangeWidth, rangeHeight, areaModel)
{
}

PAINT_OUT2::PAINT_OUT2(double rangeWidth, double rangeHeight, AreaModel *areaModel)
    : PaintOutItem(1, rangeWidth, rangeHeight, areaModel)
{
}

PAINT_OUT3::PAINT_OUT3(double rangeWidth, double rangeHeight, AreaModel *areaModel)
    : PaintOutItem(2, rangeWidth, rangeHeight, areaModel)
{
}

}  // namespace veltrix
