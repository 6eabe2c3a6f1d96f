#include "emulatorprocess.h"
#include "linkrig.h"
#include "randomareas.h"

#include "emulatedscanner.h"
#include "emulatorserver.h"

#include "core/link/framebuilders.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace veltrix;
using veltrix::testing::LinkRig;

namespace {

constexpr int Reach = 5400;  // model 05: points stay inside its 6 m range

// Where the model 05 room shows in the program, in area coordinates (mm).
constexpr int FrontWall = 4200;
constexpr int LeftWall = 3000;
constexpr int RightWall = 3600;

bool connectRig(LinkRig &rig, const QString &transport, const EmulatorProcess &emulator)
{
    if (transport == QLatin1String("tcp"))
        return rig.connectTcp(emulator.address());
    if (transport == QLatin1String("udp"))
        return rig.connectUdp(emulator.address());
    return rig.openSerial(emulator.serialDevice());
}

void compareAreas(const QVector<AreaRecord> &received, const QVector<AreaRecord> &sent)
{
    for (int i = 0; i < AreaCount; ++i) {
        const AreaRecord expected = randomareas::throughTheWire(sent.at(i), i);
        if (received.at(i) != expected)
            QFAIL(qPrintable(QStringLiteral("area %1 differs").arg(i)));
    }
}

void compareParameters(const SensorParameters &received, const SensorParameters &sent)
{
    for (int word = 0; word < WrittenParameterCount; ++word)
        QCOMPARE(received[word], sent[word]);
    // The scanner's own read-only words.
    QCOMPARE(received[22], 200u);
    QCOMPARE(received[23], 500u);
    QCOMPARE(received[24], 1u);
    QCOMPARE(received[25], 0u);
}

// Out1 and Out3 of this area are intruded in the model 05 room (the front wall, the
// pillar), Out2 is not; with forward mounting.
AreaRecord wallAndPillarArea()
{
    AreaRecord area;
    area.out1Shape = Rectangle;
    area.out1Points = {QPoint(-500, 100), QPoint(-500, 5000), QPoint(500, 5000), QPoint(500, 100)};
    area.out2Shape = Arc;
    area.out2Points = {QPoint(1000, 0), QPoint(-1000, 0)};
    area.out3Shape = Polygon;
    area.out3Points = {QPoint(-1000, 3000), QPoint(-2000, 2000)};
    return area;
}

// A wedge around the pillar (vehicle bearing 122°) and its mirror image.
AreaRecord wedge(bool left)
{
    AreaRecord area;
    area.out1Shape = Arc;
    area.out1Points = {randomareas::onBearing(left ? 115 : 50, 3000), randomareas::onBearing(left ? 130 : 65, 3000)};
    return area;
}

ScannerConfiguration configuration(const QVector<AreaRecord> &areas,
                                   const SensorParameters &parameters = SensorParameters())
{
    ScannerConfiguration result;
    result.areas = areas;
    result.parameters = parameters;
    return result;
}

IoPortState exchangeSimulation(LinkRig &rig, const SimulationBlock &block)
{
    rig.link.SetSimulationBlock(block);
    QSignalSpy reports(&rig.link, &SERIAL_COMM::IOPortSignals);
    rig.link.ReadSimulationTime();
    if (!reports.wait(3000))
        return IoPortState{0xFFFF, 0xFFFF, 0xFFFF};
    const QList<QVariant> values = reports.takeFirst();
    return IoPortState{values.at(0).toUInt(), values.at(1).toUInt(), values.at(2).toUInt()};
}

}  // namespace

class TestEmulatorLink : public QObject
{
    Q_OBJECT

private slots:
    void helpListsEveryOption();
    void writeAllThenReadAll_data();
    void writeAllThenReadAll();
    void faultyDeliveryStillTransfers();
    void invertedMountingKeepsTheVehicleView();
    void serialScans_data();
    void serialScans();
    void ethernetClouds_data();
    void ethernetClouds();
    void simulationReportsInputsAndOutputs();
    void lossyReadAllNeverStoresAWrongArea();
    void tcpConnectionClosesAfterFrames();
};

