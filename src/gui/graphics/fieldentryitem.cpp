#include "gui/graphics/fieldentryitem.h"

#include <QPaintDevice>
#include <QPainter>

#include <QtMath>

#include <algorithm>
#include <vector>

namespace veltrix {

namespace {

const QColor EntryColors[FieldCount] = {QColor(255, 204, 0), QColor(255, 96, 0), QColor(214, 0, 0)};
const QColor RimColor(39, 50, 63);

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
// another field's rim and Out1's lie on top. A wall inside a field enters with
// thousands of points on a few hundred dots' room: each dot is drawn once, on a grid of
// half its size, which the eye cannot tell from the points' own pixels.
void FieldEntryItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QTransform toDevice = painter->worldTransform();
    const int dot = static_cast<int>(DotPixels);
    const int rim = dot + 2 * static_cast<int>(RimPixels);
    // Cells of the grid, as their row and column offset into one unsigned key; only
    // those on the device (and the dots reaching into it) are drawn.
    constexpr int Grid = 2;
    constexpr qint64 Bias = qint64(1) << 30;
    const QRectF device = painter->device()
        ? QRectF(-rim, -rim, painter->device()->width() + 2 * rim, painter->device()->height() + 2 * rim)
        : QRectF();
    std::array<QVector<QRect>, FieldCount> dots;
    std::array<QVector<QRect>, FieldCount> rims;
    std::vector<quint64> cells;
    for (int field = 0; field < FieldCount; ++field) {
        const QPolygonF &points = m_points[static_cast<size_t>(field)];
        cells.clear();
        cells.reserve(static_cast<size_t>(points.size()));
        for (const QPointF &point : points) {
            const QPointF at = toDevice.map(point);
            if (!device.contains(at))
                continue;
            const quint64 column = quint64(qFloor(at.x() / Grid) + Bias);
            const quint64 row = quint64(qFloor(at.y() / Grid) + Bias);
            cells.push_back(row << 32 | column);
        }
        std::sort(cells.begin(), cells.end());
        cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
        for (const quint64 cell : cells) {
            const int x = int(qint64(cell & 0xFFFFFFFFu) - Bias) * Grid;
            const int y = int(qint64(cell >> 32) - Bias) * Grid;
            dots[static_cast<size_t>(field)].append(QRect(x - dot / 2, y - dot / 2, dot, dot));
            rims[static_cast<size_t>(field)].append(QRect(x - rim / 2, y - rim / 2, rim, rim));
        }
    }
    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(Qt::NoPen);
    painter->setBrush(RimColor);
    for (const QVector<QRect> &fieldRims : rims)
        painter->drawRects(fieldRims);
    for (int field = FieldCount - 1; field >= 0; --field) {
        painter->setBrush(EntryColor(field));
        painter->drawRects(dots[static_cast<size_t>(field)]);
    }
    painter->restore();
}

}  // namespace veltrix
