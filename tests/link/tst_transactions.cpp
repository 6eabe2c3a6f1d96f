// The link's transactions against the in-process emulator scanner: read-all and
// write-all with their order of requests, the scanner's refusals, the questions they
// wait on (polling goes on meanwhile), cancels, time-outs and late replies, the
// snapshot a write-all sends, one transaction at a time, reading one area, product
// information and reboot. Each ends with one result value.

#include "linkrig.h"
#include "randomareas.h"

#include "core/link/configurationchecksum.h"
#include "core/link/areapayload.h"
#include "core/link/crc16.h"
#include "core/link/readareatransaction.h"

#include <QSignalSpy>
#include <QtTest>

using namespace veltrix;
using veltrix::testing::LinkRig;

namespace {

constexpr int Reach = 5400;

QByteArray mnemonicOf(const QByteArray &frame)
{
    return frame.left(MnemonicLength);
}

QStringList mnemonics(const QList<QByteArray> &requests)
{
    QStringList names;
    for (const QByteArray &request : requests)
        names << QString::fromLatin1(mnemonicOf(request));
    return names;
}

ScannerConfiguration randomConfiguration(quint32 seed)
{
    ScannerConfiguration configuration;
    configuration.areas = randomareas::areas(seed, Reach);
    configuration.parameters = randomareas::parameters(seed);
    return configuration;
}

// The scanner's areas, case words included.
QVector<AreaRecord> heldAreas(const EmulatedScanner &scanner)
{
    QVector<AreaRecord> areas;
    for (int i = 0; i < AreaCount; ++i)
        areas.append(scanner.area(i));
    return areas;
}

QVector<AreaRecord> throughTheWire(const QVector<AreaRecord> &sent)
{
    QVector<AreaRecord> received;
    for (int i = 0; i < sent.size(); ++i)
        received.append(randomareas::throughTheWire(sent.at(i), i));
    return received;
}

ScannerConfig refusing(int area, int status, bool always = false)
{
    ScannerConfig config;
    config.areaStatusArea = area;
    config.areaStatusValue = status;
    config.areaStatusAlways = always;
    return config;
}

}  // namespace

class TestTransactions : public QObject
{
    Q_OBJECT

private slots:
    void readAllStagesEverythingInOrder();
    void writeAllThenRestart_data();
    void writeAllThenRestart();
    void refusedAreaWrite_data();
    void refusedAreaWrite();
    void areaRefusedEveryTimeStopsTheWrite();
    void refusedCaseOrParameters_data();
    void refusedCaseOrParameters();
    void unsendableConfigurationIsRefusedBeforeSending_data();
    void unsendableConfigurationIsRefusedBeforeSending();
    void writeAllSendsItsSnapshot();
    void oneTransactionAtATime();
    void cancelledTransferIgnoresLateAnswers_data();
    void cancelledTransferIgnoresLateAnswers();
    void timeoutsInReadAll();
    void timeoutInWriteAllRestartsAtAreaZero();
    void areaIndexAbove63IsAskedAgain();
    void invertedMountingBothWays();
    void ethernetTransferStopsTheCloudsFirst();
    void readOneArea();
    void productInformationAndReboot();
};

void TestTransactions::readAllStagesEverythingInOrder()
{
    LinkRig rig;
    const ScannerConfiguration held = randomConfiguration(5);
    QString error;
    QVERIFY2(rig.scanner.preload(held.areas, held.parameters, &error), qPrintable(error));
    QSignalSpy direction(&rig.link, &SERIAL_COMM::DirChangeSignals);
    QList<int> progress;
    QObject::connect(&rig.link, &SERIAL_COMM::TransactionStarted, [&](LinkTransaction *t) {
        QObject::connect(t, &LinkTransaction::progressChanged, [&](int step, int of) {
            QCOMPARE(of, AreaCount);
            progress << step;
        });
    });
    rig.link.ReadSensorAllDataSlots();
    const QList<QByteArray> requests = rig.runToQuiet();
    QCOMPARE(requests.size(), 66);
    QCOMPARE(mnemonics(requests.mid(0, 2)), QStringList({"RPara", "RCase"}));
    for (int i = 0; i < AreaCount; ++i) {
        QCOMPARE(mnemonicOf(requests[2 + i]), QByteArray("RArea"));
        QCOMPARE(int(quint8(requests[2 + i][5])), i);
    }
    QCOMPARE(rig.results.size(), 1);
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Complete);
    const ScannerConfiguration read = rig.lastResult().configuration;
    QCOMPARE(read.areas, throughTheWire(held.areas));
    for (int word = 0; word < WrittenParameterCount; ++word)
        QCOMPARE(read.parameters[word], held.parameters[word]);
    QCOMPARE(read.parameters[23], 500u);  // the scanner's own read-only words
    QCOMPARE(direction.count(), 1);
    // Each area shown as it is asked for and again as it arrives.
    QCOMPARE(progress.size(), 2 * AreaCount);
    QCOMPARE(progress.last(), AreaCount);
    QVERIFY(!rig.link.transaction());
}

