#include "syntheticroom.h"

#include "core/link/payloads.h"
#include "core/record/recordingcheck.h"
#include "core/record/recordingreader.h"
#include "core/record/recordingwriter.h"

#include <QBuffer>
#include <QtMath>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int Range = 6000;              // model 05
constexpr double Square = 2.0 * Range;  // its range square
constexpr quint32 ScanIntervalMs = 67;  // about 15 scans a second
constexpr int CloudPoints = 2700;       // 0.1° apart

// A scan of the emulator's room at time ms as the link stores it: serial samples half
// a degree apart from 225° down (a forward-mounted scanner), or cloud points a tenth
// of a degree apart from -45° up, in the view's frame.
RecordedScan roomScan(const SyntheticRoom &room, quint32 ms, ScanLink link)
{
    RecordedScan scan;
    scan.timeMs = ms;
    scan.link = link;
    if (link == ScanLink::Serial) {
        for (int s = 0; s < ScanValueCount; ++s) {
            const Echo echo = room.echo(225.0 - 0.5 * s, ms);
            scan.distances.append(echo.distance);
            scan.intensities.append(echo.intensity);
        }
        return scan;
    }
    for (int k = 0; k < CloudPoints; ++k) {
        const double degrees = -45.0 + 0.1 * (k + 1);
        const Echo echo = room.echo(degrees, ms);
        const double c = std::cos(qDegreesToRadians(degrees)), s = std::sin(qDegreesToRadians(degrees));
        scan.cloudDistances.append(QPoint(int(echo.distance * c), int(-echo.distance * s)));
        scan.cloudIntensities.append(QPoint(int(echo.intensity * c), int(-echo.intensity * s)));
    }
    return scan;
}

AreaRecord polygonArea(const QVector<QPointF> &fractions)
{
    AreaRecord area;
    for (const QPointF &f : fractions)
        area.out1Points.append(QPoint(qRound(f.x() * Range), qRound(f.y() * Range)));
    return area;
}

}  // namespace

class TestRecordingCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void roomWallsAndTheMovingObject_data();
    void roomWallsAndTheMovingObject();
    void progressCanCancel();
    void aDamagedScanEndsTheCheck();

private:
    QByteArray recordRoom(ScanLink link, int scans, bool closed = true);

    SyntheticRoom m_room{Range};
    QVector<AreaRecord> m_areas;
};

QByteArray TestRecordingCheck::recordRoom(ScanLink link, int scans, bool closed)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordingWriter writer;
    QString error;
    writer.open(&buffer, QStringLiteral("room.rec"), RecordingHeader(), &error);
    for (int i = 0; i < scans; ++i)
        writer.write(roomScan(m_room, quint32(i) * ScanIntervalMs, link), &error);
    if (closed)
        writer.close(&error);
    return buffer.data();
}

void TestRecordingCheck::initTestCase()
{
    m_areas = QVector<AreaRecord>(64);
    // Area 3 clears the room: the floor before the object's lane, well inside the walls.
    m_areas[3] = polygonArea({{0.3, -0.2}, {0.3, 0.17}, {-0.15, 0.17}, {-0.15, -0.2}});
    // Area 10 reaches through the wall in front (0.7 of the range ahead).
    m_areas[10].out1Shape = Arc;
    m_areas[10].out1Points = {QPoint(Range * 8 / 10, 0), QPoint(-Range * 8 / 10, 0)};
    // Area 20: Out1 clears the room, Out2 a stretch of the object's lane straight ahead
    // (a straight cut of a wide sweep), Out3 the lane to the right.
    m_areas[20] = polygonArea({{0.1, 0.1}, {-0.1, 0.1}});
    m_areas[20].out2Shape = Polygon;
    m_areas[20].out2Points = {QPoint(Range / 10, Range * 3 / 10), QPoint(-Range / 10, Range * 3 / 10)};
    m_areas[20].out3Shape = Polygon;
    m_areas[20].out3Points = {QPoint(Range * 3 / 10, Range / 10), QPoint(Range * 3 / 10, Range * 3 / 10),
                              QPoint(Range * 2 / 10, Range * 3 / 10)};
}

void TestRecordingCheck::roomWallsAndTheMovingObject_data()
{
    QTest::addColumn<int>("link");
    QTest::newRow("serial") << int(ScanLink::Serial);
    QTest::newRow("Ethernet") << int(ScanLink::Ethernet);
}

