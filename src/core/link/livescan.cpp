#include "core/link/livescan.h"

#include "core/areas/areamodelstate.h"

namespace veltrix {

LiveScan::LiveScan()
    : scanDistances(SerialScanSize, 0), scanIntensities(SerialScanSize, 0)
{
    resetCloud();
}

void LiveScan::resetCloud()
{
    cloudIndex = 0;
    cloudCount = 0;
    ++scanSequence;
    ++intensitySequence;
    // Value-initialised: zeros, written at once rather than one element at a time.
    for (QVector<qint32> *v : {&cloudDistX, &cloudDistY, &cloudIntensityX, &cloudIntensityY})
        *v = QVector<qint32>(CloudCapacity);
}

void LiveScan::storeReport(const IoPortState &report)
{
    io = report;
    activeArea = qBound(0, static_cast<int>(report.inport), AreaCount - 1);
}

}  // namespace veltrix
