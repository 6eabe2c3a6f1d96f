#include "core/link/crc32.h"
#include "core/link/payloads.h"
#include "core/link/sensorlinkdata.h"
#include "core/record/recordingreader.h"
#include "core/record/recordingwriter.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <limits>

using namespace veltrix;

Q_DECLARE_METATYPE(veltrix::RecordedScan)
Q_DECLARE_METATYPE(QVector<veltrix::RecordedScan>)

namespace {

const QString Name = QStringLiteral("site.rec");

RecordingHeader header()
{
    RecordingHeader h;
    h.model = 2;
    h.checksumKnown = true;
    h.configurationChecksum = 0xCBF43926u;
    h.startedMs = 1767225600123;
    return h;
}

RecordedScan serialScan(quint32 time, quint32 seed, bool inverted)
{
    QRandomGenerator random(seed);
    RecordedScan scan;
    scan.timeMs = time;
    scan.link = ScanLink::Serial;
    scan.invertedMount = inverted;
    scan.activeArea = static_cast<quint8>(random.bounded(64));
    scan.inputs = static_cast<quint8>(random.bounded(256));
    scan.outputs = static_cast<quint8>(random.bounded(8));
    scan.status = static_cast<quint16>(random.bounded(65536));
    for (int i = 0; i < ScanValueCount; ++i) {
        scan.distances.append(static_cast<quint16>(random.bounded(65536)));
        scan.intensities.append(static_cast<quint16>(random.bounded(65536)));
    }
    return scan;
}

// A cloud of `count` points walking round the scanner, with a few wild jumps.
RecordedScan cloudScan(quint32 time, quint32 seed, int count)
{
    QRandomGenerator random(seed);
    RecordedScan scan;
    scan.timeMs = time;
    scan.link = ScanLink::Ethernet;
    scan.activeArea = static_cast<quint8>(random.bounded(64));
    scan.status = 0x80;
    for (int i = 0; i < count; ++i) {
        const double angle = 6.28 * i / qMax(1, count);
        const int r = 3000 + random.bounded(200);
        scan.cloudDistances.append(QPoint(int(r * std::cos(angle)), int(r * std::sin(angle))));
        scan.cloudIntensities.append(QPoint(random.bounded(4000) - 2000, random.bounded(4000) - 2000));
    }
    if (count > 3) {
        constexpr int Most = std::numeric_limits<qint32>::max();
        constexpr int Least = std::numeric_limits<qint32>::min();
        scan.cloudDistances[1] = QPoint(Most, Least);
        scan.cloudDistances[2] = QPoint(Least, Most);
        scan.cloudIntensities[3] = QPoint(0, Least);
    }
    return scan;
}

QByteArray record(const QVector<RecordedScan> &scans, bool closed = true)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordingWriter writer;
    QString error;
    if (!writer.open(&buffer, Name, header(), &error))
        qFatal("%s", qPrintable(error));
    for (const RecordedScan &scan : scans) {
        if (!writer.write(scan, &error))
            qFatal("%s", qPrintable(error));
    }
    if (closed)
        writer.close(&error);
    return buffer.data();
}

// Opens bytes as a recording; reader keeps the buffer it reads from.
struct Opened
{
    explicit Opened(const QByteArray &bytes)
        : data(bytes), buffer(&data)
    {
        buffer.open(QIODevice::ReadOnly);
        ok = reader.open(&buffer, Name, &error);
    }
    QVector<RecordedScan> scans()
    {
        QVector<RecordedScan> all;
        for (int i = 0; i < reader.scanCount(); ++i) {
            RecordedScan scan;
            if (!reader.readScan(i, scan, &error))
                break;
            all.append(scan);
        }
        return all;
    }
    QByteArray data;
    QBuffer buffer;
    RecordingReader reader;
    QString error;
    bool ok = false;
};

QVector<RecordedScan> mixedScans()
{
    return {serialScan(0, 1, false), cloudScan(66, 2, 40), serialScan(133, 3, true),
            cloudScan(200, 4, 0), cloudScan(200, 5, 7), serialScan(266, 6, false)};
}

}  // namespace

