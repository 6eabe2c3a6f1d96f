#include "emulatedscanner.h"
#include "emulatoroptions.h"
#include "emulatorserver.h"
#include "recordingreplay.h"
#include "scannersession.h"

#include "core/link/framebuilders.h"
#include "core/link/sensorparameters.h"
#include "core/record/recordingwriter.h"

#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int CloudPoints = 2700;

// Serial scan n of the recording: distinct, known distances and intensities.
RecordedScan serialScan(int n, quint32 time)
{
    RecordedScan scan;
    scan.timeMs = time;
    for (int s = 0; s < ScanValueCount; ++s) {
        scan.distances.append(static_cast<quint16>(1000 + 7 * s + 100 * n));
        scan.intensities.append(static_cast<quint16>(3000 - 3 * s + n));
    }
    return scan;
}

// Cloud scan n as the link stores the emulator's own clouds: point k a tenth of a
// degree after -45°, x and y truncated, in the view's frame.
RecordedScan cloudScan(int n, quint32 time)
{
    RecordedScan scan;
    scan.timeMs = time;
    scan.link = ScanLink::Ethernet;
    for (int k = 0; k < CloudPoints; ++k) {
        const double b = qDegreesToRadians(-45.0 + 0.1 * (k + 1));
        const double d = 800 + (k * 37 + 500 * n) % 4000, s = 1500 + k % 300;
        scan.cloudDistances.append(QPoint(int(d * std::cos(b)), int(-d * std::sin(b))));
        scan.cloudIntensities.append(QPoint(int(s * std::cos(b)), int(-s * std::sin(b))));
    }
    return scan;
}

quint16 recordedDistance(const RecordedScan &scan, int k)
{
    const QPoint p = scan.cloudDistances.at(k);
    return static_cast<quint16>(std::ceil(std::hypot(p.x(), p.y()) - 1e-6));
}

QString writeRecording(const QTemporaryDir &dir, const QString &name, const QVector<RecordedScan> &scans, int model)
{
    const QString path = dir.filePath(name);
    RecordingWriter writer;
    RecordingHeader header;
    header.model = model;
    QString error;
    if (!writer.open(path, header, &error))
        qFatal("%s", qPrintable(error));
    for (const RecordedScan &scan : scans)
        writer.write(scan, &error);
    writer.close(&error);
    return path;
}

QVector<quint16> wireValues(EmulatedScanner &scanner, int (*builder)(FrameBuffer &))
{
    FrameBuffer buffer;
    const QByteArray reply = scanner.handle(QByteArray(buffer.data(), builder(buffer))).reply;
    QVector<quint16> values;
    for (int j = 0; j < ScanValueCount; ++j)
        values.append(scanValue(reply.constData(), j));
    return values;
}

std::unique_ptr<RecordingReplay> replayOf(const QString &path)
{
    auto replay = std::make_unique<RecordingReplay>();
    QString error;
    if (!replay->open(path, &error))
        qFatal("%s", qPrintable(error));
    return replay;
}

}  // namespace

class TestReplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void serialScansComeBackAtTheirPaceInALoop();
    void anInvertedScannerSeesTheSameSurroundings();
    void cloudScansComeBackWholeThroughTheSectors();
    void aRecordingThatCannotBeReplayedStopsTheStart();

private:
    QTemporaryDir m_dir;
    QVector<RecordedScan> m_serial;
    QString m_serialFile;
    QVector<RecordedScan> m_clouds;
    QString m_cloudFile;
};

void TestReplay::initTestCase()
{
    m_serial = {serialScan(0, 0), serialScan(1, 100), serialScan(2, 200)};
    m_serialFile = writeRecording(m_dir, QStringLiteral("serial.rec"), m_serial, 2);
    m_clouds = {cloudScan(0, 1000), cloudScan(1, 1067), cloudScan(2, 1133)};
    m_cloudFile = writeRecording(m_dir, QStringLiteral("cloud.rec"), m_clouds, 0);
}

// A forward-mounted scanner answers "RScan" and "RStre" with the recorded arrays, in
// the order the program stores back exactly as recorded (the first wire value at the
// last index), each scan while its time lasts, from the start again after the last.
void TestReplay::serialScansComeBackAtTheirPaceInALoop()
{
    EmulatedScanner scanner;
    scanner.setScanSource(replayOf(m_serialFile), 2, 10.0);
    QCOMPARE(scanner.config().model, 2);
    QCOMPARE(scanner.config().scanRate, 10.0);
    const QList<QPair<qint64, int>> moments = {{0, 0}, {99, 0}, {100, 1}, {250, 2}, {299, 2},
                                               {300, 0}, {410, 1}, {3299, 2}};
    for (const auto &moment : moments) {
        scanner.freezeClock(moment.first);
        const RecordedScan &expected = m_serial.at(moment.second);
        const QVector<quint16> distances = wireValues(scanner, buildRScan);
        const QVector<quint16> intensities = wireValues(scanner, buildRStre);
        for (int j = 0; j < ScanValueCount; ++j) {
            QCOMPARE(distances.at(j), expected.distances.at(ScanValueCount - 1 - j));
            QCOMPARE(intensities.at(j), expected.intensities.at(ScanValueCount - 1 - j));
        }
    }
}

