#include "emulatedscanner.h"

#include "core/link/areapayload.h"
#include "core/link/crc16.h"
#include "core/link/framebuilders.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtMath>
#include <QtTest>

using namespace veltrix;

Q_DECLARE_METATYPE(veltrix::AreaRecord)

namespace {

QByteArray built(int length, const FrameBuffer &buffer)
{
    return QByteArray(buffer.data(), length);
}

QByteArray plain(int (*builder)(FrameBuffer &))
{
    FrameBuffer buffer;
    return built(builder(buffer), buffer);
}

QByteArray readArea(int index)
{
    FrameBuffer buffer;
    return built(buildRArea(buffer, index), buffer);
}

QByteArray simulation(const SimulationBlock &block)
{
    FrameBuffer buffer;
    return built(buildWSimu(buffer, block), buffer);
}

// A request frame of the given mnemonic and length whose payload is random bytes.
QByteArray randomRequest(const char *mnemonic, int length, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray frame(length, '\0');
    memcpy(frame.data(), mnemonic, MnemonicLength);
    for (int i = MnemonicLength; i < length - CrcLength; ++i)
        frame[i] = static_cast<char>(random.bounded(256));
    putCrc(frame.data(), length - CrcLength);
    return frame;
}

QPoint onBearing(double degrees, double radius)
{
    const double r = qDegreesToRadians(degrees);
    return QPoint(qRound(radius * qCos(r)), qRound(radius * qSin(r)));
}

AreaRecord arcArea(double fromDegrees, double toDegrees, double radius, int detectionSize = 0)
{
    AreaRecord area;
    area.detectionSize = detectionSize;
    area.out1Shape = Arc;
    area.out1Points = {onBearing(fromDegrees, radius), onBearing(toDegrees, radius)};
    return area;
}

// Out1: a band 1 m wide from just ahead of the scanner to beyond the front wall (y = 4200).
AreaRecord frontBand()
{
    AreaRecord area;
    area.out1Shape = Rectangle;
    area.out1Points = {QPoint(-500, 100), QPoint(-500, 5000), QPoint(500, 5000), QPoint(500, 100)};
    return area;
}

// Model 05: the pillar stands 2.4 m ahead and 1.5 m to the left; the still object
// rests 1.32 m ahead and 2.1 m to the left.
AreaRecord pillarArea()
{
    AreaRecord area = frontBand();
    area.out2Shape = Arc;
    area.out2Points = {QPoint(1000, 0), QPoint(-1000, 0)};
    area.out3Shape = Polygon;
    area.out3Points = {QPoint(-1000, 3000), QPoint(-2000, 2000)};
    return area;
}

ScannerConfig stillRoom()
{
    ScannerConfig config;
    config.objectSpeed = 0;
    return config;
}

}  // namespace

class TestEmulatedScanner : public QObject
{
    Q_OBJECT

private slots:
    void storedAreaComesBackByteForByte_data();
    void storedAreaComesBackByteForByte();
    void storedCaseDataComesBackByteForByte();
    void storedParametersComeBack();
    void acknowledgementStatus_data();
    void acknowledgementStatus();
    void productInformation_data();
    void productInformation();
    void serialScanSeesTheRoom_data();
    void serialScanSeesTheRoom();
    void cloudSectorsCoverTheFieldOfView_data();
    void cloudSectorsCoverTheFieldOfView();
    void simulationReply_data();
    void simulationReply();
    void fieldsIntrudedByTheRoom_data();
    void fieldsIntrudedByTheRoom();
    void movingObjectIntrudesAsItPasses();
    void rebootIsAnsweredAndAnnounced();
    void preloadStoresWhatAWriteAllWould_data();
    void preloadStoresWhatAWriteAllWould();
};

void TestEmulatedScanner::storedAreaComesBackByteForByte_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("first") << 0;
    QTest::newRow("middle") << 37;
    QTest::newRow("last") << 63;
}

