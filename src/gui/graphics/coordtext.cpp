#include "gui/graphics/coordtext.h"

#include "core/areas/polar.h"

namespace veltrix {

namespace {
constexpr float DegreesPerRadian = 57.29578f;
}

QString CoordinateStatusText(const QPoint &scenePoint)
{
    const QPoint area(scenePoint.x(), -scenePoint.y());
    const Polar polar = PolarOf(area);
    return QStringLiteral("X: %1 [mm], Y: %2 [mm] | R: %3 [mm], Th: %4 [deg]")
        .arg(area.x())
        .arg(area.y())
        .arg(static_cast<double>(polar.radius), 0, 'g')
        .arg(static_cast<double>(polar.angle * DegreesPerRadian), 0, 'g');
}

}  // namespace veltrix
