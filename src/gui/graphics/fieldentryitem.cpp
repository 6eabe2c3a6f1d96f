#include "gui/graphics/fieldentryitem.h"

#include "gui/graphics/scanitem.h"

#include <QPainter>

namespace veltrix {

namespace {

const QColor EntryColors[FieldCount] = {QColor(255, 204, 0), QColor(255, 96, 0), QColor(214, 0, 0)};
const QColor RimColor(39, 50, 63);

QPen DotPen(const QColor &color, qreal pixels)
{
    QPen pen(color, pixels, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    return pen;
}

}  // namespace

FieldEntryItem::FieldEntryItem()
{
    setZValue(DefaultZValue);
    setAcceptedMouseButtons(Qt::NoButton);
}

QColor FieldEntryItem::EntryColor(int field)
{
    return EntryColors[qBound(0, field, FieldCount - 1)];
}

QRectF FieldEntryItem::boundingRect() const
{
    if (!m_any)
        return QRectF();
    // Half the rimmed dot, and a pixel of rounding, beyond the outermost points.
    const qreal pixels = (DotPixels / 2 + RimPixels + 1) / qMax(m_viewScale, 1e-9);
    return m_bounds.adjusted(-pixels, -pixels, pixels, pixels);
}

QPainterPath FieldEntryItem::shape() const
{
    return QPainterPath();
}

void FieldEntryItem::SetEntries(const std::array<QVector<QPoint>, FieldCount> &points)
{
    prepareGeometryChange();
    qreal left = 0, top = 0, right = 0, bottom = 0;
    m_any = false;
    for (int field = 0; field < FieldCount; ++field) {
        QPolygonF &scene = m_points[static_cast<size_t>(field)];
        scene.clear();
        scene.reserve(points[static_cast<size_t>(field)].size());
        for (const QPoint &point : points[static_cast<size_t>(field)]) {
            const QPointF at(point.x(), -point.y());
            scene.append(at);
            left = m_any ? qMin(left, at.x()) : at.x();
            right = m_any ? qMax(right, at.x()) : at.x();
            top = m_any ? qMin(top, at.y()) : at.y();
            bottom = m_any ? qMax(bottom, at.y()) : at.y();
            m_any = true;
        }
    }
    m_bounds = QRectF(QPointF(left, top), QPointF(right, bottom));
    update();
}

void FieldEntryItem::Clear()
{
    SetEntries({});
}

void FieldEntryItem::SetViewScale(double scale)
{
    if (scale == m_viewScale)
        return;
    prepareGeometryChange();
    m_viewScale = scale;
}

// Every rim first, then the dots from Out3 up to Out1, so that a dot is never hidden by
// another field's rim and Out1's lie on top.
void FieldEntryItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QTransform toDevice = painter->worldTransform();
    std::array<QPolygon, FieldCount> pixels;
    for (int field = 0; field < FieldCount; ++field)
        pixels[static_cast<size_t>(field)] = DevicePixels(m_points[static_cast<size_t>(field)], toDevice);
    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(DotPen(RimColor, DotPixels + 2 * RimPixels));
    for (const QPolygon &dots : pixels)
        painter->drawPoints(dots);
    for (int field = FieldCount - 1; field >= 0; --field) {
        painter->setPen(DotPen(EntryColor(field), DotPixels));
        painter->drawPoints(pixels[static_cast<size_t>(field)]);
    }
    painter->restore();
}

}  // namespace veltrix