void TestEmulatedScanner::storedAreaComesBackByteForByte()
{
    QFETCH(int, index);
    EmulatedScanner scanner;
    // Whatever the payload holds (even shapes the scanner does not know) is kept.
    QByteArray write = randomRequest("WArea", AreaFrameLength, 1000 + index);
    write[AreaIndexOffset] = static_cast<char>(index);
    putCrc(write.data(), AreaFrameLength - CrcLength);

    const QByteArray ack = scanner.handle(write).reply;
    QCOMPARE(ack, buildAcknowledge(FrameId::WArea, 0));
    const QByteArray read = scanner.handle(readArea(index)).reply;
    QCOMPARE(read.size(), AreaFrameLength);
    QCOMPARE(read.left(MnemonicLength), QByteArray("RArea"));
    QVERIFY(checkCrc(read.constData(), AreaFrameLength - CrcLength));
    QCOMPARE(read.mid(MnemonicLength, AreaFrameLength - MnemonicLength - CrcLength),
             write.mid(MnemonicLength, AreaFrameLength - MnemonicLength - CrcLength));
    // The neighbours are untouched blank areas.
    const int other = index == 0 ? 1 : index - 1;
    QCOMPARE(scanner.area(other), AreaRecord());
}

void TestEmulatedScanner::storedCaseDataComesBackByteForByte()
{
    EmulatedScanner scanner;
    const QByteArray write = randomRequest("WCase", CaseFrameLength, 77);
    QCOMPARE(scanner.handle(write).reply, buildAcknowledge(FrameId::WCase, 0));
    const QByteArray read = scanner.handle(plain(buildRCase)).reply;
    QCOMPARE(read.size(), CaseFrameLength);
    QCOMPARE(read.left(MnemonicLength), QByteArray("RCase"));
    QVERIFY(checkCrc(read.constData(), CaseFrameLength - CrcLength));
    QCOMPARE(read.mid(MnemonicLength, CaseFrameLength - 7), write.mid(MnemonicLength, CaseFrameLength - 7));
}

void TestEmulatedScanner::storedParametersComeBack()
{
    EmulatedScanner scanner;
    SensorParameters written;
    QRandomGenerator random(5);
    for (int word = 0; word < WrittenParameterCount; ++word)
        written[word] = random.bounded(65536);
    FrameBuffer buffer;
    const QByteArray write = built(buildWPara(buffer, written), buffer);
    QCOMPARE(scanner.handle(write).reply, buildAcknowledge(FrameId::WPara, 0));

    const QByteArray read = scanner.handle(plain(buildRPara)).reply;
    QCOMPARE(read.size(), ParameterFrameLength);
    QVERIFY(checkCrc(read.constData(), ParameterFrameLength - CrcLength));
    // Words 0..16 and 17..21 sit where the write put them.
    QCOMPARE(read.mid(5, 34), write.mid(5, 34));
    QCOMPARE(read.mid(41, 10), write.mid(41, 10));
    // Words 22..25 are the scanner's own, read only.
    QCOMPARE(readU16(read.constData() + 51), quint16(200));
    QCOMPARE(readU16(read.constData() + 53), quint16(500));
    QCOMPARE(readU16(read.constData() + 55), quint16(1));
    QCOMPARE(readU16(read.constData() + 57), quint16(0));
}

void TestEmulatedScanner::acknowledgementStatus_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("configured");
    QTest::addColumn<int>("firstStatus");
    QTest::addColumn<bool>("firstStored");
    QTest::addColumn<int>("secondStatus");

    QTest::newRow("area 10 refused once with 1") << "area" << 1 << 1 << false << 0;
    QTest::newRow("area 10 refused once with 2") << "area" << 2 << 2 << false << 0;
    QTest::newRow("parameters always 1") << "para" << 1 << 1 << false << 1;
    QTest::newRow("parameters accepted") << "para" << 0 << 0 << true << 0;
    QTest::newRow("case always 2") << "case" << 2 << 2 << false << 2;
}

