#pragma once

#include <QGraphicsItem>

namespace veltrix {

// Item type numbers of the scene's own items, so that qgraphicsitem_cast can tell
// them apart without comparing pointers.
enum ItemType : int {
    PaintOut1Type = QGraphicsItem::UserType + 1,
    PaintOut2Type = QGraphicsItem::UserType + 2,
    PaintOut3Type = QGraphicsItem::UserType + 3,
    PaintOutlineType = QGraphicsItem::UserType + 4,
    PaintStrengthType = QGraphicsItem::UserType + 5,
    PointPointType = QGraphicsItem::UserType + 6,
    PointRatioType = QGraphicsItem::UserType + 7,
    FieldEntryType = QGraphicsItem::UserType + 8,
};

}  // namespace veltrix
