#pragma once

#include <QPoint>
#include <QVector>
#include <QtGlobal>

namespace veltrix {

// Where the scan outline puts the measured points, shared by the outline drawing and
// by whatever tests points against the fields.

// Sample `index` (0..539) of a serial scan, taken as a radius, in the view's frame
// (y down): half a degree apart, clockwise on the screen from 135.5° for the sample
// before the first; a forward-mounted scanner draws every sample half a degree further
// on than an inverted one. Truncated toward zero as the outline draws it.
QPoint SerialSampleViewPoint(int index, quint16 value, bool invertedMount);

// A point in the view's frame (the frame of the outline and of the Ethernet cloud the
// link stores) in area coordinates (y forward), and back.
inline QPoint AreaFromView(const QPoint &view) { return QPoint(view.x(), -view.y()); }

// The measured points of a serial scan in area coordinates, in sample order.
QVector<QPoint> SerialScanAreaPoints(const QVector<quint16> &values, bool invertedMount);

// The first `count` points of an Ethernet cloud (the link's x and y, view frame) in
// area coordinates.
QVector<QPoint> CloudAreaPoints(const QVector<qint32> &x, const QVector<qint32> &y, int count);
QVector<QPoint> CloudAreaPoints(const QVector<QPoint> &viewPoints);

}  // namespace veltrix