void TestEmulatedScanner::acknowledgementStatus()
{
    QFETCH(QString, kind);
    QFETCH(int, configured);
    QFETCH(int, firstStatus);
    QFETCH(bool, firstStored);
    QFETCH(int, secondStatus);

    ScannerConfig config;
    QByteArray write;
    FrameId id = FrameId::WArea;
    if (kind == QLatin1String("area")) {
        config.areaStatusArea = 10;
        config.areaStatusValue = configured;
        AreaRecord area = frontBand();
        FrameBuffer buffer;
        write = built(buildWArea(buffer, area, 10, false), buffer);
    } else if (kind == QLatin1String("para")) {
        config.parameterStatus = configured;
        SensorParameters parameters;
        parameters[4] = 42;
        FrameBuffer buffer;
        write = built(buildWPara(buffer, parameters), buffer);
        id = FrameId::WPara;
    } else {
        config.caseStatus = configured;
        QVector<AreaRecord> areas(AreaCount);
        areas[3].steerMaxDgree = 90;
        FrameBuffer buffer;
        write = built(buildWCase(buffer, areas), buffer);
        id = FrameId::WCase;
    }
    EmulatedScanner scanner(config);
    auto stored = [&]() {
        if (id == FrameId::WArea)
            return scanner.area(10).out1Shape == Rectangle;
        if (id == FrameId::WPara)
            return scanner.parameters()[4] == 42;
        return scanner.caseData().at(3).steerMaxDgree == 90;
    };

    QCOMPARE(scanner.handle(write).reply, buildAcknowledge(id, static_cast<quint8>(firstStatus)));
    QCOMPARE(stored(), firstStored);
    QCOMPARE(scanner.handle(write).reply, buildAcknowledge(id, static_cast<quint8>(secondStatus)));
    QCOMPARE(stored(), secondStatus == 0);
}

void TestEmulatedScanner::productInformation_data()
{
    QTest::addColumn<bool>("longForm");
    QTest::newRow("19 bytes") << false;
    QTest::newRow("509 bytes") << true;
}

void TestEmulatedScanner::productInformation()
{
    QFETCH(bool, longForm);
    ScannerConfig config;
    config.product = ProductInfo{10, 250, 4321, 2023, 11, 30};
    config.longProductReply = longForm;
    EmulatedScanner scanner(config);
    const QByteArray reply = scanner.handle(plain(buildRPrda)).reply;
    const int length = longForm ? ProductReplyLongLength : ProductReplyLength;
    QCOMPARE(reply.size(), length);
    QVERIFY(checkCrc(reply.constData(), length - CrcLength));
    const ProductInfo info = decodeProductInfo(reply.constData());
    QCOMPARE(info.productCode, quint16(10));
    QCOMPARE(info.firmware, quint16(250));
    QCOMPARE(info.serialNumber, quint16(4321));
    QCOMPARE(info.year, quint16(2023));
    QCOMPARE(info.month, quint16(11));
    QCOMPARE(info.day, quint16(30));
    // The request for area 64 does not exist: no reply at all.
    QVERIFY(scanner.handle(readArea(64)).reply.isEmpty());
}

void TestEmulatedScanner::serialScanSeesTheRoom_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<int>("sample");
    QTest::addColumn<int>("distance");

    // Sample j looks along -44.5° + 0.5° j of the scanner's own frame. Model 05's walls
    // stand 4.2 m ahead, 3.6 m to the right and 3.0 m to the left; model 50's ten times
    // as far.
    QTest::newRow("05 ahead") << "05" << false << 269 << 4200;
    QTest::newRow("05 right") << "05" << false << 89 << 3600;
    QTest::newRow("05 left") << "05" << false << 449 << 3000;
    QTest::newRow("50 ahead") << "50" << false << 269 << 42000;
    QTest::newRow("50 left") << "50" << false << 449 << 30000;
    // Upside down the scanner's right looks at the vehicle's left.
    QTest::newRow("05 inverted ahead") << "05" << true << 269 << 4200;
    QTest::newRow("05 inverted right") << "05" << true << 89 << 3000;
    QTest::newRow("05 inverted left") << "05" << true << 449 << 3600;
}

