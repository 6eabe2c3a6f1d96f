#pragma once

#include "scannerconfig.h"
#include "syntheticroom.h"

#include "core/areas/areamodel.h"
#include "core/link/sensorparameters.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QVector>

#include <array>
#include <memory>

namespace veltrix {

// One scanner without any transport: complete request frames go in, reply frames
// come out. It keeps what "WArea", "WCase" and "WPara" store and hands it back
// byte for byte in "RArea", "RCase" and "RPara"; it measures a synthetic room (or
// replays a recording) for "RScan", "RStre" and the pushed "Cloud" sectors; and it answers "WSimu" from the
// simulation the program asks for, the case data and its own fields.
//
// The scanner stores areas exactly as they travel, in its own frame of reference:
// mounted upside down (parameter word 14) it sees the room mirrored left to right,
// and the program mirrors the areas it sends to match.
class EmulatedScanner : public QObject
{
    Q_OBJECT

public:
    // What a request does to the automatic cloud output of the connection it came on.
    enum class CloudCommand { Unchanged, Start, Stop };

    struct Response
    {
        QByteArray reply;  // empty: the request has no reply
        CloudCommand cloud = CloudCommand::Unchanged;
    };

    // The 540 samples of "RScan"/"RStre" are 0.5° apart from -44.5° to 225°; cloud
    // bearings run from 45° to 315° in sectors of CloudSectorDegrees.
    static constexpr int CloudSectorDegrees = 30;
    static constexpr int CloudSectorCount = (LastCloudSector - FirstCloudBearing) / CloudSectorDegrees;

    explicit EmulatedScanner(const ScannerConfig &config = ScannerConfig(), QObject *parent = nullptr);

    const ScannerConfig &config() const { return m_config; }
    const SyntheticRoom &room() const { return m_room; }
    // Looks at source (a recording, say) instead of the synthetic room from now on, as
    // a scanner of the given model pushing scanRate clouds a second.
    void setScanSource(std::unique_ptr<ScanSource> source, int model, double scanRate);

    // request holds one complete frame whose checksum has been checked.
    Response handle(const QByteArray &request);

    // Milliseconds since power-up, the clock of the moving object. A frozen clock
    // (for tests) stands still at the given time.
    qint64 now() const;
    void freezeClock(qint64 ms);

    bool inverted() const { return m_parameters[InstallDirectionWord] != 0; }
    int ethernetMode() const { return static_cast<int>(m_parameters[EthernetModeWord]); }

    // Live data at time ms, in the order the wire carries it.
    QVector<quint16> scanDistances(qint64 ms) const;
    QVector<quint16> scanIntensities(qint64 ms) const;
    // Points per scan in the cloud: 0.1° apart, or 0.2° when parameter word 18 asks.
    int cloudPointsPerScan() const;
    QByteArray cloudSector(int sector, qint64 ms) const;

    // The input state, output state and status word of a "WSimu" reply.
    struct IoState
    {
        quint8 inport = 0;
        quint8 outport = 0;
        quint16 status = 0;
    };
    IoState simulate(const QByteArray &request) const;
    // Output bits from the synthetic scan at time ms against the fields of area.
    quint8 intrudedOutputs(int area, qint64 ms) const;
    // The first area whose case data accepts steering angle, speed and operation mode; -1 when none.
    int caseArea(int steering, int speed, int operationMode) const;

    // Loads a configuration as the program holds it (areas in the vehicle's frame),
    // exactly as its write-all would store it: the areas mirrored when parameter
    // word 14 says the scanner hangs upside down, their case data, and parameter words
    // 0..21. Changes nothing and says why when an area cannot travel in a frame.
    bool preload(const QVector<AreaRecord> &areas, const SensorParameters &parameters, QString *error);

    // What the scanner holds, in its own frame, for tests.
    const SensorParameters &parameters() const { return m_parameters; }
    void setParameters(const SensorParameters &parameters);
    QByteArray areaFrame(int index) const { return m_areaFrames.at(index); }
    AreaRecord area(int index) const;
    void setArea(int index, const AreaRecord &area);
    QVector<AreaRecord> caseData() const;
    void setCaseData(const QVector<AreaRecord> &areas);

    static constexpr int EthernetModeWord = 16;
    static constexpr int ScanAngleWord = 18;

signals:
    // "RBoot" restarted the scanner: live streams start again with a fresh scan.
    void rebooted();

private:
    QByteArray storeArea(const QByteArray &request);
    QByteArray storeCase(const QByteArray &request);
    QByteArray storeParameters(const QByteArray &request);
    QByteArray readArea(int index) const;
    Echo echoAt(double deviceDegrees, qint64 ms) const;

    ScannerConfig m_config;
    SyntheticRoom m_room;
    std::unique_ptr<ScanSource> m_source;  // null: the room
    SensorParameters m_parameters;
    std::array<QByteArray, AreaCount> m_areaFrames;
    QByteArray m_caseFrame;
    bool m_areaStatusPending;
    bool m_wrongIndexPending;
    QElapsedTimer m_clock;
    qint64 m_frozenAt = -1;
};

}  // namespace veltrix