void TestEmulatorLink::helpListsEveryOption()
{
    QProcess help;
    help.start(QStringLiteral(VELTRIX_EMULATOR_PATH), {QStringLiteral("--help")});
    QVERIFY(help.waitForFinished(5000));
    QCOMPARE(help.exitCode(), 0);
    const QByteArray text = help.readAllStandardOutput();
    const char *options[] = {"--address", "--pty-link", "--model", "--ethernet-mode", "--inverted",
                             "--scan-rate", "--object-speed", "--inputs", "--product-code", "--firmware",
                             "--serial-number", "--production-date", "--long-product-reply", "--seed",
                             "--drop", "--corrupt", "--split", "--noise", "--delay", "--area-status",
                             "--area-status-always", "--wrong-area-index",
                             "--para-status", "--case-status", "--close-after", "--fault-bit",
                             "--verbose", "--help", "--version"};
    for (const char *option : options)
        QVERIFY2(text.contains(option), option);

    // A value that is no finite number is refused before anything starts.
    QProcess wrong;
    wrong.start(QStringLiteral(VELTRIX_EMULATOR_PATH), {QStringLiteral("--scan-rate"), QStringLiteral("nan")});
    QVERIFY(wrong.waitForFinished(5000));
    QCOMPARE(wrong.exitStatus(), QProcess::NormalExit);
    QCOMPARE(wrong.exitCode(), 2);
    QVERIFY(wrong.readAllStandardError().contains("--scan-rate takes a number from 1 to 50, not 'nan'"));
    QVERIFY(wrong.readAllStandardOutput().isEmpty());
}

void TestEmulatorLink::writeAllThenReadAll_data()
{
    QTest::addColumn<QString>("transport");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("tcp, loopback") << "tcp" << QStringList() << 11u;
    QTest::newRow("udp, interface") << "udp" << QStringList{"--address", "10.77.0.2"} << 12u;
    QTest::newRow("serial") << "serial" << QStringList() << 13u;
}

void TestEmulatorLink::writeAllThenReadAll()
{
    QFETCH(QString, transport);
    QFETCH(QStringList, arguments);
    QFETCH(quint32, seed);
    EmulatorProcess emulator(arguments);
    QVERIFY(emulator.start());
    LinkRig rig;
    QVERIFY(connectRig(rig, transport, emulator));

    const QVector<AreaRecord> sent = randomareas::areas(seed, Reach);
    const SensorParameters sentParameters = randomareas::parameters(seed);
    QVERIFY(rig.writeAll(configuration(sent, sentParameters)));

    QVERIFY(rig.readAll());
    const ScannerConfiguration read = rig.lastRead();
    compareAreas(read.areas, sent);
    for (int i = 0; i < AreaCount; ++i) {
        for (int word = 4; word <= 8; ++word)
            QCOMPARE(read.areas.at(i).number(word), sent.at(i).number(word));
    }
    compareParameters(read.parameters, sentParameters);
    // Nothing went wrong on the way: no refusal, and only the restart was asked about.
    QVERIFY(rig.refusals.isEmpty());
    QCOMPARE(rig.questions.size(), 1);
    QCOMPARE(rig.questions[0].kind, TransactionQuestion::Restart);
}

void TestEmulatorLink::faultyDeliveryStillTransfers()
{
    // Replies in pieces, some after a few random bytes, some a little late; area 10's
    // first write is refused with a setting error, which restarts writing at area 0.
    EmulatorProcess emulator({"--seed", "3", "--split", "9", "--noise", "0.3", "--delay", "0-4",
                              "--area-status", "10:1"});
    QVERIFY(emulator.start());
    LinkRig rig;
    QVERIFY(connectRig(rig, QStringLiteral("tcp"), emulator));

    const QVector<AreaRecord> sent = randomareas::areas(21, Reach);
    const SensorParameters sentParameters = randomareas::parameters(21);
    QVERIFY(rig.writeAll(configuration(sent, sentParameters), 20000));
    QCOMPARE(rig.questions.first().kind, TransactionQuestion::AreaWriteRefused);
    QCOMPARE(rig.questions.first().step.area, 10);

    QVERIFY(rig.readAll(20000));
    compareAreas(rig.lastRead().areas, sent);
    compareParameters(rig.lastRead().parameters, sentParameters);
    QCOMPARE(rig.link.timeoutCount(), 0);
}