void TestEmulatedScanner::serialScanSeesTheRoom()
{
    QFETCH(QString, model);
    QFETCH(bool, inverted);
    QFETCH(int, sample);
    QFETCH(int, distance);
    ScannerConfig config = stillRoom();
    config.model = scannerModelIndex(model);
    config.inverted = inverted;
    EmulatedScanner scanner(config);

    const QByteArray scan = scanner.handle(plain(buildRScan)).reply;
    QCOMPARE(scan.size(), ScanReplyLength);
    QCOMPARE(scan.left(MnemonicLength), QByteArray("RScan"));
    QVERIFY(qAbs(scanValue(scan.constData(), sample) - distance) <= 1);

    const QByteArray strength = scanner.handle(plain(buildRStre)).reply;
    QCOMPARE(strength.size(), ScanReplyLength);
    QCOMPARE(strength.left(MnemonicLength), QByteArray("RStre"));
    // The pillar (vehicle bearing 122°) shines brighter than the wall beside it.
    const int pillar = inverted ? 205 : 333;   // scanner bearing 58° or 122°
    const int wall = inverted ? 245 : 293;     // scanner bearing 78° or 102°
    QVERIFY(scanValue(strength.constData(), pillar) > 2 * scanValue(strength.constData(), wall));
    QVERIFY(scanValue(strength.constData(), wall) > 0);
}

void TestEmulatedScanner::cloudSectorsCoverTheFieldOfView_data()
{
    QTest::addColumn<int>("resolutionWord");
    QTest::addColumn<int>("pointsPerSector");
    QTest::newRow("0.1 degree") << 0 << 300;
    QTest::newRow("0.2 degree") << 1 << 150;
}

void TestEmulatedScanner::cloudSectorsCoverTheFieldOfView()
{
    QFETCH(int, resolutionWord);
    QFETCH(int, pointsPerSector);
    EmulatedScanner scanner(stillRoom());
    SensorParameters parameters = scanner.parameters();
    parameters[EmulatedScanner::ScanAngleWord] = static_cast<quint32>(resolutionWord);
    scanner.setParameters(parameters);

    QCOMPARE(scanner.cloudPointsPerScan(), 9 * pointsPerSector);
    int expectedStart = 45;
    for (int sector = 0; sector < EmulatedScanner::CloudSectorCount; ++sector) {
        const QByteArray packet = scanner.cloudSector(sector, 0);
        QCOMPARE(packet.left(MnemonicLength), QByteArray("Cloud"));
        const CloudHeader header = decodeCloudHeader(packet.constData());
        QCOMPARE(header.startBearing, expectedStart);
        QCOMPARE(header.endBearing, expectedStart + 30);
        QCOMPARE(header.count, pointsPerSector);
        QCOMPARE(packet.size(), CloudHeaderLength + CloudPointLength * pointsPerSector);
        expectedStart += 30;
    }
    QCOMPARE(expectedStart, 315);
    // Bearing 180, point 149 (0.1°) or 74 (0.2°) of the sector from 165 to 195, looks
    // straight ahead at the front wall.
    const QByteArray middle = scanner.cloudSector(4, 0);
    const int k = pointsPerSector / 2 - 1;
    QVERIFY(qAbs(cloudPoint(middle.constData(), k).distance - 4200) <= 1);
    QVERIFY(cloudPoint(middle.constData(), k).intensity > 0);
}

