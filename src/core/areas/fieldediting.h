#pragma once

#include "core/areas/arearecord.h"

#include <QPoint>
#include <QString>
#include <QVector>

namespace veltrix {

// Point editing of one output field, shared by the coordinate tables and usable
// without widgets. A field is addressed by its index 0..2 (Out1..Out3).

// Column indexes of both coordinate tables: point number, then x / distance, then
// y / angle.
enum CoordColumn { PointNumberColumn = 0, FirstValueColumn = 1, SecondValueColumn = 2 };

// Largest magnitude accepted from a cell: the largest float below 2^31, so that every
// value read, and every coordinate computed from it, converts to a 32-bit integer.
constexpr float CellNumberLimit = 2147483520.0f;

constexpr float DegreesPerRadian = 57.29578f;
constexpr float RadiansPerDegree = 0.017453292f;

// Radius of the point appended when an angle is typed into the polar new-point row.
constexpr float NewPolarPointRadius = 20.0f;

// The number typed into a cell, in single precision. Text that is not a number gives
// 0; so do infinities and NaN, which the text reader would otherwise accept. Finite
// values are clamped to +-CellNumberLimit.
float ReadCellNumber(const QString &text);

// Rounds a cartesian entry: positive values half up, negative values truncated toward
// zero (2.5 -> 3, -2.5 -> -2, -2.7 -> -2). Non-finite values give 0 and values beyond
// the integer range are clamped into it.
qint32 RoundEntry(float value);

// Restores the shape's invariants after point `index` of `field` changed: the other
// arc point is moved onto the edited point's radius, the rectangle's neighbours follow
// the edited corner, and the single point of a dependent Out2/Out3 shape gets x = 0.
// Only edits of existing points need this: new points are appended to polygons only.
void ApplyShapeRules(AreaRecord &area, int field, int index);

// A cell of a cartesian table was edited. `row` below the point count edits that point
// (column 1 sets x, column 2 y, column 0 nothing) and applies the shape rules; the row
// after the last point of a polygon appends a point when the value read is not 0.
// Returns true when the edit counts as a change of the field (an existing point was
// edited or a point was appended), false when nothing was done.
bool EditCartesianCell(AreaRecord &area, int field, int row, int column, const QString &text);

// A cell of a polar table was edited: column 1 sets the distance (unrounded), column 2
// the angle in degrees; the point is rebuilt from its polar form. In the new-point row
// of a polygon a distance appends (distance, 0) and an angle appends a point 20 mm
// from the scanner at that angle. Column 0 changes nothing. Return value as above.
bool EditPolarCell(AreaRecord &area, int field, int row, int column, const QString &text);

// Removes point `row` of a polygon field. Other shapes, an empty field and rows that
// are not point rows are left alone. Returns true when a point was removed.
bool RemovePolygonPoint(AreaRecord &area, int field, int row);

// True when `field` may hold `shape`: Out1 only the independent shapes, Out2 and Out3
// all six.
bool IsShapeAllowed(int field, qint32 shape);

// The points a field is given when `shape` is chosen for it: two points (20, 0) for an
// arc, four for a rectangle, one (0, 20) for a dependent shape. Polygon keeps the
// existing points and has no entry (an empty list).
QVector<QPoint> InitialShapePoints(qint32 shape);

// The user chose `shape` for `field`. When the field already has that shape nothing
// changes and false is returned; otherwise the points are replaced by the shape's
// initial points (a polygon keeps its points), the shape is stored and true returned.
bool ChooseFieldShape(AreaRecord &area, int field, qint32 shape);

// Cell texts of point `index`: cartesian "x", "y"; polar the distance and the angle
// in degrees, in the general format with 6 significant digits.
QString CartesianCellText(const QPoint &point, int column);
QString PolarCellText(const QPoint &point, int column);

}  // namespace veltrix