void TestEmulatorLink::invertedMountingKeepsTheVehicleView()
{
    EmulatorProcess emulator({"--inverted", "--object-speed", "0"});
    QVERIFY(emulator.start());
    LinkRig rig;
    QVERIFY(rig.connectTcp(QStringLiteral("127.0.0.1")));
    // The first read-all tells the program how the scanner is mounted.
    QVERIFY(rig.readAll());
    QVERIFY(rig.link.configuration().invertedMount);

    // Areas are drawn in the vehicle's frame; the program mirrors them on the wire and
    // the scanner, mounted upside down, sees the room mirrored: they must agree.
    QVector<AreaRecord> sent = randomareas::areas(31, Reach);
    sent[40] = wedge(true);
    sent[41] = wedge(false);
    QVERIFY(rig.writeAll(configuration(sent, rig.lastRead().parameters)));

    SimulationBlock block;
    block.inputSimulationOn = 1;
    block.simulatedInputs = 40;
    IoPortState state = exchangeSimulation(rig, block);
    QCOMPARE(state.inport, 40u);
    QCOMPARE(state.outport, 1u);
    block.simulatedInputs = 41;
    state = exchangeSimulation(rig, block);
    QCOMPARE(state.inport, 41u);
    QCOMPARE(state.outport, 0u);

    QVERIFY(rig.readAll());
    for (int i = 0; i < AreaCount; ++i) {
        const AreaRecord expected = randomareas::throughTheWire(sent.at(i), i, true);
        if (rig.lastRead().areas.at(i) != expected)
            QFAIL(qPrintable(QStringLiteral("area %1 differs").arg(i)));
    }
}

void TestEmulatorLink::serialScans_data()
{
    QTest::addColumn<bool>("inverted");
    QTest::newRow("forward") << false;
    QTest::newRow("inverted") << true;
}

void TestEmulatorLink::serialScans()
{
    QFETCH(bool, inverted);
    // Forward, the program opens the line through the emulator's symbolic link.
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString link = directory.filePath(QStringLiteral("scanner"));
    QStringList arguments{"--object-speed", "0"};
    if (inverted)
        arguments << "--inverted";
    else
        arguments << "--pty-link" << link;
    EmulatorProcess emulator(arguments);
    QVERIFY(emulator.start());
    LinkRig rig;
    if (!inverted)
        QCOMPARE(QFileInfo(link).symLinkTarget(), emulator.serialDevice());
    QVERIFY(rig.openSerial(inverted ? emulator.serialDevice() : link));
    if (inverted) {
        QVERIFY(rig.readAll());
        QVERIFY(rig.link.configuration().invertedMount);
    }

    QSignalSpy distances(&rig.link, &SERIAL_COMM::ReceiveScanfData);
    QSignalSpy intensities(&rig.link, &SERIAL_COMM::ReceiveIntensityData);
    rig.link.OpenSendReadScanf();
    rig.link.OpenSendReadIntensity();
    QTRY_VERIFY_WITH_TIMEOUT(distances.count() >= 2 && intensities.count() >= 2, 5000);
    rig.link.CloseSendReadScanf();
    rig.link.CloseSendReadIntensity();

    // Index i of the stored scan lies at area bearing 225° - i/2 (224.5° - i/2 when
    // inverted): the walls ahead, to the left and to the right are where they stand
    // whichever way up the scanner hangs.
    const QVector<quint16> &scan = rig.link.liveScan().scanDistances;
    QVERIFY2(qAbs(scan.at(270) - FrontWall) <= 2, qPrintable(QString::number(scan.at(270))));
    QVERIFY2(qAbs(scan.at(90) - LeftWall) <= 2, qPrintable(QString::number(scan.at(90))));
    QVERIFY2(qAbs(scan.at(450) - RightWall) <= 2, qPrintable(QString::number(scan.at(450))));
    // The pillar at area bearing 122° is closer than the front wall and shines brighter
    // than the wall at 102°.
    QVERIFY(scan.at(206) < 2700);
    QVERIFY(rig.link.liveScan().scanIntensities.at(206) > 2 * rig.link.liveScan().scanIntensities.at(246));

    // Ended, the emulator takes its link away again.
    rig.connection.close();
    QVERIFY(emulator.stop());
    QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
}