void TestTransactions::writeAllThenRestart_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("no restart") << 1;
    QTest::newRow("restart") << 0;
}

void TestTransactions::writeAllThenRestart()
{
    QFETCH(int, answer);
    LinkRig rig;
    QSignalSpy rebooted(&rig.scanner, &EmulatedScanner::rebooted);
    ScannerConfiguration sent = randomConfiguration(7);
    sent.areas[7].vehicleMaxSpeed = -250;
    sent.parameters[IpAddressLowWord] = 0x0242;
    rig.answer = [answer](const TransactionQuestion &) { return answer; };
    rig.link.SetConfigurationSource([sent] { return sent; });
    rig.link.WriteSensorAllDataSlots();
    const QList<QByteArray> requests = rig.runToQuiet();
    // Written, then read back whole before the restart is offered.
    QCOMPARE(requests.size(), answer == 0 ? 133 : 132);
    for (int i = 0; i < AreaCount; ++i) {
        QCOMPARE(mnemonicOf(requests[i]), QByteArray("WArea"));
        QCOMPARE(areaIndexOf(requests[i].constData()), i);
        QCOMPARE(mnemonicOf(requests[68 + i]), QByteArray("RArea"));
        QCOMPARE(int(quint8(requests[68 + i][5])), i);
    }
    QCOMPARE(mnemonics(requests.mid(64, 4)), QStringList({"WCase", "WPara", "RPara", "RCase"}));
    if (answer == 0)
        QCOMPARE(mnemonicOf(requests.last()), QByteArray("RBoot"));
    QCOMPARE(readS16(requests[64].constData() + 5 + 70 + 6), -250);
    QCOMPARE(readU16(requests[65].constData() + 49), 0x0242u);
    QCOMPARE(rig.questions.size(), 1);
    QCOMPARE(rig.questions[0].kind, TransactionQuestion::Restart);
    QVERIFY(rig.questions[0].verified);
    QCOMPARE(rig.questions[0].checksum, configurationChecksum(sent).value());
    QVERIFY(rig.lastResult().differences.isEmpty());
    QCOMPARE(rebooted.count(), answer == 0 ? 1 : 0);
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Complete);
    QCOMPARE(rig.lastResult().rebooted, answer == 0);
    QVERIFY(rig.refusals.isEmpty());
    // The scanner holds what was sent, as the wire carries it.
    QCOMPARE(heldAreas(rig.scanner), throughTheWire(sent.areas));
    for (int word = 0; word < WrittenParameterCount; ++word)
        QCOMPARE(rig.scanner.parameters()[word], sent.parameters[word]);
}

void TestTransactions::refusedAreaWrite_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("nextArea");
    QTest::addColumn<bool>("asks");
    QTest::newRow("setting error: area 0 again once seen") << 1 << 0 << true;
    QTest::newRow("flash error: the same area again") << 2 << 10 << false;
    QTest::newRow("unknown status: the same area again") << 3 << 10 << false;
}

