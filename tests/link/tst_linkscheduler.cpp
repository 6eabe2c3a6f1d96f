// The link's scheduler: one request per send tick in the flags' order, replies taken
// from one receive buffer, the reply time-out and its fourth-in-a-row rule, and the
// device it reads and writes. Against the in-process emulator scanner, and raw bytes
// where a scanner would never send them.

#include "linkrig.h"

#include "core/link/crc16.h"
#include "core/link/framebuilders.h"

#include <QSignalSpy>
#include <QtTest>

using namespace veltrix;
using veltrix::testing::LinkRig;

namespace {

QByteArray mnemonicOf(const QByteArray &frame)
{
    return frame.left(MnemonicLength);
}

}  // namespace

class TestLinkScheduler : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void requestBytes_data();
    void requestBytes();
    void requestsGoToTheDeviceGiven();
    void rangeLimitByModel_data();
    void rangeLimitByModel();

    void noiseBeforeFrameStaysInBuffer();
    void frameSplitAcrossTwoReads();
    void badCrcReplyIsIgnored();
    void productShortBadCrcWaitsFor509();
    void bufferPast50000IsCleared();
    void replyToAnotherRequestIsNotTaken();

    void sendOrderFollowsFlagPriority();
    void scanFlagWaitsForPendingRequest();
    void threeTimeoutsThenReplyResetCount();
    void fourthTimeoutStopsEverything();
    void ethernetTimeoutAfterPollingStops();
    void failedWritesEndInTimeouts();
    void intensityOnEthernet();
    void ethernetScanPolling();
    void closeAndClear();
};

void TestLinkScheduler::construction()
{
    SERIAL_COMM link;
    QVERIFY(link.sendTimer().isActive());
    QCOMPARE(link.sendTimer().interval(), 20);
    QCOMPARE(link.timeoutTimer().interval(), 2000);
    QVERIFY(!link.timeoutTimer().isActive());
    QVERIFY(!link.scanTimer().isActive());
    QCOMPARE(link.pendingCommand(), 0);
    QCOMPARE(link.rangeLimit(), 6000);
    QVERIFY(!link.configuration().invertedMount);
    QVERIFY(!link.device());
    QVERIFY(!link.transaction());
    for (int f = 0; f < SERIAL_COMM::RequestFlagCount; ++f)
        QVERIFY(!link.flag(SERIAL_COMM::RequestFlag(f)));
}

void TestLinkScheduler::requestBytes_data()
{
    QTest::addColumn<QByteArray>("mnemonic");
    QTest::addColumn<int>("pending");
    QTest::newRow("read parameters") << QByteArray("RPara") << int(SERIAL_COMM::ReadParametersCommand);
    QTest::newRow("product") << QByteArray("RPrda") << int(SERIAL_COMM::ProductCommand);
    QTest::newRow("reboot") << QByteArray("RBoot") << int(SERIAL_COMM::RebootCommand);
}

// A plain request is its five letters and their CRC-16/MODBUS, low byte first, and
// its reply is then awaited under the time-out.
void TestLinkScheduler::requestBytes()
{
    QFETCH(QByteArray, mnemonic);
    QFETCH(int, pending);
    LinkRig rig;
    if (mnemonic == "RPara")
        rig.link.ReadSensorAllDataSlots();
    else if (mnemonic == "RPrda")
        rig.link.SensorInformationSlots();
    else
        rig.link.SensorRebootSlots();
    const quint16 crc = crc16(mnemonic.constData(), 5);
    QCOMPARE(rig.tick(), mnemonic + char(crc & 0xFF) + char(crc >> 8));
    QCOMPARE(rig.link.pendingCommand(), pending);
    QVERIFY(rig.link.timeoutTimer().isActive());
}

