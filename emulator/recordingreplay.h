#pragma once

#include "scansource.h"

#include "core/record/recordingreader.h"

#include <QString>

#include <vector>

namespace veltrix {

// A scan recording as the scanner's surroundings: the recording plays in a loop at
// its recorded pace, and a beam finds the recorded point nearest to its bearing in
// the scan on show at that moment. Serial samples keep their recorded distances
// exactly (for a scanner mounted as the recording's was); cloud points give the
// distance of their recorded x and y, within the millimetre those were truncated to.
class RecordingReplay : public ScanSource
{
public:
    // A beam further than this from every recorded point meets nothing.
    static constexpr double MaxBearingGap = 1.0;  // degrees

    bool open(const QString &fileName, QString *error);

    int model() const { return m_reader.header().model; }
    int scanCount() const { return m_reader.scanCount(); }
    // Scans per second: the recording's average pace.
    double scanRate() const { return 1000.0 / m_intervalMs; }
    // One round of the loop: from the first scan to one interval after the last.
    qint64 loopMs() const { return m_loopMs; }
    // The recorded scan on show at ms after the scanner started.
    int scanAt(qint64 ms) const;

    Echo echo(double vehicleDegrees, qint64 ms) const override;

private:
    struct Beam
    {
        double degrees;  // vehicle frame, -90..270
        Echo echo;
    };
    bool load(int scan) const;

    mutable RecordingReader m_reader;
    double m_intervalMs = 1.0;
    qint64 m_loopMs = 1;
    mutable int m_loaded = -1;
    mutable std::vector<Beam> m_beams;  // of the loaded scan, in bearing order
};

}  // namespace veltrix
