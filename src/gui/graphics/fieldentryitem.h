#pragma once

#include "core/areas/arearecord.h"
#include "gui/graphics/itemtypes.h"

#include <QColor>
#include <QGraphicsItem>
#include <QPoint>
#include <QPolygonF>
#include <QVector>

#include <array>

namespace veltrix {

// The points of the current scan that lie inside the current area's fields, drawn
// over everything else as dots of a strong colour of their field, Out1's over Out2's
// over Out3's. The item is never under the mouse (its shape is empty), so handles
// and the view's panning work through it. Painting only draws.
class FieldEntryItem : public QGraphicsItem
{
public:
    enum { Type = FieldEntryType };
    // Above the fields (1..3), the scan items (5, 6) and the handles (7).
    static constexpr qreal DefaultZValue = 8;
    static constexpr qreal DotPixels = 5;   // the coloured square
    static constexpr qreal RimPixels = 1;   // dark rim around it

    FieldEntryItem();

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // The colour an entering point of field 0..2 is drawn in.
    static QColor EntryColor(int field);

    // The entering points per field (area coordinates), each in one field only.
    void SetEntries(const std::array<QVector<QPoint>, FieldCount> &points);
    void Clear();
    // Scene points per field.
    const std::array<QPolygonF, FieldCount> &Points() const { return m_points; }

    // The view's scale: how far a dot of a few pixels reaches in scene units.
    void SetViewScale(double scale);

private:
    QRectF m_bounds;  // of the points, without the dots' size
    bool m_any = false;
    std::array<QPolygonF, FieldCount> m_points;
    double m_viewScale = 1.0;
};

}  // namespace veltrix
