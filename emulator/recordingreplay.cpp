#include "recordingreplay.h"

#include "core/graphics/scanpoints.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace veltrix {

namespace {

constexpr double SerialLastDegrees = 224.5;  // bearing of the serial sample k = 0...
constexpr double SerialStepDegrees = 0.5;    // ...and the step to the next one, clockwise
constexpr double DefaultIntervalMs = 1000.0 / 15.0;  // a recording of one scan

quint16 toDistance(double length)
{
    // The link truncated x and y toward zero, which shortens a point by less than
    // 1.5 mm; rounding up gives back the distance sent in nearly every case.
    return static_cast<quint16>(qBound(0.0, std::ceil(length - 1e-6), 65535.0));
}

double bearingOf(const QPoint &area)
{
    double degrees = qRadiansToDegrees(std::atan2(double(area.y()), double(area.x())));
    return degrees < -90.0 ? degrees + 360.0 : degrees;
}

}  // namespace

bool RecordingReplay::open(const QString &fileName, QString *error)
{
    m_loaded = -1;
    if (!m_reader.open(fileName, error))
        return false;
    const int count = m_reader.scanCount();
    if (count == 0) {
        if (error)
            *error = QStringLiteral("%1 holds no scans").arg(fileName);
        return false;
    }
    const double span = m_reader.timeOf(count - 1) - m_reader.timeOf(0);
    m_intervalMs = count > 1 && span > 0 ? span / (count - 1) : DefaultIntervalMs;
    m_loopMs = qMax<qint64>(1, qRound64(span + m_intervalMs));
    return true;
}

int RecordingReplay::scanAt(qint64 ms) const
{
    const qint64 within = ((ms % m_loopMs) + m_loopMs) % m_loopMs;
    return m_reader.scanAt(static_cast<quint32>(m_reader.timeOf(0) + within));
}

bool RecordingReplay::load(int scan) const
{
    if (scan == m_loaded)
        return true;
    RecordedScan recorded;
    if (!m_reader.readScan(scan, recorded, nullptr))
        return false;
    m_beams.clear();
    if (recorded.link == ScanLink::Serial) {
        for (int s = 0; s < recorded.distances.size(); ++s) {
            // Where the outline draws the stored sample s: one step further on for a
            // forward-mounted scanner.
            const int k = recorded.invertedMount ? s : s - 1;
            m_beams.push_back(Beam{SerialLastDegrees - SerialStepDegrees * k,
                                   Echo{recorded.distances.at(s), recorded.intensities.value(s)}});
        }
    } else {
        for (int i = 0; i < recorded.cloudDistances.size(); ++i) {
            const QPoint point = AreaFromView(recorded.cloudDistances.at(i));
            if (point.isNull())
                continue;  // nothing answered: no bearing either
            const QPoint light = recorded.cloudIntensities.at(i);
            m_beams.push_back(Beam{bearingOf(point),
                                   Echo{toDistance(std::hypot(point.x(), point.y())),
                                        toDistance(std::hypot(light.x(), light.y()))}});
        }
    }
    std::sort(m_beams.begin(), m_beams.end(), [](const Beam &a, const Beam &b) { return a.degrees < b.degrees; });
    m_loaded = scan;
    return true;
}

Echo RecordingReplay::echo(double vehicleDegrees, qint64 ms) const
{
    if (!load(scanAt(ms)) || m_beams.empty())
        return Echo();
    double degrees = std::fmod(vehicleDegrees + 90.0, 360.0);
    degrees = (degrees < 0 ? degrees + 360.0 : degrees) - 90.0;
    const auto after = std::lower_bound(m_beams.cbegin(), m_beams.cend(), degrees,
                                        [](const Beam &beam, double d) { return beam.degrees < d; });
    const Beam *nearest = nullptr;
    if (after != m_beams.cend())
        nearest = &*after;
    if (after != m_beams.cbegin() && (!nearest || degrees - (after - 1)->degrees < nearest->degrees - degrees))
        nearest = &*(after - 1);
    if (std::fabs(nearest->degrees - degrees) > MaxBearingGap)
        return Echo();
    return nearest->echo;
}

}  // namespace veltrix