// A refused area is sent again; a setting error waits until the user has seen it,
// and while it waits the simulation exchange goes on.
void TestTransactions::refusedAreaWrite()
{
    QFETCH(int, status);
    QFETCH(int, nextArea);
    QFETCH(bool, asks);
    LinkRig rig(refusing(10, status));
    rig.holdAnswers = true;
    rig.link.WriteSensorAllDataSlots();
    for (int i = 0; i < 10; ++i)
        rig.exchange();
    QCOMPARE(areaIndexOf(rig.exchange().constData()), 10);
    QCOMPARE(rig.questions.size(), asks ? 1 : 0);
    QCOMPARE(rig.refusals.size(), asks ? 0 : 1);
    if (asks) {
        QCOMPARE(rig.questions[0].kind, TransactionQuestion::AreaWriteRefused);
        QCOMPARE(rig.questions[0].step, (RefusedStep{FrameId::WArea, 10, 1}));
        QVERIFY(rig.link.transaction()->isWaiting());
        rig.link.ReadSimulationTime();
        QCOMPARE(mnemonicOf(rig.exchange()), QByteArray("WSimu"));
        QVERIFY(rig.tick().isEmpty());
        rig.answerNow(0);
    } else {
        QVERIFY(!rig.link.transaction()->isWaiting());
        QCOMPARE(rig.refusals[0], (RefusedStep{FrameId::WArea, 10, status}));
    }
    rig.holdAnswers = false;
    const QByteArray next = rig.exchange();
    QCOMPARE(mnemonicOf(next), QByteArray("WArea"));
    QCOMPARE(areaIndexOf(next.constData()), nextArea);
    rig.runToQuiet();
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Complete);
}

void TestTransactions::areaRefusedEveryTimeStopsTheWrite()
{
    LinkRig rig(refusing(20, 2, true));
    rig.link.WriteSensorAllDataSlots();
    const QList<QByteArray> requests = rig.runToQuiet();
    QCOMPARE(requests.size(), 20 + 1 + WriteAllTransaction::AreaWriteRepeats);
    QCOMPARE(rig.refusals.size(), WriteAllTransaction::AreaWriteRepeats);
    const TransactionResult &result = rig.lastResult();
    QCOMPARE(result.outcome, TransactionOutcome::Refused);
    QVERIFY(result.stopped);
    QCOMPARE(result.stoppedAt, (RefusedStep{FrameId::WArea, 20, 2}));
    QVERIFY(rig.questions.isEmpty());
}

void TestTransactions::refusedCaseOrParameters_data()
{
    QTest::addColumn<bool>("caseData");
    QTest::addColumn<int>("status");
    QTest::newRow("case data, setting error") << true << 1;
    QTest::newRow("case data, flash error") << true << 2;
    QTest::newRow("parameters, setting error") << false << 1;
    QTest::newRow("parameters, status 9") << false << 9;
}

// A refused "WCase" or "WPara" does not stop the write; it ends refused, naming what
// was not written, and asks nothing about a restart.
void TestTransactions::refusedCaseOrParameters()
{
    QFETCH(bool, caseData);
    QFETCH(int, status);
    ScannerConfig config;
    (caseData ? config.caseStatus : config.parameterStatus) = status;
    LinkRig rig(config);
    rig.link.WriteSensorAllDataSlots();
    const QList<QByteArray> requests = rig.runToQuiet();
    QCOMPARE(requests.size(), 66);
    const RefusedStep refused{caseData ? FrameId::WCase : FrameId::WPara, -1, status};
    QCOMPARE(rig.refusals, QList<RefusedStep>{refused});
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Refused);
    QVERIFY(!rig.lastResult().stopped);
    QCOMPARE(rig.lastResult().notWritten, QVector<RefusedStep>{refused});
    QVERIFY(rig.questions.isEmpty());
}

void TestTransactions::unsendableConfigurationIsRefusedBeforeSending_data()
{
    QTest::addColumn<int>("connectType");
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("field");
    QTest::addColumn<QVector<QPoint>>("points");
    QTest::addColumn<int>("reason");
    QVector<QPoint> many;
    for (int i = 0; i < 101; ++i)
        many.append(QPoint(1000 + i, 2000 + 3 * i));
    QTest::newRow("101 vertices, serial") << int(SerialInterface) << 12 << 1 << many
                                          << int(UnsendableArea::TooManyVertices);
    // On the wire a point 40 m ahead would turn into one 25.5 m behind the scanner.
    QTest::newRow("40 m ahead, Ethernet") << int(EthernetInterface) << 30 << 2
                                          << QVector<QPoint>{QPoint(-500, 40000), QPoint(500, 40000)}
                                          << int(UnsendableArea::PointOutOfRange);
}

