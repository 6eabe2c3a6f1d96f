#include "randomareas.h"
#include "syntheticroom.h"

#include "core/record/recordingcheck.h"
#include "core/record/recordingreader.h"
#include "core/record/recordingwriter.h"

#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>

using namespace veltrix;

Q_DECLARE_METATYPE(QVector<veltrix::AreaRecord>)

namespace {

constexpr int Range = 6000;
constexpr double Square = 2.0 * Range;
constexpr int Scans = 10 * 60 * 15;   // ten minutes at 15 Hz
constexpr int CloudPoints = 2700;
constexpr quint32 ScanIntervalMs = 67;

}  // namespace

// Checking 64 areas against a recording of ten minutes of 2700-point clouds of the
// emulator's room (the goal: within 5 s).
class BenchRecordingCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void check_data();
    void check();

private:
    QTemporaryDir m_dir;
    QString m_file;
};

void BenchRecordingCheck::initTestCase()
{
    m_file = m_dir.filePath(QStringLiteral("room.rec"));
    const SyntheticRoom room(Range);
    RecordingWriter writer;
    QString error;
    QVERIFY2(writer.open(m_file, RecordingHeader(), &error), qPrintable(error));
    for (int i = 0; i < Scans; ++i) {
        RecordedScan scan;
        scan.timeMs = quint32(i) * ScanIntervalMs;
        scan.link = ScanLink::Ethernet;
        for (int k = 0; k < CloudPoints; ++k) {
            const double degrees = -45.0 + 0.1 * (k + 1);
            const Echo echo = room.echo(degrees, scan.timeMs);
            const double c = std::cos(qDegreesToRadians(degrees)), s = std::sin(qDegreesToRadians(degrees));
            scan.cloudDistances.append(QPoint(int(echo.distance * c), int(-echo.distance * s)));
            scan.cloudIntensities.append(QPoint(int(echo.intensity * c), int(-echo.intensity * s)));
        }
        QVERIFY(writer.write(scan, &error));
    }
    QVERIFY(writer.close(&error));
    qInfo("recording: %d scans, %lld bytes", Scans, QFileInfo(m_file).size());
}

void BenchRecordingCheck::check_data()
{
    QTest::addColumn<QVector<AreaRecord>>("areas");
    // Fields of every shape reaching up to 5.5 m: most cross the room's walls (at 1.8 to
    // 4.2 m) somewhere.
    QTest::newRow("64 random areas") << randomareas::areas(7, 5500);
    QTest::newRow("64 random areas within 1.5 m") << randomareas::areas(8, 1500);
    QTest::newRow("64 polygons of 100 vertices to 5.5 m") << randomareas::areas(9, 5500, true);
}

void BenchRecordingCheck::check()
{
    QFETCH(QVector<AreaRecord>, areas);
    RecordingReader reader;
    QString error;
    QVERIFY2(reader.open(m_file, &error), qPrintable(error));
    RecordingCheck result;
    CheckOutcome outcome = CheckOutcome::Failed;
    QBENCHMARK_ONCE {
        outcome = CheckRecording(reader, areas, Square, Square, result, &error);
    }
    QCOMPARE(outcome, CheckOutcome::Complete);
    QCOMPARE(result.scansChecked, Scans);
    int entered = 0;
    for (const AreaCheck &area : result.areas)
        entered += area.fields[0].scansEntered > 0 ? 1 : 0;
    qInfo("%d of %d areas have Out1 entered", entered, int(result.areas.size()));
}

QTEST_GUILESS_MAIN(BenchRecordingCheck)
#include "bench_recordingcheck.moc"