// Mounted upside down, the scanner sends its samples the other way round and half a
// degree apart from a forward-mounted one: each wire value is the recorded sample at
// the same bearing of the vehicle.
void TestReplay::anInvertedScannerSeesTheSameSurroundings()
{
    ScannerConfig config;
    config.inverted = true;
    EmulatedScanner scanner(config);
    scanner.setScanSource(replayOf(m_serialFile), 2, 10.0);
    scanner.freezeClock(150);
    const QVector<quint16> distances = wireValues(scanner, buildRScan);
    for (int j = 0; j + 1 < ScanValueCount; ++j)
        QCOMPARE(distances.at(j), m_serial.at(1).distances.at(j + 1));
}

// Over Ethernet the sectors of one scan all come from the recorded scan on show when
// the scan began, even when the next recorded scan is due halfway through; distances
// come back within the millimetre the recorded x and y were truncated to.
void TestReplay::cloudScansComeBackWholeThroughTheSectors()
{
    EmulatedScanner scanner;
    scanner.setScanSource(replayOf(m_cloudFile), 0, 15.0);
    ScannerSession session(&scanner, DeliveryFaults(), 1);
    QList<QByteArray> packets;
    connect(&session, &ScannerSession::transmit, [&](const QByteArray &bytes) { packets.append(bytes); });
    FrameBuffer buffer;
    session.receive(QByteArray(buffer.data(), buildRAuto(buffer, true)));

    // The loop lasts 200 ms (three scans 66.5 ms apart, the first at 1000 ms): 1070 ms
    // after the start shows scan 1, 1140 ms scan 2.
    scanner.freezeClock(1070);
    session.pushCloudSector();
    scanner.freezeClock(1140);  // scan 2 is due now, while scan 1's sectors go out
    for (int sector = 1; sector < EmulatedScanner::CloudSectorCount; ++sector)
        session.pushCloudSector();
    session.pushCloudSector();  // the next scan begins with scan 2

    QCOMPARE(packets.size(), EmulatedScanner::CloudSectorCount + 1);
    for (int scan = 0; scan < 2; ++scan) {
        const RecordedScan &expected = m_clouds.at(scan + 1);
        int exact = 0, compared = 0;
        const int sectors = scan == 0 ? EmulatedScanner::CloudSectorCount : 1;
        for (int sector = 0; sector < sectors; ++sector) {
            const QByteArray &packet = packets.at(scan * EmulatedScanner::CloudSectorCount + sector);
            const CloudHeader header = decodeCloudHeader(packet.constData());
            QCOMPARE(header.startBearing, 45 + 30 * sector);
            QCOMPARE(header.count, CloudPoints / EmulatedScanner::CloudSectorCount);
            for (int k = 0; k < header.count; ++k) {
                const int point = sector * header.count + k;
                const CloudPoint sent = cloudPoint(packet.constData(), k);
                const int recorded = recordedDistance(expected, point);
                QVERIFY2(qAbs(sent.distance - recorded) <= 1,
                         qPrintable(QStringLiteral("scan %1 point %2: sent %3, recorded %4")
                                        .arg(scan + 1).arg(point).arg(sent.distance).arg(recorded)));
                const double d = 800 + (point * 37 + 500 * (scan + 1)) % 4000;
                exact += sent.distance == quint16(d) ? 1 : 0;
                ++compared;
            }
        }
        QVERIFY2(exact > compared * 8 / 10, qPrintable(QStringLiteral("%1 of %2 exact").arg(exact).arg(compared)));
    }
}

void TestReplay::aRecordingThatCannotBeReplayedStopsTheStart()
{
    QFile foreign(m_dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(foreign.open(QIODevice::WriteOnly));
    foreign.write("not a recording\n");
    foreign.close();
    for (const QString &file : {foreign.fileName(), m_dir.filePath(QStringLiteral("missing.rec"))}) {
        EmulatorOptions options;
        options.replayFile = file;
        EmulatorServer server(options);
        QString error;
        QVERIFY(!server.start(&error));  // refused before any port is opened
        QVERIFY2(error.startsWith(QStringLiteral("replay: ")) && error.contains(file), qPrintable(error));
    }
}

QTEST_GUILESS_MAIN(TestReplay)
#include "tst_replay.moc"