void TestTransactions::unsendableConfigurationIsRefusedBeforeSending()
{
    QFETCH(int, connectType);
    QFETCH(int, area);
    QFETCH(int, field);
    QFETCH(QVector<QPoint>, points);
    QFETCH(int, reason);
    LinkRig rig(ScannerConfig(), connectType);
    ScannerConfiguration sent;
    sent.areas[area].setShape(field, Polygon);
    sent.areas[area].points(field) = points;
    sent.areas[40].out3Points = points + points;  // a later one is not named
    rig.link.startTransaction(std::make_unique<WriteAllTransaction>(sent));
    QVERIFY(rig.device.written.isEmpty());  // not even the "RAuto" stop
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::NotSendable);
    QCOMPARE(rig.lastResult().unsendable.area, area);
    QCOMPARE(rig.lastResult().unsendable.field, field);
    QCOMPARE(int(rig.lastResult().unsendable.reason), reason);
    QCOMPARE(rig.lastResult().unsendable.vertexCount, points.size());
    QVERIFY(!rig.link.transaction());
    QVERIFY(rig.tick().isEmpty());
}

// The configuration is taken when the write starts: what the program's document turns
// into while the write runs (here even into one that could not be sent) is not sent.
void TestTransactions::writeAllSendsItsSnapshot()
{
    LinkRig rig;
    ScannerConfiguration document = randomConfiguration(11);
    const ScannerConfiguration pressed = document;
    rig.link.SetConfigurationSource([&document] { return document; });
    rig.link.WriteSensorAllDataSlots();
    for (int i = 0; i < 3; ++i)
        rig.exchange();
    document.areas[5].out1Points = QVector<QPoint>(120, QPoint(1, 1));
    document.areas[40] = AreaRecord();
    document.parameters[9] = 3;
    rig.runToQuiet();
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Complete);
    QCOMPARE(heldAreas(rig.scanner), throughTheWire(pressed.areas));
    QCOMPARE(rig.scanner.parameters()[9], pressed.parameters[9]);
}

// A write-all asked for while a read-all runs (as right after connecting) is refused
// at once and sends nothing; the read-all goes on undisturbed.
void TestTransactions::oneTransactionAtATime()
{
    LinkRig rig;
    rig.link.ReadSensorAllDataSlots();
    rig.exchange();
    rig.exchange();
    rig.link.WriteSensorAllDataSlots();
    rig.link.SensorRebootSlots();
    QCOMPARE(rig.countResults(TransactionKind::WriteAll, TransactionOutcome::Busy), 1);
    QCOMPARE(rig.countResults(TransactionKind::Reboot, TransactionOutcome::Busy), 1);
    const QList<QByteArray> rest = rig.runToQuiet();
    QCOMPARE(rest.size(), AreaCount);
    QCOMPARE(mnemonics(rest).count(QStringLiteral("RArea")), AreaCount);
    QCOMPARE(rig.countResults(TransactionKind::ReadAll, TransactionOutcome::Complete), 1);
    // Free again.
    rig.link.SensorRebootSlots();
    QCOMPARE(mnemonics(rig.runToQuiet()), QStringList{"RBoot"});
}

void TestTransactions::cancelledTransferIgnoresLateAnswers_data()
{
    QTest::addColumn<bool>("writing");
    QTest::newRow("read-all") << false;
    QTest::newRow("write-all") << true;
}

void TestTransactions::cancelledTransferIgnoresLateAnswers()
{
    QFETCH(bool, writing);
    LinkRig rig;
    if (writing)
        rig.link.WriteSensorAllDataSlots();
    else
        rig.link.ReadSensorAllDataSlots();
    for (int i = 0; i < 5; ++i)
        rig.exchange();
    rig.tick();  // its answer is still on its way
    rig.link.CancelTransfer();
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Cancelled);
    QVERIFY(!rig.link.timeoutTimer().isActive());
    QVERIFY(rig.tick().isEmpty());

    // The late answer, and a parameter acknowledgement, arrive while the product
    // information waits for its own reply: they pass for nothing, so nothing else goes
    // out before that reply comes or times out.
    rig.link.SensorInformationSlots();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RPrda"));
    const QByteArray productReply = rig.undelivered.takeLast();
    rig.deliver();
    rig.device.feed(buildAcknowledge(FrameId::WPara, 0));
    QCOMPARE(rig.results.size(), 1);
    QVERIFY(rig.link.timeoutTimer().isActive());
    QVERIFY(rig.tick().isEmpty());
    rig.device.feed(productReply);
    QCOMPARE(rig.lastResult().kind, TransactionKind::ProductInformation);
}

