#include "gui/graphics/painttable.h"

#include "core/areas/areamodel.h"
#include "core/areas/polar.h"
#include "core/graphics/fieldshapes.h"
#include "core/project/devicemodels.h"

#include <QPainter>

namespace veltrix {

namespace {
constexpr float ThumbnailRadius = 50.0f;  // pixels from the centre to the farthest point
const QColor CrossColor(128, 128, 128, 128);
}  // namespace

PAINT_TABLE::PAINT_TABLE(int areaIndex, const AreaModel *areaModel, QWidget *parent)
    : QWidget(parent),
      areaIndex(areaIndex),
      areaModel(areaModel),
      rangeWidth(DeviceModels[0].rangeSquare),
      rangeHeight(DeviceModels[0].rangeSquare)
{
    setGeometry(0, 0, 40, 100);
}

void PAINT_TABLE::SetRange(double width, double height)
{
    rangeWidth = width;
    rangeHeight = height;
    update();
}

void PAINT_TABLE::paintEvent(QPaintEvent *)
{
    const bool known = areaModel && areaIndex >= 0 && areaIndex < AreaCount;

    float farthest = 0.0f;
    if (known) {
        const AreaRecord &area = areaModel->area(areaIndex);
        for (int field = 0; field < FieldCount; ++field) {
            for (const QPoint &point : area.points(field))
                farthest = qMax(farthest, PolarOf(point).radius);
        }
    }

    QPainter painter(this);
    QPen cross(CrossColor);
    cross.setStyle(Qt::DotLine);
    painter.setPen(cross);
    const int halfWidth = width() / 2;
    const int halfHeight = height() / 2;
    painter.translate(halfWidth, halfHeight);
    painter.drawLine(-halfWidth, 0, halfWidth, 0);
    painter.drawLine(0, -halfHeight, 0, halfHeight);
    if (farthest == 0.0f)
        return;

    const float factor = ThumbnailRadius / farthest;
    painter.scale(factor, factor);

    const AreaDrawing drawing = BuildAreaDrawing(areaModel->area(areaIndex), rangeWidth, rangeHeight);
    for (int field = 0; field < FieldCount; ++field)
        PaintFieldDrawing(&painter, drawing[field], FieldColor(field, EditedFieldAlpha));
}

}  // namespace veltrix