void TestEmulatorLink::ethernetClouds_data()
{
    QTest::addColumn<QString>("transport");
    QTest::addColumn<QString>("address");
    QTest::newRow("tcp") << "tcp" << "10.77.0.2";
    QTest::newRow("udp") << "udp" << "127.0.0.1";
}

void TestEmulatorLink::ethernetClouds()
{
    QFETCH(QString, transport);
    QFETCH(QString, address);
    EmulatorProcess emulator({"--object-speed", "0", "--address", address});
    QVERIFY(emulator.start());
    LinkRig rig;
    QVERIFY(connectRig(rig, transport, emulator));

    QSignalSpy scans(&rig.link, &SERIAL_COMM::ReceiveScanfData);
    rig.link.ReadScanfTime();  // the polling tick: "RAuto" with 1
    QVERIFY(scans.wait(3000));
    QTRY_VERIFY_WITH_TIMEOUT(scans.count() >= 3, 3000);
    const LiveScan &live = rig.link.liveScan();
    QCOMPARE(live.cloudCount, 2700);

    // Slot s lies at cloud bearing 45° + (s + 1) / 10; the vectors hold scene points,
    // whose y runs opposite to the area's.
    struct Expected { int slot; int x; int y; };
    const Expected walls[] = {{1349, 0, -FrontWall}, {2249, -LeftWall, 0}, {449, RightWall, 0}};
    for (const Expected &wall : walls) {
        const int x = live.cloudDistX.at(wall.slot);
        const int y = live.cloudDistY.at(wall.slot);
        QVERIFY2(qAbs(x - wall.x) <= 5 && qAbs(y - wall.y) <= 5,
                 qPrintable(QStringLiteral("slot %1: %2, %3").arg(wall.slot).arg(x).arg(y)));
    }

    // "RAuto" with 0 (sent at the start of a read-all) stops the stream.
    QVERIFY(rig.readAll());
    scans.clear();
    QTest::qWait(300);
    QCOMPARE(scans.count(), 0);
}

void TestEmulatorLink::simulationReportsInputsAndOutputs()
{
    EmulatorProcess emulator({"--inputs", "5", "--fault-bit", "3", "--object-speed", "0"});
    QVERIFY(emulator.start());
    LinkRig rig;
    QVERIFY(rig.connectTcp(QStringLiteral("127.0.0.1")));
    QVector<AreaRecord> areas(AreaCount);
    for (AreaRecord &area : areas)
        area.vehicleOptionMode = 4;  // out of the way of the case searches below
    areas[5] = wallAndPillarArea();
    areas[5].vehicleOptionMode = 4;
    AreaRecord &chosen = areas[12];
    chosen.steerMinDgree = -30;
    chosen.steerMaxDgree = 30;
    chosen.vehicleMinSpeed = 100;
    chosen.vehicleMaxSpeed = 200;
    chosen.vehicleOptionMode = 3;
    QVERIFY(rig.writeAll(configuration(areas)));

    struct Step
    {
        const char *what;
        int inputSimulation, inputs, caseSimulation, steering, speed, mode;
        int outputSimulation, outputs, faultSimulation, fault;
        uint inport, outport, status;
    };
    const Step steps[] = {
        {"nothing simulated: configured input, area 5's fields", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 5, 8},
        {"inputs simulated", 1, 37, 0, 0, 0, 0, 0, 0, 0, 0, 37, 0, 8},
        {"case data picks area 12", 0, 0, 1, 10, 150, 3, 0, 0, 0, 0, 12, 0, 8},
        {"case data matches no area", 0, 0, 1, 90, 150, 3, 0, 0, 0, 0, 5, 5, 8},
        {"outputs simulated", 0, 0, 0, 0, 0, 0, 1, 6, 0, 0, 5, 6, 8},
        {"fault simulated", 1, 5, 0, 0, 0, 0, 0, 0, 1, 1, 5, 5, 1},
    };
    for (const Step &step : steps) {
        SimulationBlock block;
        block.inputSimulationOn = static_cast<quint8>(step.inputSimulation);
        block.simulatedInputs = step.inputs;
        block.caseSimulationOn = static_cast<quint8>(step.caseSimulation);
        block.steeringAngle = step.steering;
        block.vehicleSpeed = step.speed;
        block.operationMode = step.mode;
        block.outputSimulationOn = static_cast<quint8>(step.outputSimulation);
        block.simulatedOutputs = step.outputs;
        block.faultSimulationOn = static_cast<quint8>(step.faultSimulation);
        block.simulatedFault = step.fault;
        const IoPortState state = exchangeSimulation(rig, block);
        QVERIFY2(state.inport == step.inport, step.what);
        QVERIFY2(state.outport == step.outport, step.what);
        QVERIFY2(state.status == step.status, step.what);
    }
}