class TestRecording : public QObject
{
    Q_OBJECT

private slots:
    void scansComeBackIdenticalAndInOrder_data();
    void scansComeBackIdenticalAndInOrder();
    void aCutRecordingKeepsEveryScanBeforeTheCut();
    void aRecordingOnDiskSurvivesTheProgramBeingKilled();
    void aFullDiskEndsTheRecordingWhereItFailed();
    void damagedOrForeignFilesAreRefused_data();
    void damagedOrForeignFilesAreRefused();
    void aDamagedScanIsReportedWhenRead();
    void momentsAreFoundByTime();
    void scansThatCannotBeRecordedAreRefused_data();
    void scansThatCannotBeRecordedAreRefused();
};

void TestRecording::scansComeBackIdenticalAndInOrder_data()
{
    QTest::addColumn<QVector<RecordedScan>>("scans");
    QVector<RecordedScan> serial, clouds;
    for (int i = 0; i < 20; ++i)
        serial.append(serialScan(quint32(50 * i), quint32(i), i % 3 == 0));
    for (int i = 0; i < 5; ++i)
        clouds.append(cloudScan(quint32(67 * i), quint32(100 + i), i == 4 ? CloudCapacity : 2700));
    QTest::newRow("serial") << serial;
    QTest::newRow("Ethernet, up to a full cloud") << clouds;
    QTest::newRow("mixed, empty cloud, equal times") << mixedScans();
    QTest::newRow("no scans") << QVector<RecordedScan>();
}

void TestRecording::scansComeBackIdenticalAndInOrder()
{
    QFETCH(QVector<RecordedScan>, scans);
    Opened opened(record(scans));
    QVERIFY2(opened.ok, qPrintable(opened.error));
    QVERIFY(!opened.reader.wasCutShort());
    QCOMPARE(opened.reader.header(), header());
    QCOMPARE(opened.reader.scanCount(), scans.size());
    QCOMPARE(opened.scans(), scans);
    // Any scan can be read on its own, in any order.
    for (int i = scans.size() - 1; i >= 0; i -= 3) {
        RecordedScan scan;
        QVERIFY(opened.reader.readScan(i, scan, nullptr));
        QCOMPARE(scan, scans.at(i));
    }
}

// Every length from the header's end up to the whole file: at every record boundary,
// inside every record head, payload and checksum, and inside the index; also with
// zeros after the cut, as a power loss can leave the end of a file.
void TestRecording::aCutRecordingKeepsEveryScanBeforeTheCut()
{
    const QVector<RecordedScan> scans = mixedScans();
    const QByteArray whole = record(scans);
    QVector<qint64> ends;  // where the header and then each scan's record end
    for (int i = 0; i <= scans.size(); ++i)
        ends.append(record(scans.mid(0, i), false).size());
    QCOMPARE(ends.size(), scans.size() + 1);
    for (qint64 cut = recording::HeaderSize; cut <= whole.size(); ++cut) {
        const int wholeScans = int(std::upper_bound(ends.cbegin(), ends.cend(), cut) - ends.cbegin()) - 1;
        for (const int zeros : {0, 300}) {
            if (zeros > 0 && (cut % 7) != 0)
                continue;  // zero tails at a sample of the cuts
            Opened opened(whole.left(cut) + QByteArray(zeros, '\0'));
            QVERIFY2(opened.ok, qPrintable(QStringLiteral("cut at %1: %2").arg(cut).arg(opened.error)));
            QCOMPARE(opened.reader.scanCount(), wholeScans);
            QCOMPARE(opened.scans(), scans.mid(0, wholeScans));
            QCOMPARE(opened.reader.wasCutShort(), cut < whole.size() || zeros > 0);
        }
    }
}