// Requests go to the device the connection handed over, and replies are read from it
// only; without one nothing is written, and the request runs into its time-out.
void TestLinkScheduler::requestsGoToTheDeviceGiven()
{
    LinkRig rig;
    FakeDevice other;
    rig.link.setDevice(&other);
    rig.link.SensorInformationSlots();
    rig.link.SerialPortSendData();
    QCOMPARE(other.written.size(), 1);
    QVERIFY(rig.device.written.isEmpty());
    rig.device.feed(buildRPrdaReply(ProductInfo()));
    QVERIFY(rig.results.isEmpty());
    other.feed(buildRPrdaReply(ProductInfo()));
    QCOMPARE(rig.countResults(TransactionKind::ProductInformation, TransactionOutcome::Complete), 1);

    rig.link.setDevice(nullptr);
    rig.link.SensorInformationSlots();
    rig.link.SerialPortSendData();
    QCOMPARE(other.written.size(), 1);
    QCOMPARE(rig.link.pendingCommand(), int(SERIAL_COMM::ProductCommand));
    QVERIFY(rig.link.timeoutTimer().isActive());
}

void TestLinkScheduler::rangeLimitByModel_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("limit");
    QTest::newRow("05") << 0 << 6000;
    QTest::newRow("10") << 1 << 12000;
    QTest::newRow("20") << 2 << 24000;
    QTest::newRow("30") << 3 << 36000;
    QTest::newRow("50") << 4 << 60000;
    QTest::newRow("unknown keeps 50's") << 7 << 60000;
}

void TestLinkScheduler::rangeLimitByModel()
{
    QFETCH(int, model);
    QFETCH(int, limit);
    SERIAL_COMM link;
    link.SetRangeLimit(4);
    link.SetRangeLimit(model);
    QCOMPARE(link.rangeLimit(), limit);
}

void TestLinkScheduler::noiseBeforeFrameStaysInBuffer()
{
    LinkRig rig;
    rig.link.SensorInformationSlots();
    rig.tick();
    const QByteArray noise("\x10\x20RPr\x99", 6);
    rig.undelivered.prepend(noise);
    rig.undelivered.append("xy");
    rig.deliver();
    QCOMPARE(rig.countResults(TransactionKind::ProductInformation, TransactionOutcome::Complete), 1);
    QCOMPARE(rig.link.receiveBuffer(), noise + "xy");
    QCOMPARE(rig.link.pendingCommand(), 0);
    QVERIFY(!rig.link.timeoutTimer().isActive());
}

void TestLinkScheduler::frameSplitAcrossTwoReads()
{
    LinkRig rig;
    QSignalSpy ports(&rig.link, &SERIAL_COMM::IOPortSignals);
    rig.link.ReadSimulationTime();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("WSimu"));
    const QByteArray answer = rig.undelivered.takeFirst();
    rig.device.feed(answer.left(6));
    QCOMPARE(ports.count(), 0);
    QCOMPARE(rig.link.pendingCommand(), int(SERIAL_COMM::SimulationCommand));
    rig.device.feed(answer.mid(6));
    QCOMPARE(ports.count(), 1);
    QVERIFY(rig.link.receiveBuffer().isEmpty());
    QCOMPARE(rig.link.pendingCommand(), 0);
}

void TestLinkScheduler::badCrcReplyIsIgnored()
{
    LinkRig rig;
    rig.link.ReadSensorAllDataSlots();
    rig.tick();
    QByteArray answer = rig.undelivered.takeFirst();
    answer[20] = char(answer[20] ^ 0x01);
    QSignalSpy direction(&rig.link, &SERIAL_COMM::DirChangeSignals);
    rig.device.feed(answer);
    QCOMPARE(direction.count(), 0);
    QVERIFY(rig.link.receiveBuffer().isEmpty());
    QCOMPARE(rig.link.pendingCommand(), int(SERIAL_COMM::ReadParametersCommand));
    QVERIFY(rig.link.timeoutTimer().isActive());
    // The retry after the time-out is answered and taken.
    rig.link.ReadWriteOverTime();
    QCOMPARE(mnemonicOf(rig.exchange()), QByteArray("RPara"));
    QCOMPARE(direction.count(), 1);
}

