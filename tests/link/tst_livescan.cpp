// The live data the link stores: serial distance and intensity scans (order by
// mounting, clamped to the model's range), Ethernet clouds assembled from pushed
// sectors, and the simulation exchange's report.

#include "linkrig.h"

#include "core/link/framebuilders.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using namespace veltrix;
using veltrix::testing::LinkRig;

namespace {

QByteArray scanReply(FrameId id, quint16 first, quint16 rest)
{
    QVector<quint16> values(540, rest);
    values[0] = first;
    return buildScanReply(id, values);
}

QByteArray cloudPacket(int start, int end, int count, quint16 distance = 1000, quint16 intensity = 100)
{
    return buildCloudPacket(start, end, QVector<CloudPoint>(count, CloudPoint{distance, intensity}));
}

LinkRig *ethernetRig()
{
    return new LinkRig(ScannerConfig(), EthernetInterface);
}

}  // namespace

class TestLiveScan : public QObject
{
    Q_OBJECT

private slots:
    void serialScanStorage_data();
    void serialScanStorage();
    void emulatorScanReachesTheStore();
    void scanOnEthernetIsNotDecoded();
    void cloudFullScan();
    void cloudPacketsArrivingTwoPerReadAreAllDecoded();
    void cloudSpanAcrossZero();
    void cloudInvertedBearings();
    void cloudPacketsThatDoNotFitAreDropped_data();
    void cloudPacketsThatDoNotFitAreDropped();
    void cloudHugeCountDoesNotWedgeStream();
    void simulationReport();
};

void TestLiveScan::serialScanStorage_data()
{
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("firstSlot");
    QTest::addColumn<int>("stored");
    QTest::newRow("forward: first value at 539") << false << 4 << 1234 << 539 << 1234;
    QTest::newRow("inverted: first value at 0") << true << 4 << 1234 << 0 << 1234;
    QTest::newRow("model 05 clamps 7000") << false << 0 << 7000 << 539 << 6000;
    QTest::newRow("model 10 keeps 7000") << false << 1 << 7000 << 539 << 7000;
    QTest::newRow("model 50 clamps 65535") << true << 4 << 65535 << 0 << 60000;
}

void TestLiveScan::serialScanStorage()
{
    QFETCH(bool, inverted);
    QFETCH(int, model);
    QFETCH(int, first);
    QFETCH(int, firstSlot);
    QFETCH(int, stored);
    LinkRig rig;
    rig.link.SetInvertedMount(inverted);
    rig.link.SetRangeLimit(model);
    const LiveScan &live = rig.link.liveScan();
    QSignalSpy scans(&rig.link, &SERIAL_COMM::ReceiveScanfData);
    QSignalSpy intensities(&rig.link, &SERIAL_COMM::ReceiveIntensityData);
    rig.link.ReadScanfTime();
    QCOMPARE(rig.tick().left(MnemonicLength), QByteArray("RScan"));
    rig.device.feed(scanReply(FrameId::RScan, quint16(first), 6500));
    QCOMPARE(scans.count(), 1);
    QCOMPARE(int(live.scanDistances[firstSlot]), stored);
    QCOMPARE(int(live.scanDistances[539 - firstSlot]), qMin(6500, rig.link.rangeLimit()));
    QVERIFY(!rig.link.flag(SERIAL_COMM::ScanFlag));
    QVERIFY(!rig.link.timeoutTimer().isActive());

    rig.link.ReadIntensityTime();
    QCOMPARE(rig.tick().left(MnemonicLength), QByteArray("RStre"));
    rig.device.feed(scanReply(FrameId::RStre, quint16(first), 6500));
    QCOMPARE(intensities.count(), 1);
    QCOMPARE(int(live.scanIntensities[firstSlot]), stored);
    QCOMPARE(rig.link.pendingCommand(), 0);
}

// What the emulator measures arrives in the store in the order the mounting says.
void TestLiveScan::emulatorScanReachesTheStore()
{
    ScannerConfig config;
    config.objectSpeed = 0;
    LinkRig rig(config);
    rig.scanner.freezeClock(0);
    rig.link.ReadScanfTime();
    rig.exchange();
    const QVector<quint16> wire = rig.scanner.scanDistances(0);
    QCOMPARE(rig.link.liveScan().scanDistances.at(539), qMin<quint16>(wire.at(0), 6000));
    QCOMPARE(rig.link.liveScan().scanDistances.at(0), qMin<quint16>(wire.at(539), 6000));
}