void TestTransactions::timeoutsInReadAll()
{
    // A missed reply is asked for again; nothing of the read-all is given up.
    LinkRig rig;
    rig.link.ReadSensorAllDataSlots();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RPara"));
    rig.undelivered.clear();
    rig.link.ReadWriteOverTime();
    QCOMPARE(mnemonics(rig.runToQuiet()).mid(0, 3), QStringList({"RPara", "RCase", "RArea"}));
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Complete);

    // In the area loop the same area is asked again. The first answer arrives late,
    // then the retry's: the loop moves on by one area only, and the repeated answer is
    // not taken as the reply to the next area.
    LinkRig second;
    second.link.ReadSensorAllDataSlots();
    for (int i = 0; i < 6; ++i)
        second.exchange();
    const QByteArray lost = second.tick();
    QCOMPARE(areaIndexOf(lost.constData()), 4);
    const QByteArray lostReply = second.undelivered.takeFirst();
    second.link.ReadWriteOverTime();
    const QByteArray retry = second.tick();
    QCOMPARE(areaIndexOf(retry.constData()), 4);
    const QByteArray retryReply = second.undelivered.takeFirst();
    second.device.feed(lostReply);
    const QByteArray next = second.tick();
    QCOMPARE(areaIndexOf(next.constData()), 5);
    second.device.feed(retryReply);
    QCOMPARE(second.link.pendingCommand(), int(SERIAL_COMM::ReadAreaCommand));
    second.deliver();
    QCOMPARE(areaIndexOf(second.tick().constData()), 6);
}

void TestTransactions::timeoutInWriteAllRestartsAtAreaZero()
{
    LinkRig rig;
    rig.link.WriteSensorAllDataSlots();
    for (int i = 0; i < 20; ++i)
        rig.exchange();
    QCOMPARE(areaIndexOf(rig.tick().constData()), 20);
    rig.undelivered.clear();
    rig.link.ReadWriteOverTime();
    const QList<QByteArray> rest = rig.runToQuiet();
    QCOMPARE(areaIndexOf(rest.first().constData()), 0);
    QCOMPARE(rest.size(), 64 + 2 + 66);
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Complete);
}

// The answer to the last area names area 127: counted as a step it would end the
// read-all complete with area 63 never read. It is ignored, and the time-out asks again.
void TestTransactions::areaIndexAbove63IsAskedAgain()
{
    ScannerConfig config;
    config.wrongIndexArea = 63;
    LinkRig rig(config);
    AreaRecord last;
    last.openDelay = 5;
    rig.scanner.setArea(63, last);
    rig.link.ReadSensorAllDataSlots();
    QCOMPARE(rig.runToQuiet().size(), 66);
    QVERIFY(rig.results.isEmpty());
    QCOMPARE(rig.link.pendingCommand(), int(SERIAL_COMM::ReadAreaCommand));
    rig.link.ReadWriteOverTime();
    const QByteArray again = rig.exchange();
    QCOMPARE(int(quint8(again[5])), 63);
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Complete);
    QCOMPARE(rig.lastResult().configuration.areas[63].openDelay, 5);
}

// Read with the parameters, the mounting makes areas travel with x negated both ways,
// while the configurations the link hands in and out keep the vehicle's view.
void TestTransactions::invertedMountingBothWays()
{
    ScannerConfig config;
    config.inverted = true;
    LinkRig rig(config);
    QSignalSpy direction(&rig.link, &SERIAL_COMM::DirChangeSignals);
    rig.link.ReadSensorAllDataSlots();
    rig.runToQuiet();
    QCOMPARE(direction.count(), 1);
    QVERIFY(direction.at(0).at(0).toBool());
    QVERIFY(rig.link.configuration().invertedMount);

    ScannerConfiguration sent = rig.lastRead();
    sent.areas[0].out1Points = {QPoint(100, 50)};
    rig.link.startTransaction(std::make_unique<WriteAllTransaction>(sent));
    const QByteArray first = rig.exchange();
    QCOMPARE(readS16(first.constData() + VertexRegionOffset), qint16(-100));
    QCOMPARE(rig.scanner.area(0).out1Points, QVector<QPoint>{QPoint(-100, 50)});
    rig.runToQuiet();
    rig.link.startTransaction(std::make_unique<ReadAreaTransaction>(0));
    rig.runToQuiet();
    QCOMPARE(rig.lastResult().area.out1Points, QVector<QPoint>{QPoint(100, 50)});
}