void TestEmulatorLink::lossyReadAllNeverStoresAWrongArea()
{
    // In this process, so that the faults can start after a clean write-all.
    EmulatorOptions options;
    options.address = QHostAddress::LocalHost;
    options.seed = 5;
    EmulatorServer server(options);
    QString error;
    QVERIFY2(server.start(&error), qPrintable(error));
    LinkRig rig;
    QVERIFY(rig.connectTcp(QStringLiteral("127.0.0.1")));
    const QVector<AreaRecord> sent = randomareas::areas(41, Reach);
    const SensorParameters sentParameters = randomareas::parameters(41);
    QVERIFY(rig.writeAll(configuration(sent, sentParameters)));

    DeliveryFaults faults;
    faults.dropFraction = 0.10;
    faults.corruptFraction = 0.05;
    server.setFaults(faults);

    // A reply that has not come within 300 ms never will (the scanner is in this
    // process): run the reply time-out slot at once instead of waiting 2 s for it.
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, [&rig] {
        const QTimer &timer = rig.link.timeoutTimer();
        if (timer.isActive() && timer.interval() - timer.remainingTime() > 300) {
            rig.link.StopOverTimer();
            rig.link.ReadWriteOverTime();
        }
    });
    watchdog.start(25);

    // Every lost reply is asked for again, so the read-all ends either complete, with
    // every area, the case data and the parameters as the scanner holds them, or (after a
    // fourth loss in a row) timed out, handing over nothing of what it had read.
    const int before = rig.results.size();
    rig.link.ReadSensorAllDataSlots();
    QVERIFY(rig.waitUntil([&] { return rig.results.size() > before; }, 60000));
    const TransactionResult &result = rig.lastResult();
    QVERIFY(result.outcome == TransactionOutcome::Complete || result.outcome == TransactionOutcome::TimedOut);
    QCOMPARE(rig.timeouts, result.isComplete() ? 0 : 1);
    if (result.isComplete()) {
        compareAreas(result.configuration.areas, sent);
        compareParameters(result.configuration.parameters, sentParameters);
    }
    qInfo("lossy read-all: %s", result.isComplete() ? "complete" : "time-out warning");
}

void TestEmulatorLink::tcpConnectionClosesAfterFrames()
{
    EmulatorProcess emulator({"--close-after", "3"});
    QVERIFY(emulator.start());
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), LinkRig::ScannerPort);
    QVERIFY(socket.waitForConnected(3000));
    FrameBuffer buffer;
    const QByteArray request(buffer.data(), buildRPara(buffer));
    // Replies are counted as frames, so that noise before them changes nothing.
    QByteArray received;
    int replies = 0;
    const auto takeReplies = [&] {
        received += socket.readAll();
        QByteArray frame;
        while (takeFrame(received, "RPara", ParameterFrameLength, true, frame) == TakeResult::Valid)
            ++replies;
    };
    for (int i = 0; i < 5 && socket.state() == QAbstractSocket::ConnectedState; ++i) {
        socket.write(request);
        socket.waitForBytesWritten(1000);
        const bool answeredOrClosed = QTest::qWaitFor([&] {
            takeReplies();
            return replies > i || socket.state() != QAbstractSocket::ConnectedState;
        }, 3000);
        QVERIFY(answeredOrClosed);
    }
    takeReplies();
    QCOMPARE(replies, 3);
    QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QAbstractSocket::UnconnectedState, 3000);
}

QTEST_GUILESS_MAIN(TestEmulatorLink)
#include "tst_emulatorlink.moc"
