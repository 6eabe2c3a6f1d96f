#pragma once

#include <QtGlobal>

namespace veltrix {

// One echo: how far the beam went and how strongly the surface reflected it.
struct Echo
{
    quint16 distance = 0;   // mm; 0: nothing answered
    quint16 intensity = 0;
};

// What the emulated scanner looks at: the surroundings a beam meets. Bearings are in
// degrees in the vehicle's frame (counter-clockwise from +x, y forward); times in
// milliseconds since the scanner started.
class ScanSource
{
public:
    virtual ~ScanSource() = default;

    // The first surface met by a beam leaving the scanner at vehicleDegrees at time ms.
    virtual Echo echo(double vehicleDegrees, qint64 ms) const = 0;
};

}  // namespace veltrix
