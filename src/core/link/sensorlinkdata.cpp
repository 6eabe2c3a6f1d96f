#include "core/link/sensorlinkdata.h"

namespace veltrix {

SensorLinkData::SensorLinkData()
    : scanDistances(SerialScanSize, 0), scanIntensities(SerialScanSize, 0)
{
    resetCloud();
}

void SensorLinkData::resetCloud()
{
    cloudIndex = 0;
    cloudCount = 0;
    ++scanSequence;
    ++intensitySequence;
    for (QVector<qint32> *v : {&cloudDistX, &cloudDistY, &cloudIntensityX, &cloudIntensityY})
        *v = QVector<qint32>(CloudCapacity, 0);
}

}  // namespace veltrix