void TestRecording::aRecordingOnDiskSurvivesTheProgramBeingKilled()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plant.rec"));
    const QString copy = dir.filePath(QStringLiteral("copy.rec"));
    const QVector<RecordedScan> scans = mixedScans();
    {
        RecordingWriter writer;
        QString error;
        QVERIFY2(writer.open(path, header(), &error), qPrintable(error));
        for (const RecordedScan &scan : scans)
            QVERIFY(writer.write(scan, &error));
        QCOMPARE(writer.scanCount(), scans.size());
        QCOMPARE(writer.size(), QFileInfo(path).size());
        // What is on the disk while the writer still runs: the recording as a kill
        // would leave it.
        QVERIFY(QFile::copy(path, copy));
        QVERIFY(writer.close(&error));
    }
    for (const QString &file : {path, copy}) {
        RecordingReader reader;
        QString error;
        QVERIFY2(reader.open(file, &error), qPrintable(error));
        QCOMPARE(reader.wasCutShort(), file == copy);
        QCOMPARE(reader.scanCount(), scans.size());
        RecordedScan last;
        QVERIFY(reader.readScan(scans.size() - 1, last, &error));
        QCOMPARE(last, scans.last());
    }
}

// A device that takes only so many bytes, as a full disk does: the write that runs
// out is cut short there.
class FullDisk : public QBuffer
{
public:
    explicit FullDisk(qint64 capacity) : m_capacity(capacity) { open(QIODevice::WriteOnly); }

protected:
    qint64 writeData(const char *data, qint64 length) override
    {
        const qint64 room = qMax<qint64>(0, m_capacity - size());
        const qint64 written = QBuffer::writeData(data, qMin(length, room));
        return written < length ? -1 : written;
    }

private:
    qint64 m_capacity;
};

void TestRecording::aFullDiskEndsTheRecordingWhereItFailed()
{
    const QVector<RecordedScan> scans = mixedScans();
    const qint64 threeScans = record(scans.mid(0, 3), false).size();
    FullDisk disk(threeScans + 20);  // the fourth record needs 32 bytes
    RecordingWriter writer;
    QString error;
    QVERIFY(writer.open(&disk, Name, header(), &error));
    for (int i = 0; i < 3; ++i)
        QVERIFY(writer.write(scans.at(i), &error));
    QVERIFY(!writer.write(scans.at(3), &error));
    QVERIFY2(error.startsWith(QStringLiteral("无法写入“site.rec”：")), qPrintable(error));
    const qint64 size = disk.size();
    QVERIFY(!writer.write(scans.at(4), &error));  // nothing more after a failed write...
    QVERIFY(!writer.close(&error));               // ...not even the index
    QCOMPARE(disk.size(), size);
    QCOMPARE(writer.scanCount(), 3);

    Opened opened(disk.data());
    QVERIFY2(opened.ok, qPrintable(opened.error));
    QVERIFY(opened.reader.wasCutShort());
    QCOMPARE(opened.scans(), scans.mid(0, 3));
}

void TestRecording::damagedOrForeignFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray good = record(mixedScans(), false);  // no index: every record is walked
    QByteArray newer = good;
    newer[8] = 2;  // a version this program does not know, under a header checksum that holds
    char checksum[4];
    qToLittleEndian(crc32(newer.left(recording::HeaderSize - 4)), checksum);
    newer.replace(recording::HeaderSize - 4, 4, QByteArray(checksum, 4));
    QByteArray badHeader = good;
    badHeader[20] = char(badHeader[20] ^ 0x10);
    QByteArray badScan = good;
    badScan[recording::HeaderSize + 100] = char(badScan[recording::HeaderSize + 100] ^ 0x01);
    QByteArray badTag = good;
    badTag[recording::HeaderSize + 2188] = 'X';  // the head of the second scan's record

    QTest::newRow("empty") << QByteArray() << QStringLiteral("不是扫描录制文件");
    QTest::newRow("a project file") << QByteArray("[SETTING_PARAMETER_KT05]\n0\n") << QStringLiteral("不是扫描录制文件");
    QTest::newRow("header cut short") << good.left(20) << QStringLiteral("文件头无效");
    QTest::newRow("header damaged") << badHeader << QStringLiteral("文件头无效");
    QTest::newRow("newer format") << newer << QStringLiteral("较新版本");
    QTest::newRow("scan damaged, more follows") << badScan << QStringLiteral("第 32 字节处的记录无效");
    QTest::newRow("record head damaged") << badTag << QStringLiteral("第 2220 字节处的记录无效");
}

