#include "core/record/recordedscan.h"

#include "core/graphics/scanpoints.h"

namespace veltrix {

bool operator==(const RecordedScan &a, const RecordedScan &b)
{
    return a.timeMs == b.timeMs && a.activeArea == b.activeArea && a.inputs == b.inputs
        && a.outputs == b.outputs && a.status == b.status && a.invertedMount == b.invertedMount
        && a.link == b.link && a.distances == b.distances && a.intensities == b.intensities
        && a.cloudDistances == b.cloudDistances && a.cloudIntensities == b.cloudIntensities;
}

QVector<QPoint> ScanAreaPoints(const RecordedScan &scan)
{
    if (scan.link == ScanLink::Serial)
        return SerialScanAreaPoints(scan.distances, scan.invertedMount);
    return CloudAreaPoints(scan.cloudDistances);
}

}  // namespace veltrix