void TestEmulatedScanner::simulationReply_data()
{
    QTest::addColumn<int>("mode");       // 0 none, 1 inputs, 2 case
    QTest::addColumn<int>("inputs");
    QTest::addColumn<int>("steering");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("operation");
    QTest::addColumn<bool>("outputSimulation");
    QTest::addColumn<int>("outputs");
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("inport");
    QTest::addColumn<int>("outport");
    QTest::addColumn<int>("status");

    // Area 12 applies for steering -30..30, speed 100..200, mode 3; area 3 has the same
    // ranges in mode 2; area 5 is intruded on Out1 and Out3; the configured input
    // value is 5 and the injected fault bit 3.
    QTest::newRow("inputs simulated") << 1 << 37 << 0 << 0 << 0 << false << 0 << 0 << 37 << 0 << 8;
    QTest::newRow("case picks area 12") << 2 << 0 << 10 << 150 << 3 << false << 0 << 0 << 12 << 0 << 8;
    QTest::newRow("case picks area 3") << 2 << 0 << -30 << 200 << 2 << false << 0 << 0 << 3 << 0 << 8;
    QTest::newRow("case matches nothing") << 2 << 0 << 90 << 150 << 3 << false << 0 << 0 << 5 << 5 << 8;
    QTest::newRow("nothing simulated") << 0 << 37 << 10 << 150 << 3 << false << 0 << 0 << 5 << 5 << 8;
    QTest::newRow("outputs simulated") << 0 << 0 << 0 << 0 << 0 << true << 6 << 0 << 5 << 6 << 8;
    QTest::newRow("fault simulated") << 1 << 5 << 0 << 0 << 0 << false << 0 << 1 << 5 << 5 << 1;
    QTest::newRow("inputs choose a quiet area") << 1 << 12 << 0 << 0 << 0 << false << 0 << 0 << 12 << 0 << 8;
}

void TestEmulatedScanner::simulationReply()
{
    QFETCH(int, mode);
    QFETCH(int, inputs);
    QFETCH(int, steering);
    QFETCH(int, speed);
    QFETCH(int, operation);
    QFETCH(bool, outputSimulation);
    QFETCH(int, outputs);
    QFETCH(int, fault);
    QFETCH(int, inport);
    QFETCH(int, outport);
    QFETCH(int, status);

    ScannerConfig config = stillRoom();
    config.inputs = 5;
    config.faultBits = 1 << 3;
    EmulatedScanner scanner(config);
    scanner.setArea(5, pillarArea());
    QVector<AreaRecord> cases(AreaCount);
    for (int i : {3, 12}) {
        cases[i].steerMinDgree = 30;  // given upside down: the range still holds
        cases[i].steerMaxDgree = -30;
        cases[i].vehicleMinSpeed = 100;
        cases[i].vehicleMaxSpeed = 200;
    }
    cases[3].vehicleOptionMode = 2;
    cases[12].vehicleOptionMode = 3;
    // Blank areas accept steering 0, speed 0, mode 0 only; keep them out of the way.
    for (int i = 0; i < AreaCount; ++i) {
        if (i != 3 && i != 12)
            cases[i].vehicleOptionMode = 4;
    }
    scanner.setCaseData(cases);

    SimulationBlock block;
    block.inputSimulationOn = mode == 1;
    block.caseSimulationOn = mode == 2;
    block.simulatedInputs = inputs;
    block.steeringAngle = steering;
    block.vehicleSpeed = speed;
    block.operationMode = operation;
    block.outputSimulationOn = outputSimulation;
    block.simulatedOutputs = outputs;
    block.faultSimulationOn = fault != 0;
    block.simulatedFault = fault;

    const QByteArray reply = scanner.handle(simulation(block)).reply;
    QCOMPARE(reply.size(), SimulationReplyLength);
    QVERIFY(checkCrc(reply.constData(), SimulationReplyLength - CrcLength));
    const IoPortState state = decodeSimulationReply(reply.constData());
    QCOMPARE(int(state.inport), inport);
    QCOMPARE(int(state.outport), outport);
    QCOMPARE(int(state.status), status);
}

