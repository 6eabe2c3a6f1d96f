#pragma once

#include <QPoint>
#include <QString>

namespace veltrix {

// The status-bar text for a cursor position given in scene millimetres (y down):
// "X: .. [mm], Y: .. [mm] | R: .. [mm], Th: .. [deg]" in area coordinates, the
// angle in [-90, 270) degrees.
QString CoordinateStatusText(const QPoint &scenePoint);

}  // namespace veltrix
