// Teaching a field from the live outline of the emulated scanner's room, through the
// program's own link (serial, ticked by hand): the recording of scans (polling started
// for it and stopped again, the time running out with what arrived), the taught field
// against what the scanner measured, and Average against Minimum with an object that
// moves while the scans are taken.

#include "fieldreach.h"
#include "linkrig.h"

#include "core/areas/teachin.h"
#include "core/areas/teachrecorder.h"
#include "core/graphics/fieldshapes.h"
#include "core/project/devicemodels.h"

#include <QPainterPath>
#include <QSignalSpy>
#include <QtMath>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace veltrix;
using veltrix::testing::LinkRig;

Q_DECLARE_METATYPE(TeachRecorder::Outcome)

namespace {

constexpr int Model = 1;  // 10XX: the room's far corner about 11 m out
constexpr int Offset = 100;
constexpr double SampleStep = 0.5;  // degrees between the serial scan's samples

ScannerConfig roomScanner(double objectSpeed)
{
    ScannerConfig config;
    config.model = Model;
    config.objectSpeed = objectSpeed;
    return config;
}

// Each scan asked for by the polling flag and answered; the scanner's clock at `ms`.
void scanOnce(LinkRig &rig, qint64 ms)
{
    rig.scanner.freezeClock(ms);
    rig.link.ReadScanfTime();
    rig.exchange();
}

// Which wall of the room the bearing meets first (0 left, 1 right, 2 back, 3 front),
// and how far away.
QPair<int, double> wallAt(const SyntheticRoom::Layout &room, double degrees)
{
    const double c = std::cos(qDegreesToRadians(degrees));
    const double s = std::sin(qDegreesToRadians(degrees));
    const double inf = std::numeric_limits<double>::infinity();
    const double t[4] = {c < -1e-12 ? room.left / c : inf, c > 1e-12 ? room.right / c : inf,
                         s < -1e-12 ? room.back / s : inf, s > 1e-12 ? room.front / s : inf};
    const int wall = int(std::min_element(t, t + 4) - t);
    return {wall, t[wall]};
}

TeachSettings wholeRange(TeachMethod method, bool simplify)
{
    TeachSettings settings;
    settings.rangeLimit = DeviceModels[Model].rangeLimit;
    settings.region = wholeRangeRegion(settings.rangeLimit);
    settings.method = method;
    settings.offset = Offset;
    settings.simplify = simplify;
    return settings;
}

}  // namespace

class TestTeachRecorder : public QObject
{
    Q_OBJECT

private slots:
    void recording_data();
    void recording();
    void stillRoom();
    void averageAndMinimumWithMovingObject();
};

void TestTeachRecorder::recording_data()
{
    QTest::addColumn<bool>("pollingOn");
    QTest::addColumn<int>("arriving");  // scans answered before the time is up
    QTest::addColumn<TeachRecorder::Outcome>("outcome");
    QTest::newRow("polling off, all arrive") << false << 5 << TeachRecorder::Outcome::Complete;
    QTest::newRow("polling on, all arrive") << true << 5 << TeachRecorder::Outcome::Complete;
    QTest::newRow("time up with two") << false << 2 << TeachRecorder::Outcome::TimeUp;
    QTest::newRow("time up with none") << true << 0 << TeachRecorder::Outcome::TimeUp;
}

// The recorder asks for scans at once when polling is off, takes what arrives until
// it has enough or its time is up, and leaves polling as it found it.
void TestTeachRecorder::recording()
{
    QFETCH(bool, pollingOn);
    QFETCH(int, arriving);
    QFETCH(TeachRecorder::Outcome, outcome);
    LinkRig rig(roomScanner(0));
    rig.link.SetRangeLimit(Model);
    if (pollingOn)
        rig.link.OpenSendReadScanf();
    TeachRecorder recorder(&rig.link);
    recorder.setRecording(5, TeachRecorder::DefaultDuration);
    QSignalSpy finished(&recorder, &TeachRecorder::finished);
    QVERIFY(recorder.start());
    QVERIFY(!recorder.start());
    QVERIFY(rig.link.scanTimer().isActive());
    // Polling that was off is asked for at once; polling that was on asks on its own.
    QCOMPARE(rig.link.flag(SERIAL_COMM::ScanFlag), !pollingOn);
    for (int scan = 0; scan < arriving; ++scan)
        scanOnce(rig, 0);
    if (finished.isEmpty())
        recorder.TimeUp();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().value<TeachRecorder::Outcome>(), outcome);
    QCOMPARE(recorder.scans().size(), arriving);
    QCOMPARE(rig.link.scanTimer().isActive(), pollingOn);
    QVERIFY(!recorder.isRecording());
    // A scan after the end is not taken.
    scanOnce(rig, 0);
    QCOMPARE(recorder.scans().size(), arriving);
    if (arriving == 0) {
        const TeachResult nothing = TeachIn::teach(recorder.scans(), wholeRange(TeachMethod::Average, true));
        QCOMPARE(nothing.outcome, TeachOutcome::NoScan);
    }
}

