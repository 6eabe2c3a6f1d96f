#pragma once

#include "core/areas/areamodelstate.h"
#include "core/areas/arearecord.h"
#include "core/link/sensorparameters.h"

#include <QVector>

namespace veltrix {

// Everything a scanner holds of its configuration, as one value: the parameter block
// and the 64 areas with their switching numbers and case words. A read-all fills one
// (applied to the document only once complete), a write-all sends a snapshot of one,
// and a verification compares two.
struct ScannerConfiguration
{
    SensorParameters parameters;
    QVector<AreaRecord> areas = QVector<AreaRecord>(AreaCount);

    friend bool operator==(const ScannerConfiguration &a, const ScannerConfiguration &b)
    {
        return a.parameters == b.parameters && a.areas == b.areas;
    }
    friend bool operator!=(const ScannerConfiguration &a, const ScannerConfiguration &b)
    {
        return !(a == b);
    }
};

}  // namespace veltrix