void TestLinkScheduler::productShortBadCrcWaitsFor509()
{
    ScannerConfig config;
    config.longProductReply = true;
    LinkRig rig(config);
    rig.link.SensorInformationSlots();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RPrda"));
    const QByteArray answer = rig.undelivered.takeFirst();
    QCOMPARE(answer.size(), ProductReplyLongLength);
    rig.device.feed(answer.left(19));
    rig.device.feed(answer.mid(19, 480));
    QVERIFY(rig.results.isEmpty());
    QCOMPARE(rig.link.receiveBuffer(), answer.left(499));
    rig.device.feed(answer.mid(499));
    QCOMPARE(rig.results.size(), 1);
    QCOMPARE(rig.lastResult().product.firmware, config.product.firmware);
    QVERIFY(rig.link.receiveBuffer().isEmpty());
    QVERIFY(!rig.link.flag(SERIAL_COMM::ProductFlag));
}

void TestLinkScheduler::bufferPast50000IsCleared()
{
    LinkRig rig;
    rig.device.feed(QByteArray(50000, 'n'));
    QCOMPARE(rig.link.receiveBuffer().size(), 50000);
    rig.device.feed("n");
    QVERIFY(rig.link.receiveBuffer().isEmpty());

    // A valid frame in the same read is taken before the clear.
    rig.link.ReadSimulationTime();
    rig.tick();
    QSignalSpy ports(&rig.link, &SERIAL_COMM::IOPortSignals);
    rig.device.feed(QByteArray(49990, 'n') + rig.undelivered.takeFirst() + QByteArray(20, 'n'));
    QCOMPARE(ports.count(), 1);
    QVERIFY(rig.link.receiveBuffer().isEmpty());
}

// A valid reply that does not answer the request outstanding (one that came too late,
// one nobody asked for) is taken out of the buffer and changes nothing: the request
// waits on for its own reply under its time-out.
void TestLinkScheduler::replyToAnotherRequestIsNotTaken()
{
    LinkRig rig;
    QSignalSpy ports(&rig.link, &SERIAL_COMM::IOPortSignals);
    QSignalSpy scans(&rig.link, &SERIAL_COMM::ReceiveScanfData);
    rig.link.SensorInformationSlots();
    rig.tick();
    rig.undelivered.clear();
    rig.device.feed(buildWSimuReply(1, 2, 3) + buildScanReply(FrameId::RScan, QVector<quint16>(540, 7))
                    + buildAcknowledge(FrameId::RBoot, 0) + buildAcknowledge(FrameId::WPara, 0));
    QCOMPARE(ports.count(), 0);
    QCOMPARE(scans.count(), 0);
    QVERIFY(rig.results.isEmpty());
    QVERIFY(rig.link.receiveBuffer().isEmpty());
    QCOMPARE(rig.link.pendingCommand(), int(SERIAL_COMM::ProductCommand));
    QVERIFY(rig.link.timeoutTimer().isActive());
    QVERIFY(rig.tick().isEmpty());
}

void TestLinkScheduler::sendOrderFollowsFlagPriority()
{
    LinkRig rig;
    rig.link.ReadScanfTime();
    rig.link.ReadIntensityTime();
    rig.link.ReadSimulationTime();
    rig.link.SensorRebootSlots();
    QStringList order;
    for (const QByteArray &request : rig.runToQuiet())
        order << QString::fromLatin1(mnemonicOf(request));
    QCOMPARE(order, QStringList({"RBoot", "WSimu", "RScan", "RStre"}));
    // The product request comes before polling, and a transfer's steps before both.
    rig.link.ReadScanfTime();
    rig.link.ReadSimulationTime();
    rig.link.SensorInformationSlots();
    order.clear();
    for (const QByteArray &request : rig.runToQuiet())
        order << QString::fromLatin1(mnemonicOf(request));
    QCOMPARE(order, QStringList({"RPrda", "WSimu", "RScan"}));
}