void TestLiveScan::scanOnEthernetIsNotDecoded()
{
    std::unique_ptr<LinkRig> rig(ethernetRig());
    QSignalSpy scans(&rig->link, &SERIAL_COMM::ReceiveScanfData);
    const QByteArray answer = scanReply(FrameId::RScan, 100, 100) + scanReply(FrameId::RStre, 5, 5);
    rig->device.feed(answer);
    QCOMPARE(scans.count(), 0);
    QCOMPARE(rig->link.liveScan().scanDistances, QVector<quint16>(540, 0));
    QCOMPARE(rig->link.receiveBuffer(), answer);
}

void TestLiveScan::cloudFullScan()
{
    std::unique_ptr<LinkRig> rig(ethernetRig());
    rig->link.SetRangeLimit(0);
    const LiveScan &live = rig->link.liveScan();
    QSignalSpy scans(&rig->link, &SERIAL_COMM::ReceiveScanfData);
    QSignalSpy intensities(&rig->link, &SERIAL_COMM::ReceiveIntensityData);
    const QByteArray packet = buildCloudPacket(45, 315, QVector<CloudPoint>(2700, CloudPoint{1000, 9000}));
    rig->device.feed(packet.left(7));
    rig->device.feed(packet.mid(7, 5000));
    QCOMPARE(scans.count(), 0);
    rig->device.feed(packet.mid(5007));
    QCOMPARE(scans.count(), 1);
    QCOMPARE(intensities.count(), 1);
    QCOMPARE(live.cloudCount, 2700);
    QCOMPARE(live.cloudIndex, 0);
    // Bearings 0.1 degree apart from 90 - 45 - 0.1 = 44.9 degrees downward.
    for (int k : {0, 1000, 2699}) {
        const float degrees = 90.0f - 45.0f - float(k + 1) * 0.1f;
        const float b = degrees * 0.017453292f;
        QVERIFY(qAbs(live.cloudDistX[k] - 1000.0 * std::cos(b)) <= 2.0);
        QVERIFY(qAbs(live.cloudDistY[k] - 1000.0 * std::sin(b)) <= 2.0);
        // The intensity was clamped to the 6000 mm limit of model 05.
        QVERIFY(qAbs(live.cloudIntensityX[k] - 6000.0 * std::cos(b)) <= 6.0);
    }
    QCOMPARE(live.cloudDistX[2700], 0);
    QCOMPARE(rig->link.pendingCommand(), 0);
    QVERIFY(!rig->link.timeoutTimer().isActive());
}

// A scanner pushes its sectors faster than one read each: coalesced reads must not
// pile up in the buffer until its limit throws whole scans away.
void TestLiveScan::cloudPacketsArrivingTwoPerReadAreAllDecoded()
{
    std::unique_ptr<LinkRig> rig(ethernetRig());
    QSignalSpy scans(&rig->link, &SERIAL_COMM::ReceiveScanfData);
    constexpr int Scans = 20;
    constexpr int SectorDegrees = 10;  // 27 sectors of 100 points from 45 to 315 degrees
    QList<QByteArray> sectors;
    for (int scan = 0; scan < Scans; ++scan) {
        for (int start = 45; start < 315; start += SectorDegrees)
            sectors.append(cloudPacket(start, start + SectorDegrees, 100, quint16(1000 + scan)));
    }
    for (int i = 0; i + 1 < sectors.size(); i += 2) {
        rig->device.feed(sectors.at(i) + sectors.at(i + 1));
        QVERIFY(rig->link.receiveBuffer().isEmpty());
    }
    QCOMPARE(scans.count(), Scans);
    QCOMPARE(rig->link.liveScan().cloudCount, 2700);
    // The last scan's last point, at bearing 315 (scene angle -225 degrees).
    QVERIFY(qAbs(rig->link.liveScan().cloudDistX[2699] + 1019 * 0.7071) <= 2);
}

void TestLiveScan::cloudSpanAcrossZero()
{
    std::unique_ptr<LinkRig> rig(ethernetRig());
    QSignalSpy scans(&rig->link, &SERIAL_COMM::ReceiveScanfData);
    // S = 300, E = 30: span 90; N = 90 gives slot (90 * 24 / 90) * 255 / 24 = 255.
    rig->device.feed(cloudPacket(300, 30, 90, 2000));
    QCOMPARE(scans.count(), 0);
    const LiveScan &live = rig->link.liveScan();
    QCOMPARE(live.cloudIndex, 255 + 90);
    const float b = (90.0f - 300.0f - 1.0f) * 0.017453292f;
    QVERIFY(qAbs(live.cloudDistX[255] - 2000.0 * std::cos(b)) <= 2.0);
    QVERIFY(qAbs(live.cloudDistY[255] - 2000.0 * std::sin(b)) <= 2.0);
    QCOMPARE(live.cloudDistX[254], 0);
}