void TestEmulatedScanner::fieldsIntrudedByTheRoom_data()
{
    QTest::addColumn<AreaRecord>("area");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<int>("outputs");

    QTest::newRow("blank area") << AreaRecord() << false << 0;
    QTest::newRow("wall, nothing near, pillar") << pillarArea() << false << 5;

    AreaRecord cut = frontBand();
    cut.out2Shape = Straight;
    cut.out2Points = {QPoint(0, 4000)};
    QTest::newRow("straight cut short of the wall") << cut << false << 1;
    cut.out2Points = {QPoint(0, 4500)};
    QTest::newRow("straight cut beyond the wall") << cut << false << 3;

    AreaRecord fan = frontBand();
    fan.out2Shape = Fan;
    fan.out2Points = {QPoint(0, 4000)};
    QTest::newRow("fan short of the wall") << fan << false << 1;
    fan.out2Points = {QPoint(0, 4400)};
    QTest::newRow("fan beyond the wall") << fan << false << 3;

    // Out1 reaches from y = 0 (the scanner) to 5000: a ratio of 2500 halves it.
    AreaRecord ratio = frontBand();
    ratio.out2Shape = Ratio;
    ratio.out2Points = {QPoint(0, 2500)};
    ratio.out3Shape = Straight;
    ratio.out3Points = {QPoint(0, 4500)};
    QTest::newRow("ratio halves, next cut starts from Out1") << ratio << false << 5;
    ratio.out2Points = {QPoint(0, 6000)};
    QTest::newRow("ratio never enlarges") << ratio << false << 7;

    AreaRecord dependentFirst;
    dependentFirst.out1Shape = Straight;
    dependentFirst.out1Points = {QPoint(0, 4500)};
    QTest::newRow("dependent Out1 covers nothing") << dependentFirst << false << 0;

    // The pillar's face spans about 8° around 122°: 2° of it is 4 or 5 samples.
    QTest::newRow("sliver of the pillar, small detection size") << arcArea(121, 123, 3000, 1) << false << 1;
    QTest::newRow("sliver of the pillar, 5 degree detection size") << arcArea(121, 123, 3000, 9) << false << 0;

    // Upside down the scanner sees the pillar at its own 58°.
    QTest::newRow("pillar side, forward") << arcArea(115, 130, 3000) << false << 1;
    QTest::newRow("pillar side, inverted") << arcArea(115, 130, 3000) << true << 0;
    QTest::newRow("mirrored side, forward") << arcArea(50, 65, 3000) << false << 0;
    QTest::newRow("mirrored side, inverted") << arcArea(50, 65, 3000) << true << 1;
}

void TestEmulatedScanner::fieldsIntrudedByTheRoom()
{
    QFETCH(AreaRecord, area);
    QFETCH(bool, inverted);
    QFETCH(int, outputs);
    ScannerConfig config = stillRoom();
    config.inverted = inverted;
    EmulatedScanner scanner(config);
    scanner.setArea(20, area);
    QCOMPARE(int(scanner.intrudedOutputs(20, 0)), outputs);
}

void TestEmulatedScanner::movingObjectIntrudesAsItPasses()
{
    // The object starts 2.1 m left, 1.32 m ahead (bearing 148°) and crosses at 0.5 m/s
    // to 2.7 m right and back, 19.2 s for the round trip.
    EmulatedScanner scanner;
    scanner.setArea(7, arcArea(140, 155, 2600));
    QCOMPARE(int(scanner.intrudedOutputs(7, 0)), 1);
    QCOMPARE(int(scanner.intrudedOutputs(7, 4000)), 0);
    QCOMPARE(int(scanner.intrudedOutputs(7, 9600)), 0);
    QCOMPARE(int(scanner.intrudedOutputs(7, 19200)), 1);

    scanner.freezeClock(4000);
    QCOMPARE(scanner.now(), qint64(4000));
    const QPointF centre = scanner.room().objectCentre(4000);
    QCOMPARE(centre, QPointF(-100, 1320));
}