void TestLinkScheduler::scanFlagWaitsForPendingRequest()
{
    LinkRig rig;
    rig.link.ReadSensorAllDataSlots();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RPara"));
    rig.link.ReadScanfTime();
    for (int i = 0; i < 5; ++i)
        QVERIFY(rig.tick().isEmpty());
    rig.deliver();
    // The transfer still runs, so the scan waits on.
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RCase"));
    QVERIFY(rig.link.flag(SERIAL_COMM::ScanFlag));
}

void TestLinkScheduler::threeTimeoutsThenReplyResetCount()
{
    LinkRig rig;
    rig.link.OpenSendReadSimulation();
    rig.link.ReadSimulationTime();
    for (int i = 1; i <= 3; ++i) {
        QCOMPARE(mnemonicOf(rig.tick()), QByteArray("WSimu"));
        rig.link.ReadWriteOverTime();
        QCOMPARE(rig.link.timeoutCount(), i);
        QCOMPARE(rig.link.pendingCommand(), 0);
    }
    QCOMPARE(rig.timeouts, 0);
    QVERIFY(rig.link.simulationTimer().isActive());
    rig.undelivered.clear();
    rig.exchange();
    QCOMPARE(rig.link.timeoutCount(), 0);
    QVERIFY(!rig.link.timeoutTimer().isActive());
    rig.link.ReadSimulationTime();
    rig.tick();
    rig.link.ReadWriteOverTime();
    QCOMPARE(rig.link.timeoutCount(), 1);
    QCOMPARE(rig.timeouts, 0);
}

// The fourth time-out in a row ends the running transfer, stops every polling timer and
// says so once; the send tick goes on.
void TestLinkScheduler::fourthTimeoutStopsEverything()
{
    LinkRig rig;
    rig.link.OpenSendReadScanf();
    rig.link.OpenSendReadIntensity();
    rig.link.OpenSendReadSimulation();
    rig.link.ReadSensorAllDataSlots();
    rig.link.ReadScanfTime();
    for (int i = 0; i < 4; ++i) {
        QVERIFY(!rig.tick().isEmpty());
        rig.link.ReadWriteOverTime();
    }
    QCOMPARE(rig.timeouts, 1);
    QCOMPARE(rig.results.size(), 1);
    QCOMPARE(rig.lastResult().kind, TransactionKind::ReadAll);
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::TimedOut);
    QCOMPARE(rig.link.timeoutCount(), 0);
    QVERIFY(!rig.link.transaction());
    for (int f = 0; f < SERIAL_COMM::RequestFlagCount; ++f)
        QVERIFY(!rig.link.flag(SERIAL_COMM::RequestFlag(f)));
    QVERIFY(!rig.link.scanTimer().isActive());
    QVERIFY(!rig.link.intensityTimer().isActive());
    QVERIFY(!rig.link.simulationTimer().isActive());
    QVERIFY(!rig.link.timeoutTimer().isActive());
    QVERIFY(rig.link.sendTimer().isActive());
    QVERIFY(rig.tick().isEmpty());
}

void TestLinkScheduler::ethernetTimeoutAfterPollingStops()
{
    LinkRig rig(ScannerConfig(), EthernetInterface);
    rig.link.OpenSendReadScanf();
    QCOMPARE(rig.link.scanTimer().interval(), 1000);
    rig.link.ReadScanfTime();
    QCOMPARE(rig.tick().left(6), QByteArray("RAuto\x01", 6));
    rig.link.CloseSendReadScanf();
    QVERIFY(rig.link.timeoutTimer().isActive());
    for (int i = 0; i < 3; ++i)
        rig.link.ReadWriteOverTime();
    QCOMPARE(rig.timeouts, 0);
    rig.link.ReadWriteOverTime();
    QCOMPARE(rig.timeouts, 1);
}