void TestRecording::damagedOrForeignFilesAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    Opened opened(bytes);
    QVERIFY(!opened.ok);
    QVERIFY2(opened.error.contains(QStringLiteral("“site.rec”")), qPrintable(opened.error));
    QVERIFY2(opened.error.contains(reason), qPrintable(opened.error));
    QVERIFY(!opened.reader.isOpen());
    QCOMPARE(opened.reader.scanCount(), 0);
}

// With its index intact a recording opens at once; a scan damaged since is found when
// it is read, and the others still read.
void TestRecording::aDamagedScanIsReportedWhenRead()
{
    const QVector<RecordedScan> scans = mixedScans();
    QByteArray bytes = record(scans);
    bytes[recording::HeaderSize + 2188 + 40] = char(bytes[recording::HeaderSize + 2188 + 40] ^ 0x04);
    Opened opened(bytes);
    QVERIFY2(opened.ok, qPrintable(opened.error));
    RecordedScan scan;
    QString error;
    QVERIFY(!opened.reader.readScan(1, scan, &error));
    QCOMPARE(error, QStringLiteral("“site.rec”已损坏：扫描 1 无法读取。"));
    QVERIFY(opened.reader.readScan(2, scan, &error));
    QCOMPARE(scan, scans.at(2));
}

void TestRecording::momentsAreFoundByTime()
{
    QVector<RecordedScan> scans;
    for (const quint32 time : {100u, 150u, 150u, 400u, 1000u})
        scans.append(serialScan(time, time, false));
    Opened opened(record(scans));
    QVERIFY(opened.ok);
    const RecordingReader &reader = opened.reader;
    QCOMPARE(reader.durationMs(), 1000u);
    QCOMPARE(reader.timeOf(3), 400u);
    const QList<QPair<quint32, int>> moments = {{0, 0}, {99, 0}, {100, 0}, {149, 0}, {150, 2}, {399, 2},
                                                 {400, 3}, {999, 3}, {1000, 4}, {600000, 4}};
    for (const auto &moment : moments)
        QCOMPARE(reader.scanAt(moment.first), moment.second);
    Opened empty(record({}));
    QCOMPARE(empty.reader.scanAt(0), -1);
}

void TestRecording::scansThatCannotBeRecordedAreRefused_data()
{
    QTest::addColumn<RecordedScan>("scan");
    RecordedScan early = serialScan(99, 1, false);
    RecordedScan shortSerial = serialScan(500, 1, false);
    shortSerial.distances.removeLast();
    RecordedScan unevenCloud = cloudScan(500, 2, 10);
    unevenCloud.cloudIntensities.removeLast();
    QTest::newRow("time before the previous scan") << early;
    QTest::newRow("539 distances") << shortSerial;
    QTest::newRow("fewer intensity points than distance points") << unevenCloud;
    QTest::newRow("more points than a cloud holds") << cloudScan(500, 3, CloudCapacity + 1);
}

void TestRecording::scansThatCannotBeRecordedAreRefused()
{
    QFETCH(RecordedScan, scan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordingWriter writer;
    QString error;
    QVERIFY(writer.open(&buffer, Name, header(), &error));
    QVERIFY(writer.write(serialScan(100, 9, false), &error));
    const qint64 size = buffer.size();
    QVERIFY(!writer.write(scan, &error));
    QVERIFY2(error.startsWith(QStringLiteral("无法写入“site.rec”：")), qPrintable(error));
    QCOMPARE(buffer.size(), size);
    QCOMPARE(writer.scanCount(), 1);
}

QTEST_GUILESS_MAIN(TestRecording)
#include "tst_recording.moc"