// Ten seconds of the room: the object crosses from x = -0.35 to 0.45 of the range at
// 500 mm/s along y = 0.22 of the range, ahead of the scanner after 4.2 s.
void TestRecordingCheck::roomWallsAndTheMovingObject()
{
    QFETCH(int, link);
    constexpr int Scans = 150;
    QByteArray bytes = recordRoom(static_cast<ScanLink>(link), Scans);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    RecordingReader reader;
    QString error;
    QVERIFY(reader.open(&buffer, QStringLiteral("room.rec"), &error));

    RecordingCheck result;
    QCOMPARE(CheckRecording(reader, m_areas, Square, Square, result, &error), CheckOutcome::Complete);
    QCOMPARE(result.scansChecked, Scans);
    QCOMPARE(result.areas.size(), 3);  // only the areas with points
    QCOMPARE(result.areas[0].area, 3);
    QCOMPARE(result.areas[1].area, 10);
    QCOMPARE(result.areas[2].area, 20);

    for (const FieldCheck &field : result.areas[0].fields) {
        QCOMPARE(field.scansEntered, 0);
        QCOMPARE(field.firstScan, -1);
    }
    const FieldCheck &wall = result.areas[1].fields[0];
    QCOMPARE(wall.scansEntered, Scans);
    QCOMPARE(wall.firstScan, 0);
    QCOMPARE(wall.firstTimeMs, 0u);
    QCOMPARE(qRound(wall.worstAngle), 90);  // the object passing straight ahead came nearest
    QCOMPARE(result.areas[1].fields[1].scansEntered, 0);  // Out2 and Out3 have no points

    // The object's nearer face (0.195 of the range ahead) enters Out2 only while its
    // centre is within the lane's stretch there: surely from x = -0.08 to 0.08 of the
    // range, surely not beyond +-0.14.
    QCOMPARE(result.areas[2].fields[0].scansEntered, 0);
    const FieldCheck &lane = result.areas[2].fields[1];
    int surelyIn = 0, surelyOut = 0;
    for (int s = 0; s < Scans; ++s) {
        const double x = m_room.objectCentre(s * ScanIntervalMs).x() / Range;
        surelyIn += qAbs(x) < 0.08 ? 1 : 0;
        surelyOut += qAbs(x) > 0.14 ? 1 : 0;
        if (qAbs(x) < 0.08 && lane.firstScan < 0)
            QFAIL("the object ahead was not counted");
        if (qAbs(x) > 0.14 && lane.firstScan == s)
            QFAIL("the object was counted before it reached the lane");
    }
    QVERIFY(lane.scansEntered >= surelyIn);
    QVERIFY(lane.scansEntered <= Scans - surelyOut);
    QVERIFY(surelyIn >= 20);
    // The deepest entry: the object straight ahead, 4.2 s in, its face 1170 mm away.
    QVERIFY2(qAbs(int(lane.worstTimeMs) - 4200) <= 2 * int(ScanIntervalMs), qPrintable(QString::number(lane.worstTimeMs)));
    QVERIFY2(qAbs(lane.worstDistance - 0.195 * Range) < 15, qPrintable(QString::number(lane.worstDistance)));
    QCOMPARE(lane.worstTimeMs, reader.timeOf(lane.worstScan));
    QCOMPARE(lane.firstTimeMs, reader.timeOf(lane.firstScan));
    QCOMPARE(wall.worstScan, lane.worstScan);
    // The lane to the right (0.15 to 0.3 of the range across) is reached about 5.6 s in.
    const FieldCheck &right = result.areas[2].fields[2];
    QVERIFY(right.scansEntered > 0);
    QVERIFY2(right.firstTimeMs > 5000 && right.firstTimeMs < 6000, qPrintable(QString::number(right.firstTimeMs)));
}

void TestRecordingCheck::progressCanCancel()
{
    QByteArray bytes = recordRoom(ScanLink::Serial, 100);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    RecordingReader reader;
    QVERIFY(reader.open(&buffer, QStringLiteral("room.rec"), nullptr));
    RecordingCheck result;
    QList<int> told;
    auto progress = [&](int done, int total) {
        told.append(done);
        return total == 100 && done < 40;
    };
    QCOMPARE(CheckRecording(reader, m_areas, Square, Square, result, nullptr, progress), CheckOutcome::Cancelled);
    QCOMPARE(told.last(), 48);
    QCOMPARE(result.scansChecked, 48);
    QCOMPARE(result.areas[1].fields[0].scansEntered, 48);  // the wall, in every scan checked

    told.clear();
    QCOMPARE(CheckRecording(reader, m_areas, Square, Square, result, nullptr,
                            [&](int done, int) { told.append(done); return true; }),
             CheckOutcome::Complete);
    QCOMPARE(told.first(), 0);
    QCOMPARE(told.last(), 100);
}

void TestRecordingCheck::aDamagedScanEndsTheCheck()
{
    QByteArray bytes = recordRoom(ScanLink::Serial, 10);
    const int scanRecord = 12 + 16 + 4 * ScanValueCount;
    bytes[32 + 5 * scanRecord + 100] = char(bytes[32 + 5 * scanRecord + 100] ^ 0x40);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    RecordingReader reader;
    QVERIFY(reader.open(&buffer, QStringLiteral("room.rec"), nullptr));
    RecordingCheck result;
    QString error;
    QCOMPARE(CheckRecording(reader, m_areas, Square, Square, result, &error), CheckOutcome::Failed);
    QCOMPARE(error, QStringLiteral("“room.rec”已损坏：扫描 5 无法读取。"));
    QCOMPARE(result.scansChecked, 5);
}

QTEST_GUILESS_MAIN(TestRecordingCheck)
#include "tst_recordingcheck.moc"
