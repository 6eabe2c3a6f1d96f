#pragma once

#include "core/link/framebuilders.h"
#include "core/link/frames.h"
#include "core/link/scannerconfiguration.h"
#include "core/link/serialcomm.h"

#include <QByteArray>

namespace veltrix {

// The steps of reading a scanner's whole configuration, shared by the read-all, the
// verification and the read-back that ends a write-all: "RPara", "RCase", then "RArea"
// for areas 0 to 63, one request per reply, staged in a copy of the configuration it
// starts from. Only the answer for the area asked for now moves the areas on: a late
// answer to an area asked for again after a time-out, one left over from an earlier
// read, or an index above 63 is not taken (the time-out asks again).
class ConfigurationReading
{
public:
    enum class Step { Parameters, Case, Area };

    explicit ConfigurationReading(const ScannerConfiguration &base = ScannerConfiguration());

    bool isDone() const { return m_areaIndex >= AreaCount; }
    // The next area asked for, 0..63 (64 once done).
    int areaIndex() const { return m_areaIndex; }
    const ScannerConfiguration &configuration() const { return m_staged; }

    bool wants(SERIAL_COMM::RequestFlag flag) const;
    // The request of flag, 0 when it has none.
    int buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer) const;
    bool accepts(FrameId id, const QByteArray &frame) const;
    // Stores a reply that accepts() took; areas are decoded mirrored when inverted.
    Step take(FrameId id, const QByteArray &frame, bool inverted);

    // The mounting the parameters read say (parameter word 14).
    bool readInverted() const;

private:
    ScannerConfiguration m_staged;
    bool m_parametersRead = false;
    bool m_caseRead = false;
    int m_areaIndex = 0;
};

}  // namespace veltrix