// The room standing still, Simplify off: the field never reaches past the measured
// contour less the offset at any of the scanner's bearings, has at most 100 vertices,
// and along the walls (two vertices away from their corners, the pillar and the
// object, where edges between vertices 2.7 degrees apart must cut in) stays within the
// offset plus the distance between two neighbouring samples on the wall.
void TestTeachRecorder::stillRoom()
{
    LinkRig rig(roomScanner(0));
    rig.link.SetRangeLimit(Model);
    TeachRecorder recorder(&rig.link);
    QVERIFY(recorder.start());
    for (int scan = 0; scan < TeachRecorder::DefaultScanCount; ++scan)
        scanOnce(rig, 0);
    QCOMPARE(recorder.scans().size(), TeachRecorder::DefaultScanCount);

    const TeachResult result = TeachIn::teach(recorder.scans(), wholeRange(TeachMethod::Average, false));
    QCOMPARE(result.outcome, TeachOutcome::Taught);
    QVERIFY(result.points.size() <= TeachIn::MaxVertices);
    QVERIFY(result.points.size() >= TeachIn::MaxVertices - 1);

    const QVector<quint16> measured = rig.scanner.scanDistances(0);  // as the wire has them
    const SyntheticRoom::Layout &room = rig.scanner.room().layout();
    // Samples on either side as far as two vertices (2.7 degrees apart): a vertex next to
    // the pillar or a corner is pulled in, and the edge beyond it with it.
    const int around = 2 * int(std::ceil(270.0 / TeachIn::MaxVertices / SampleStep));
    const auto bearingOf = [](int j) { return -44.5 + SampleStep * j; };
    const auto onWall = [&](int j, int wall) {
        const QPair<int, double> met = wallAt(room, bearingOf(j));
        return met.first == wall && std::abs(met.second - measured.at(j)) <= 1.0;
    };
    int followed = 0;
    int wallBearings = 0;
    for (int j = 0; j < measured.size(); ++j) {
        const double degrees = bearingOf(j);
        const double limit = measured.at(j) - Offset;
        const double reached = testing::fieldReach(result.points, degrees);
        QVERIFY2(reached <= limit + 1.0, qPrintable(QStringLiteral("%1 degrees: %2 beyond %3")
                                                        .arg(degrees).arg(reached).arg(limit)));
        const int wall = wallAt(room, degrees).first;
        bool alongWall = j >= around && j + around < measured.size();
        for (int k = j - around; alongWall && k <= j + around; ++k)
            alongWall = onWall(k, wall);
        if (!alongWall)
            continue;
        ++wallBearings;
        const double resolution = measured.at(j) * qDegreesToRadians(SampleStep);
        followed += measured.at(j) - reached <= Offset + resolution ? 1 : 0;
    }
    QVERIFY2(wallBearings > 300, qPrintable(QString::number(wallBearings)));
    QCOMPARE(followed, wallBearings);
}

// An object crossing the room during the recording: at every bearing the Minimum
// field keeps the offset from the nearest thing measured there; the Average field
// reaches no farther than the mean less the offset, and so, where the object passed
// only now and then, beyond where the object was.
void TestTeachRecorder::averageAndMinimumWithMovingObject()
{
    LinkRig rig(roomScanner(SyntheticRoom::DefaultObjectSpeed));
    rig.link.SetRangeLimit(Model);
    TeachRecorder recorder(&rig.link);
    QVector<QVector<quint16>> wire;
    QVERIFY(recorder.start());
    for (int scan = 0; scan < TeachRecorder::DefaultScanCount; ++scan) {
        const qint64 ms = 100 * scan;  // the object moves 50 mm from scan to scan
        scanOnce(rig, ms);
        wire << rig.scanner.scanDistances(ms);
    }
    QCOMPARE(recorder.scans().size(), TeachRecorder::DefaultScanCount);
    const TeachResult minimum = TeachIn::teach(recorder.scans(), wholeRange(TeachMethod::Minimum, true));
    const TeachResult average = TeachIn::teach(recorder.scans(), wholeRange(TeachMethod::Average, true));
    QCOMPARE(minimum.outcome, TeachOutcome::Taught);
    QCOMPARE(average.outcome, TeachOutcome::Taught);

    int crossed = 0;
    int averageBeyondObject = 0;
    for (int j = 0; j < wire.first().size(); j += 2) {
        double least = std::numeric_limits<double>::infinity();
        double most = 0;
        double sum = 0;
        for (const QVector<quint16> &scan : wire) {
            least = std::min(least, double(scan.at(j)));
            most = std::max(most, double(scan.at(j)));
            sum += scan.at(j);
        }
        const double degrees = -44.5 + SampleStep * j;
        const double minimumReach = testing::fieldReach(minimum.points, degrees);
        const double averageReach = testing::fieldReach(average.points, degrees);
        QVERIFY(minimumReach <= least - Offset + 1.0);
        QVERIFY(averageReach <= sum / wire.size() - Offset + 1.0);
        if (most - least > 1000) {
            ++crossed;
            averageBeyondObject += averageReach > least ? 1 : 0;
        }
    }
    QVERIFY2(crossed >= 10, qPrintable(QString::number(crossed)));
    QVERIFY2(averageBeyondObject >= crossed / 2, qPrintable(QString::number(averageBeyondObject)));
}

QTEST_GUILESS_MAIN(TestTeachRecorder)
#include "tst_teachrecorder.moc"
