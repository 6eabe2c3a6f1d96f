#pragma once

#include <QPoint>
#include <QVector>
#include <QtGlobal>

namespace veltrix {

// How a recorded scan reached the program: polled serial arrays or a pushed cloud.
enum class ScanLink : quint8 { Serial = 0, Ethernet = 1 };

// One scan as the program received it, with what the scanner reported beside it.
struct RecordedScan
{
    quint32 timeMs = 0;       // since the recording started
    quint8 activeArea = 0;    // the area the scanner reported as active
    quint8 inputs = 0;        // input and output port states (their low bytes)
    quint8 outputs = 0;
    quint16 status = 0;       // the status word
    bool invertedMount = false;
    ScanLink link = ScanLink::Serial;
    // Serial: the 540 distances and intensities in the order the link stores them
    // (which depends on the mounting).
    QVector<quint16> distances;
    QVector<quint16> intensities;
    // Ethernet: the cloud's distance and intensity points, x and y in mm in the frame
    // the link stores them in, the view's (y grows toward the back).
    QVector<QPoint> cloudDistances;
    QVector<QPoint> cloudIntensities;

    friend bool operator==(const RecordedScan &a, const RecordedScan &b);
    friend bool operator!=(const RecordedScan &a, const RecordedScan &b) { return !(a == b); }
};

// The measured distance points of a scan in area coordinates (x right, y forward),
// where the scan outline draws them.
QVector<QPoint> ScanAreaPoints(const RecordedScan &scan);

// What a recording says about itself.
struct RecordingHeader
{
    int model = 0;                      // scanner model index 0..4
    bool checksumKnown = false;         // whether the scanner's configuration checksum was known
    quint32 configurationChecksum = 0;  // CRC-32 over the scanner's configuration
    qint64 startedMs = 0;               // start of the recording, ms since 1970-01-01 UTC

    friend bool operator==(const RecordingHeader &a, const RecordingHeader &b)
    {
        return a.model == b.model && a.checksumKnown == b.checksumKnown
            && a.configurationChecksum == b.configurationChecksum && a.startedMs == b.startedMs;
    }
};

}  // namespace veltrix
