#pragma once

#include "syntheticroom.h"

#include "core/link/payloads.h"
#include "core/project/devicemodels.h"

#include <QString>
#include <QtGlobal>


namespace veltrix {

// Index 0..4 of a model name such as "05" or "50"; -1 when unknown.
int scannerModelIndex(const QString &name);

// How the emulated scanner is built and what it answers, apart from what travels on
// the wire and is stored (areas, case data, parameters).
struct ScannerConfig
{
    static constexpr double DefaultScanRate = 15.0;  // scans per second

    int model = 0;
    ProductInfo product{KnownProductCode, 105, 1, 2024, 1, 1};
    bool longProductReply = false;  // answer "RPrda" with the 509-byte form
    quint8 inputs = 0;              // input state when neither input nor case simulation is on
    quint16 faultBits = 0;          // status word when fault simulation is off
    double scanRate = DefaultScanRate;
    double objectSpeed = SyntheticRoom::DefaultObjectSpeed;  // mm/s; 0 keeps the object still
    int ethernetMode = 0;           // parameter word 16 at power-up: 0 TCP, 1 UDP
    bool inverted = false;          // parameter word 14 at power-up

    // Acknowledgement status answers, for seeing how the program copes. -1: none.
    int areaStatusArea = -1;        // this area's next "WArea" is answered...
    int areaStatusValue = 0;        // ...with this status, once
    bool areaStatusAlways = false;  // ...or every time
    int wrongIndexArea = -1;        // this area's next "RArea" names an area above 63
    int parameterStatus = 0;        // every "WPara" is answered with this status
    int caseStatus = 0;             // every "WCase" is answered with this status

    int rangeLimit() const { return DeviceModels[static_cast<size_t>(model)].rangeLimit; }
};

}  // namespace veltrix