void TestLiveScan::cloudInvertedBearings()
{
    std::unique_ptr<LinkRig> rig(ethernetRig());
    rig->link.SetInvertedMount(true);
    rig->device.feed(cloudPacket(45, 135, 90, 3000));
    // Bearing (k + 1) * 1 + (45 - 270) degrees: k = 0 at -224 degrees.
    const float b = (1.0f - 225.0f) * 0.017453292f;
    QVERIFY(qAbs(rig->link.liveScan().cloudDistX[0] - 3000.0 * std::cos(b)) <= 3.0);
    QVERIFY(qAbs(rig->link.liveScan().cloudDistY[0] - 3000.0 * std::sin(b)) <= 3.0);
}

void TestLiveScan::cloudPacketsThatDoNotFitAreDropped_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("count");
    QTest::newRow("start below 45") << 30 << 315 << 100;
    QTest::newRow("zero span") << 400 << 40 << 10;
    QTest::newRow("start equal to end") << 100 << 100 << 10;
    // (1400 * 24 / 1) * (65534 - 45) overflows 32 bits and would give a slot far below 0.
    QTest::newRow("first slot beyond 32 bits") << 65534 << 65535 << 1400;
    QTest::newRow("reversed span") << 1000 << 20 << 10;
    QTest::newRow("runs past slot 29999") << 300 << 315 << 12000;
}

void TestLiveScan::cloudPacketsThatDoNotFitAreDropped()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, count);
    std::unique_ptr<LinkRig> rig(ethernetRig());
    rig->device.feed(cloudPacket(45, 60, 17));  // a scan under way: index 17
    const LiveScan &live = rig->link.liveScan();
    QCOMPARE(live.cloudIndex, 17);
    const QVector<qint32> before = live.cloudDistX;
    QSignalSpy scans(&rig->link, &SERIAL_COMM::ReceiveScanfData);
    rig->device.feed(cloudPacket(start, end, count));
    QCOMPARE(live.cloudDistX, before);
    QCOMPARE(live.cloudDistX.size(), CloudCapacity);
    QCOMPARE(live.cloudIndex, 17);
    QCOMPARE(live.cloudCount, 0);
    QCOMPARE(scans.count(), 0);
    QVERIFY(rig->link.receiveBuffer().isEmpty());  // consumed, not left to block others
    rig->device.feed(cloudPacket(45, 315, 10));
    QCOMPARE(scans.count(), 1);
    QCOMPARE(live.cloudCount, 10);
}

void TestLiveScan::cloudHugeCountDoesNotWedgeStream()
{
    std::unique_ptr<LinkRig> rig(ethernetRig());
    QSignalSpy scans(&rig->link, &SERIAL_COMM::ReceiveScanfData);
    const QByteArray bogus("Cloud\0\0\x2d\x01\x3b\xff\xf0", 12);
    rig->device.feed(bogus + cloudPacket(45, 315, 50));
    QCOMPARE(scans.count(), 1);
    QCOMPARE(rig->link.liveScan().cloudCount, 50);
}

// The block the IO simulation hands the link goes out with the next "WSimu"; the
// scanner's report is stored with the area its inputs choose, and announced with the
// input and output bytes widened as signed bytes.
void TestLiveScan::simulationReport()
{
    LinkRig rig;
    SimulationBlock block;
    block.inputSimulationOn = 1;
    block.simulatedInputs = 9;
    rig.link.SetSimulationBlock(block);
    QSignalSpy ports(&rig.link, &SERIAL_COMM::IOPortSignals);
    rig.link.ReadSimulationTime();
    const QByteArray request = rig.exchange();
    QCOMPARE(request.left(MnemonicLength), QByteArray("WSimu"));
    QCOMPARE(int(request[5]), 1);
    QCOMPARE(int(request[6]), 9);
    QCOMPARE(ports.count(), 1);
    QCOMPARE(ports.at(0).at(0).toUInt(), 9u);  // the emulator sees the inputs simulated
    QCOMPARE(rig.link.liveScan().activeArea, 9);

    rig.link.ReadSimulationTime();
    rig.tick();
    rig.undelivered.clear();
    rig.device.feed(buildWSimuReply(0x85, 0x03, 0x0021));
    QCOMPARE(ports.count(), 2);
    QCOMPARE(ports.at(1).at(0).toUInt(), 0xFFFFFF85u);
    QCOMPARE(ports.at(1).at(1).toUInt(), 3u);
    QCOMPARE(ports.at(1).at(2).toUInt(), 0x21u);
    QCOMPARE(rig.link.liveScan().activeArea, 0);  // widened negative: no area of its own
    QVERIFY(!rig.link.flag(SERIAL_COMM::SimulationFlag));
}

QTEST_GUILESS_MAIN(TestLiveScan)
#include "tst_livescan.moc"