void TestTransactions::ethernetTransferStopsTheCloudsFirst()
{
    LinkRig rig(ScannerConfig(), EthernetInterface);
    rig.link.ReadScanfTime();
    rig.tick();
    QVERIFY(rig.session.cloudRunning());
    rig.link.ReadSensorAllDataSlots();
    QCOMPARE(rig.device.written.last().left(6), QByteArray("RAuto\0", 6));
    QVERIFY(!rig.session.cloudRunning());
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RPara"));
    rig.link.CancelTransfer();
    // With a request outstanding no "RAuto" goes out.
    rig.link.ReadSimulationTime();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("WSimu"));
    rig.link.WriteSensorAllDataSlots();
    QCOMPARE(rig.device.written.size(), 4);
    QVERIFY(rig.link.transaction());

    // Scan polling goes on while a refused area waits for the user, and starts the
    // clouds; they are stopped again before the write goes on.
    LinkRig refused(refusing(2, 1), EthernetInterface);
    refused.holdAnswers = true;
    refused.link.WriteSensorAllDataSlots();
    refused.runToQuiet();
    QVERIFY(refused.link.transaction()->isWaiting());
    refused.link.ReadScanfTime();
    refused.tick();
    QVERIFY(refused.session.cloudRunning());
    refused.answerNow(0);
    QVERIFY(!refused.session.cloudRunning());
    QCOMPARE(areaIndexOf(refused.tick().constData()), 0);
}

void TestTransactions::readOneArea()
{
    LinkRig rig;
    AreaRecord base;
    base.out2Points = {QPoint(9, 9)};
    auto *transaction = rig.link.startTransaction(std::make_unique<ReadAreaTransaction>(3, base));
    QCOMPARE(transaction->kind(), TransactionKind::ReadArea);
    const QByteArray request = rig.tick();
    QCOMPARE(mnemonicOf(request), QByteArray("RArea"));
    QCOMPARE(int(quint8(request[5])), 3);
    rig.undelivered.clear();
    // An "RArea" reply whose Out2 point count is 101 leaves Out2 empty.
    AreaRecord sent;
    sent.out2Shape = Polygon;
    sent.out2Points = {QPoint(10, 10)};
    QByteArray answer = buildRAreaReply(sent, 3, false);
    writeU16(answer.data() + FieldBlockOffset + FieldBlockLength + 2, 101);
    putCrc(answer.data(), AreaFrameLength - 2);
    rig.device.feed(buildRAreaReply(sent, 4, false));  // not the area asked for
    QVERIFY(rig.results.isEmpty());
    rig.device.feed(answer);
    QCOMPARE(rig.results.size(), 1);
    QCOMPARE(rig.lastResult().areaIndex, 3);
    QVERIFY(rig.lastResult().area.out2Points.isEmpty());
}

void TestTransactions::productInformationAndReboot()
{
    ScannerConfig config;
    config.product = ProductInfo{10, 250, 1234, 2023, 7, 31};
    LinkRig rig(config);
    QSignalSpy rebooted(&rig.scanner, &EmulatedScanner::rebooted);
    rig.link.SensorInformationSlots();
    QCOMPARE(mnemonics(rig.runToQuiet()), QStringList{"RPrda"});
    QCOMPARE(rig.lastResult().kind, TransactionKind::ProductInformation);
    QCOMPARE(rig.lastResult().product.serialNumber, quint16(1234));
    QCOMPARE(rig.lastResult().product.day, quint16(31));
    rig.link.SensorRebootSlots();
    QCOMPARE(mnemonics(rig.runToQuiet()), QStringList{"RBoot"});
    QCOMPARE(rig.lastResult().kind, TransactionKind::Reboot);
    QVERIFY(rig.lastResult().isComplete());
    QCOMPARE(rebooted.count(), 1);
}

QTEST_GUILESS_MAIN(TestTransactions)
#include "tst_transactions.moc"