void TestLinkScheduler::failedWritesEndInTimeouts()
{
    LinkRig rig;
    rig.device.failWrites = true;
    rig.link.ReadSensorAllDataSlots();
    for (int i = 0; i < 4; ++i) {
        rig.tick();
        QCOMPARE(rig.link.pendingCommand(), int(SERIAL_COMM::ReadParametersCommand));
        rig.link.ReadWriteOverTime();
    }
    QCOMPARE(rig.timeouts, 1);
    QVERIFY(rig.device.written.isEmpty());
    QVERIFY(!rig.link.flag(SERIAL_COMM::ReadParametersFlag));
}

void TestLinkScheduler::intensityOnEthernet()
{
    LinkRig rig(ScannerConfig(), EthernetInterface);
    rig.link.OpenSendReadIntensity();
    QVERIFY(!rig.link.intensityTimer().isActive());
    rig.link.ReadIntensityTime();
    QVERIFY(rig.tick().isEmpty());
    QVERIFY(!rig.link.flag(SERIAL_COMM::IntensityFlag));
    QVERIFY(rig.device.written.isEmpty());

    LinkRig serialRig;
    serialRig.link.OpenSendReadIntensity();
    QVERIFY(serialRig.link.intensityTimer().isActive());
    QCOMPARE(serialRig.link.intensityTimer().interval(), 50);
}

void TestLinkScheduler::ethernetScanPolling()
{
    LinkRig rig(ScannerConfig(), EthernetInterface, UdpMode);
    rig.link.ReadScanfTime();
    const QByteArray frame = rig.tick();
    QCOMPARE(frame.left(6), QByteArray("RAuto\x01", 6));
    QVERIFY(checkCrc(frame.constData(), 6));
    QVERIFY(!rig.link.flag(SERIAL_COMM::ScanFlag));
    QCOMPARE(rig.link.pendingCommand(), 0);
    QVERIFY(rig.link.timeoutTimer().isActive());
    QVERIFY(rig.session.cloudRunning());
    rig.link.ReadScanfTime();
    QCOMPARE(rig.tick().left(6), QByteArray("RAuto\x01", 6));
    QCOMPARE(rig.device.written.size(), 2);
    rig.session.pushCloudSector();
    rig.deliver();
    QVERIFY(rig.link.liveScan().cloudIndex > 0);
}

void TestLinkScheduler::closeAndClear()
{
    LinkRig rig(ScannerConfig(), EthernetInterface);
    rig.device.feed(buildCloudPacket(45, 90, QVector<CloudPoint>(20, CloudPoint{1000, 100})) + "rest");
    QCOMPARE(rig.link.liveScan().cloudIndex, 20);
    rig.link.SensorInformationSlots();
    rig.link.SerialPortSendData();
    rig.link.StopOverTimer();
    rig.link.ClearCommandFlags();
    rig.link.CloseSerialPortSlots();
    QVERIFY(!rig.link.timeoutTimer().isActive());
    QCOMPARE(rig.link.pendingCommand(), 0);
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::LinkLost);
    for (int f = 0; f < SERIAL_COMM::RequestFlagCount; ++f)
        QVERIFY(!rig.link.flag(SERIAL_COMM::RequestFlag(f)));
    QVERIFY(rig.link.receiveBuffer().isEmpty());
    QCOMPARE(rig.link.liveScan().cloudIndex, 0);
    QCOMPARE(rig.link.liveScan().cloudCount, 0);
    QCOMPARE(rig.link.liveScan().cloudDistX, QVector<qint32>(CloudCapacity, 0));
    // The reply still on its way finds nobody waiting for it.
    rig.deliver();
    QCOMPARE(rig.results.size(), 1);
}

QTEST_GUILESS_MAIN(TestLinkScheduler)
#include "tst_linkscheduler.moc"
