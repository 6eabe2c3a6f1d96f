#pragma once

#include "core/areas/arearecord.h"

#include <QColor>
#include <QPainterPath>
#include <QPen>
#include <QPoint>
#include <QPolygonF>
#include <QVector>
#include <array>

class QPainter;

namespace veltrix {

// Field colours, shared by the view and the area thumbnails.
constexpr int EditedFieldAlpha = 200;
constexpr int OtherFieldAlpha = 125;
QColor FieldColor(int field, int alpha);

// White 1 mm outline of polygon, straight, fan and ratio fields (arcs have none).
QPen FieldOutlinePen();

// The polygon of a field taken as the region swept from the scanner: the origin,
// the points in ascending polar angle as scene points (x, -y), the origin again.
// Points with equal angle keep only the later one in list order.
QPolygonF AngleSortedPolygon(const QVector<QPoint> &points);

// What one field contributes to a picture, decided from its shape type and points
// and, for the dependent shapes, from the path of the field before it.
struct FieldDrawing
{
    bool visible = false;     // false: the field draws nothing
    QPainterPath path;        // region to draw, in scene millimetres
    bool outlined = false;    // arcs are filled only
    qreal scaleFactor = 1.0;  // ratio: painter scaling about the scanner for path
    QPainterPath announced;   // the path a following dependent field derives from
};

// field: 0 Out1, 1 Out2, 2 Out3. Out1 accepts only the independent shapes. A field
// that draws nothing announces an empty path, so a following dependent field is
// empty too instead of showing a shape derived from something no longer drawn.
FieldDrawing BuildFieldDrawing(int field, qint32 shape, const QVector<QPoint> &points,
                               const QPainterPath &previous, double rangeWidth,
                               double rangeHeight);

// The three fields of an area as they are drawn together, Out1 first: each dependent
// field derived from what the field before it announced.
using AreaDrawing = std::array<FieldDrawing, FieldCount>;
AreaDrawing BuildAreaDrawing(const AreaRecord &area, double rangeWidth, double rangeHeight);

// Draws a field with the given fill colour; the painter's transform is left as found.
void PaintFieldDrawing(QPainter *painter, const FieldDrawing &drawing, const QColor &fill);

// Device pixels kept around the device when a path is cut to it: beyond any outline
// pen and antialiasing fringe.
constexpr qreal VisibleMargin = 64.0;

// The part of `path` (in the coordinates that `toDevice` maps to the device) within
// `device` and VisibleMargin around it, for painting: an antialiased fill costs time
// in proportion to the path's extent on the device rather than to what shows, and a
// field reaching a point a kilometre out took a quarter of a second a frame. Curves
// are followed at device resolution, and inside the margin the part is the path
// itself; a path that lies within it already is returned unchanged.
QPainterPath VisiblePart(const QPainterPath &path, const QTransform &toDevice, const QRectF &device);
// The same for a path about to be drawn with `painter`: the part within its device
// (the path itself when the painter has no device).
QPainterPath VisiblePart(const QPainterPath &path, const QPainter *painter);

}  // namespace veltrix