void TestEmulatedScanner::rebootIsAnsweredAndAnnounced()
{
    EmulatedScanner scanner;
    QSignalSpy rebooted(&scanner, &EmulatedScanner::rebooted);
    const QByteArray reply = scanner.handle(plain(buildRBoot)).reply;
    QCOMPARE(reply.size(), AcknowledgeLength);
    QCOMPARE(reply.left(MnemonicLength), QByteArray("RBoot"));
    QVERIFY(checkCrc(reply.constData(), AcknowledgeLength - CrcLength));
    QCOMPARE(rebooted.count(), 1);

    // "RAuto" has no reply; it switches the cloud output.
    FrameBuffer buffer;
    const EmulatedScanner::Response start = scanner.handle(built(buildRAuto(buffer, true), buffer));
    QVERIFY(start.reply.isEmpty());
    QCOMPARE(start.cloud, EmulatedScanner::CloudCommand::Start);
    const EmulatedScanner::Response stop = scanner.handle(built(buildRAuto(buffer, false), buffer));
    QCOMPARE(stop.cloud, EmulatedScanner::CloudCommand::Stop);
}

void TestEmulatedScanner::preloadStoresWhatAWriteAllWould_data()
{
    QTest::addColumn<bool>("inverted");
    QTest::newRow("forward") << false;
    QTest::newRow("inverted") << true;
}

void TestEmulatedScanner::preloadStoresWhatAWriteAllWould()
{
    QFETCH(bool, inverted);
    QVector<AreaRecord> areas(AreaCount);
    for (int i = 0; i < AreaCount; ++i) {
        areas[i] = i % 2 ? pillarArea() : arcArea(10 + i, 100 + i, 1000 + 50 * i, i % 10);
        areas[i].steerMinDgree = -i;
        areas[i].vehicleMaxSpeed = 3 * i;
    }
    SensorParameters parameters;
    parameters[InstallDirectionWord] = inverted ? 1 : 0;
    parameters[EmulatedScanner::EthernetModeWord] = 1;
    parameters[21] = 0x0142;

    // The same configuration written by the program, frame by frame.
    EmulatedScanner written;
    FrameBuffer buffer;
    for (int i = 0; i < AreaCount; ++i)
        written.handle(built(buildWArea(buffer, areas.at(i), i, inverted), buffer));
    written.handle(built(buildWCase(buffer, areas), buffer));
    written.handle(built(buildWPara(buffer, parameters), buffer));

    EmulatedScanner preloaded;
    QString error;
    QVERIFY(preloaded.preload(areas, parameters, &error));
    for (int i = 0; i < AreaCount; ++i)
        QCOMPARE(preloaded.handle(readArea(i)).reply, written.handle(readArea(i)).reply);
    QCOMPARE(preloaded.handle(plain(buildRCase)).reply, written.handle(plain(buildRCase)).reply);
    QCOMPARE(preloaded.handle(plain(buildRPara)).reply, written.handle(plain(buildRPara)).reply);
    QCOMPARE(preloaded.inverted(), inverted);
    QCOMPARE(preloaded.ethernetMode(), 1);

    // An area that no frame can carry refuses the whole load.
    areas[9].out2Shape = Polygon;
    areas[9].out2Points = QVector<QPoint>(MaxFieldVertices + 1, QPoint(5, 5));
    EmulatedScanner refused;
    QVERIFY(!refused.preload(areas, parameters, &error));
    QVERIFY(error.contains(QLatin1String("area 9 Out2")));
    QCOMPARE(refused.area(0), AreaRecord());
    QCOMPARE(refused.ethernetMode(), 0);

    // So does a point that a frame could only carry wrapped around.
    areas[9] = pillarArea();
    areas[20].out1Shape = Polygon;
    areas[20].out1Points = {QPoint(100, 40000), QPoint(-100, 40000)};
    EmulatedScanner outOfRange;
    QVERIFY(!outOfRange.preload(areas, parameters, &error));
    QVERIFY(error.contains(QLatin1String("area 20 Out1")));
    QCOMPARE(outOfRange.area(0), AreaRecord());
    QCOMPARE(outOfRange.handle(readArea(20)).reply.size(), AreaFrameLength);
}

QTEST_GUILESS_MAIN(TestEmulatedScanner)
#include "tst_emulatedscanner.moc"
