#pragma once

#include "core/link/payloads.h"

#include <QVector>
#include <QtGlobal>

namespace veltrix {

constexpr int CloudCapacity = 30000;  // point slots of one Ethernet scan
constexpr int SerialScanSize = 540;   // distances (or intensities) of one serial scan

// What the scanner reports as it runs, as the link last stored it: the serial scan
// arrays, the assembled Ethernet cloud (in scene coordinates), and the input, output
// and status report of the simulation exchange with the area the inputs choose. The
// link owns it and announces each change (ReceiveScanfData, ReceiveIntensityData,
// IOPortSignals); readers re-read it then.
struct LiveScan
{
    LiveScan();

    QVector<qint32> cloudDistX;
    QVector<qint32> cloudDistY;
    QVector<qint32> cloudIntensityX;
    QVector<qint32> cloudIntensityY;
    qint32 cloudIndex = 0;  // next slot while an Ethernet scan is being assembled
    qint32 cloudCount = 0;  // points of the last complete Ethernet scan
    QVector<quint16> scanDistances;
    QVector<quint16> scanIntensities;

    // Counted up whenever a new distance (intensity) scan is stored or the store is
    // emptied, so that a drawing knows whether its points are still the latest.
    quint32 scanSequence = 0;
    quint32 intensitySequence = 0;

    // The last "WSimu" reply, and the area its inputs choose (0..63).
    IoPortState io;
    qint32 activeArea = 0;

    // Empties the cloud store: index and count 0, all vectors back to full size, zero.
    void resetCloud();
    // Stores a simulation report and the area it chooses: the input number bounded to
    // the 64 areas (inputs beyond the six, or a byte widened negative, name none).
    void storeReport(const IoPortState &report);
};

}  // namespace veltrix
