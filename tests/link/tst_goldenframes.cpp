// Frames written out byte by byte from the protocol tables, checked against the codec
// in both directions: what the builders produce, and what the decoders make of them.
// Offsets and values here are literal on purpose; a slip that the codec and the
// emulator share (both use the codec's constants) shows up only against frames that
// were not made with those constants.

#include "core/areas/areamodel.h"
#include "core/link/areapayload.h"
#include "core/link/framebuilders.h"
#include "core/link/payloads.h"

#include <QtTest>

using namespace veltrix;

namespace {

// A frame given as hex bytes; spaces are only for reading.
QByteArray hex(const char *bytes)
{
    return QByteArray::fromHex(QByteArray(bytes).replace(' ', ""));
}

// A frame of length zero bytes with the given hex bytes at the given offsets.
QByteArray frameOf(int length, const QList<QPair<int, const char *>> &parts)
{
    QByteArray frame(length, '\0');
    for (const auto &part : parts) {
        const QByteArray bytes = hex(part.second);
        frame.replace(part.first, bytes.size(), bytes);
    }
    return frame;
}

QByteArray built(int length, const FrameBuffer &buffer)
{
    return QByteArray(buffer.data(), length);
}

// Area 7: Out1 a polygon of four vertices given out of bearing order, Out2 an arc from
// (1732, -1000) (bearing -30.0007 degrees, radius 1999.93) to (-1000, 1732) (120.0007
// degrees), exactly the points a scanner's arc of 2000 mm from -30 to 120 degrees is
// read back as, Out3 straight at 350 mm.
AreaRecord areaSeven()
{
    AreaRecord area;
    area.openDelay = 3;
    area.closeDelay = 5;
    area.hysteresis = 2;
    area.detectionSize = 4;
    area.out1Shape = Polygon;
    area.out1Points = {QPoint(0, 2000), QPoint(-1500, -300), QPoint(500, -500), QPoint(1000, 0)};
    area.out2Shape = Arc;
    area.out2Points = {QPoint(1732, -1000), QPoint(-1000, 1732)};
    area.out3Shape = Straight;
    area.out3Points = {QPoint(0, 350)};
    return area;
}

QByteArray areaSevenFrame(const char *mnemonic, const char *crc)
{
    return frameOf(1264, {
        {0, mnemonic},
        {5, "07"},                              // area index
        {6, "0003 0005 0002 0004"},             // delays, hysteresis, detection size
        {14, "0000 0004"},                      // Out1: polygon, 4 points
        {30, "0001 0002 FFE2 0078 07D0"},       // Out2: arc, 2 points, -30, 120 degrees, 2000 mm
        {46, "0003"},                           // Out3: straight, no count
        {56, "015E 015E 015E"},                 // its value in all three slots
        // Out1 vertices by bearing: (500,-500) -45, (1000,0) 0, (0,2000) 90, (-1500,-300) 191.3
        {62, "01F4 FE0C 03E8 0000 0000 07D0 FA24 FED4"},
        {1262, crc},
    });
}

// Area 63: Out1 a rectangle, Out2 a full polygon of 100 vertices on the line y = 1000
// from x = 4950 down to -4950 (so already in bearing order), Out3 a fan of 800 mm.
AreaRecord areaSixtyThree()
{
    AreaRecord area;
    area.openDelay = 25;
    area.hysteresis = 10;
    area.detectionSize = 9;
    area.out1Shape = Rectangle;
    area.out1Points = {QPoint(600, 300), QPoint(600, 2500), QPoint(-600, 2500), QPoint(-600, 300)};
    area.out2Shape = Polygon;
    for (int i = 0; i < 100; ++i)
        area.out2Points.append(QPoint(4950 - 100 * i, 1000));
    area.out3Shape = Fan;
    area.out3Points = {QPoint(0, 800)};
    return area;
}

QByteArray areaSixtyThreeFrame(const char *mnemonic, const char *crc)
{
    QByteArray frame = frameOf(1264, {
        {0, mnemonic},
        {5, "3F"},
        {6, "0019 0000 000A 0009"},
        {14, "0002 0004"},                      // Out1: rectangle, 4 points
        {30, "0000 0064"},                      // Out2: polygon, 100 points
        {46, "0004"},                           // Out3: fan
        {56, "0320 0320 0320"},
        {62, "0258 012C 0258 09C4 FDA8 09C4 FDA8 012C"},
        {1262, crc},
    });
    // Out2's region, bytes 462..861: x then y, high byte first.
    for (int i = 0; i < 100; ++i) {
        const quint16 x = static_cast<quint16>(4950 - 100 * i);
        const int at = 462 + 4 * i;
        frame[at] = static_cast<char>(x >> 8);
        frame[at + 1] = static_cast<char>(x & 0xFF);
        frame[at + 2] = '\x03';
        frame[at + 3] = '\xE8';
    }
    return frame;
}

QVector<AreaRecord> caseAreas()
{
    QVector<AreaRecord> areas(AreaCount);
    areas[0].steerMinDgree = -30;
    areas[0].steerMaxDgree = 30;
    areas[0].vehicleMinSpeed = 100;
    areas[0].vehicleMaxSpeed = 200;
    areas[0].vehicleOptionMode = 3;
    areas[63].steerMinDgree = -180;
    areas[63].steerMaxDgree = 180;
    areas[63].vehicleMinSpeed = -300;
    areas[63].vehicleMaxSpeed = 300;
    areas[63].vehicleOptionMode = 4;
    return areas;
}

QByteArray caseFrame(const char *mnemonic, const char *crc)
{
    return frameOf(647, {
        {0, mnemonic},
        {5, "FFE2 001E 0064 00C8 0003"},        // area 0 at 5 + 10 * 0
        {635, "FF4C 00B4 FED4 012C 0004"},      // area 63 at 5 + 10 * 63
        {645, crc},
    });
}

// Words 0..25 of the parameter block: word k holds 0x0101 * (k + 1).
SensorParameters numberedParameters()
{
    SensorParameters parameters;
    for (int word = 0; word < 26; ++word)
        parameters[word] = 0x0101u * static_cast<quint32>(word + 1);
    return parameters;
}

}  // namespace

class TestGoldenFrames : public QObject
{
    Q_OBJECT

private slots:
    void smallFrames_data();
    void smallFrames();
    void areaRequestWithPolygonArcAndStraight();
    void areaReplyWithFullField();
    void caseFrames();
    void parameterReply();
    void parameterWrite();
    void simulationFrames();
    void productReply();
    void cloudPacket();
};

void TestGoldenFrames::smallFrames_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("golden");
    FrameBuffer buffer;
    QTest::newRow("RPara request") << built(buildRPara(buffer), buffer) << hex("5250617261 385A");
    QTest::newRow("RArea request, area 63") << built(buildRArea(buffer, 63), buffer) << hex("5241726561 3F 5341");
    QTest::newRow("RAuto start") << built(buildRAuto(buffer, true), buffer) << hex("524175746F 01 8780");
    QTest::newRow("WArea status 2") << buildAcknowledge(FrameId::WArea, 2) << hex("5741726561 02 92C5");
}

void TestGoldenFrames::smallFrames()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, golden);
    QCOMPARE(built.toHex(' '), golden.toHex(' '));
}

void TestGoldenFrames::areaRequestWithPolygonArcAndStraight()
{
    FrameBuffer buffer;
    const QByteArray request = built(buildWArea(buffer, areaSeven(), 7, false), buffer);
    QCOMPARE(request.toHex(' '), areaSevenFrame("5741726561", "5CED").toHex(' '));
    const QByteArray reply = areaSevenFrame("5241726561", "4C25");
    QCOMPARE(buildRAreaReply(areaSeven(), 7, false).toHex(' '), reply.toHex(' '));

    AreaRecord decoded;
    QVERIFY(decodeArea(reply.constData(), decoded, false));
    AreaRecord expected = areaSeven();
    expected.out1Points = {QPoint(500, -500), QPoint(1000, 0), QPoint(0, 2000), QPoint(-1500, -300)};
    // Rebuilt from 2000 mm at -30 and 120 degrees, each coordinate truncated toward
    // zero: the arc comes back as it was sent.
    QCOMPARE(decoded, expected);
}

void TestGoldenFrames::areaReplyWithFullField()
{
    const QByteArray reply = areaSixtyThreeFrame("5241726561", "ED0F");
    AreaRecord decoded;
    QVERIFY(decodeArea(reply.constData(), decoded, false));
    QCOMPARE(decoded.out2Points.size(), 100);
    QCOMPARE(decoded.out2Points.first(), QPoint(4950, 1000));
    QCOMPARE(decoded.out2Points.last(), QPoint(-4950, 1000));
    QCOMPARE(decoded, areaSixtyThree());

    QCOMPARE(buildRAreaReply(areaSixtyThree(), 63, false).toHex(' '), reply.toHex(' '));
    FrameBuffer buffer;
    const QByteArray request = built(buildWArea(buffer, areaSixtyThree(), 63, false), buffer);
    QCOMPARE(request.toHex(' '), areaSixtyThreeFrame("5741726561", "FDC7").toHex(' '));
}

void TestGoldenFrames::caseFrames()
{
    FrameBuffer buffer;
    QCOMPARE(built(buildWCase(buffer, caseAreas()), buffer).toHex(' '), caseFrame("5743617365", "5EA0").toHex(' '));
    const QByteArray reply = caseFrame("5243617365", "F19F");
    QCOMPARE(buildRCaseReply(caseAreas()).toHex(' '), reply.toHex(' '));

    QVector<AreaRecord> decoded(AreaCount);
    decodeCase(reply.constData(), decoded);
    QCOMPARE(decoded, caseAreas());
}

void TestGoldenFrames::parameterReply()
{
    const QByteArray reply = hex("5250617261"
                                 "0101 0202 0303 0404 0505 0606 0707 0808 0909 0A0A 0B0B 0C0C 0D0D 0E0E 0F0F"
                                 " 1010 1111"       // words 0..16 at bytes 5..38
                                 " 0000"            // 39..40 not used
                                 " 1212 1313 1414 1515 1616"  // words 17..21 at 41..50
                                 " 1717 1818 1919 1A1A"       // words 22..25 at 51..58
                                 " 0000 0000 0000"  // 59..64 not interpreted
                                 " 3631");
    QCOMPARE(reply.size(), 67);
    QCOMPARE(buildRParaReply(numberedParameters()).toHex(' '), reply.toHex(' '));
    SensorParameters decoded;
    decodeParameterReply(reply.constData(), decoded);
    QCOMPARE(decoded, numberedParameters());
}

void TestGoldenFrames::parameterWrite()
{
    const QByteArray request = hex("5750617261"
                                   "0101 0202 0303 0404 0505 0606 0707 0808 0909 0A0A 0B0B 0C0C 0D0D 0E0E 0F0F"
                                   " 1010 1111"     // words 0..16
                                   " 00 16"         // 0, then the low byte of word 21
                                   " 1212 1313 1414 1515 1616"  // words 17..21
                                   " 0000 0000 0000 0000 0000 0000 0000"  // 51..64 zero: 22..25 are never written
                                   " 5FBB");
    QCOMPARE(request.size(), 67);
    FrameBuffer buffer;
    QCOMPARE(built(buildWPara(buffer, numberedParameters()), buffer).toHex(' '), request.toHex(' '));
    SensorParameters stored;
    decodeParameterWrite(request.constData(), stored);
    for (int word = 0; word < 22; ++word)
        QCOMPARE(stored[word], numberedParameters()[word]);
}

void TestGoldenFrames::simulationFrames()
{
    SimulationBlock block;
    block.inputSimulationOn = 1;
    block.simulatedInputs = 0x25;
    block.steeringAngle = -30;
    block.vehicleSpeed = 120;
    block.operationMode = 3;
    block.outputSimulationOn = 1;
    block.simulatedOutputs = 6;
    block.faultSimulationOn = 1;
    block.simulatedFault = 1;
    // Mode 1, inputs, steering, speed, operation mode, output simulation, outputs, fault.
    const QByteArray request = hex("5753696D75 01 25 FFE2 0078 0003 01 06 01 234B");
    FrameBuffer buffer;
    QCOMPARE(built(buildWSimu(buffer, block), buffer).toHex(' '), request.toHex(' '));
    const SimulationRequest asked = decodeSimulationRequest(request.constData());
    QCOMPARE(asked.mode, 1);
    QCOMPARE(asked.inputs, 0x25);
    QCOMPARE(asked.steeringAngle, -30);
    QCOMPARE(asked.vehicleSpeed, 120);
    QCOMPARE(asked.operationMode, 3);
    QVERIFY(asked.outputSimulation);
    QCOMPARE(asked.outputs, 6);
    QCOMPARE(asked.fault, 1);

    // Inport 0x85 (widened as a signed byte), outport 3, status word 0x0102.
    const QByteArray reply = hex("5753696D75 85 00 03 00 0102 507B");
    QCOMPARE(buildWSimuReply(0x85, 3, 0x0102).toHex(' '), reply.toHex(' '));
    const IoPortState state = decodeSimulationReply(reply.constData());
    QCOMPARE(state.inport, 0xFFFFFF85u);
    QCOMPARE(state.outport, 3u);
    QCOMPARE(state.status, 0x0102u);
}

void TestGoldenFrames::productReply()
{
    // Product code 10, firmware 1.05, serial number 4321, made 2024-03-15.
    const QByteArray reply = hex("5250726461 000A 0069 10E1 07E8 0003 000F 07B1");
    const ProductInfo info{10, 105, 4321, 2024, 3, 15};
    QCOMPARE(buildRPrdaReply(info).toHex(' '), reply.toHex(' '));
    const ProductInfo decoded = decodeProductInfo(reply.constData());
    QCOMPARE(decoded.productCode, quint16(10));
    QCOMPARE(decoded.firmware, quint16(105));
    QCOMPARE(decoded.serialNumber, quint16(4321));
    QCOMPARE(decoded.year, quint16(2024));
    QCOMPARE(decoded.month, quint16(3));
    QCOMPARE(decoded.day, quint16(15));
}

void TestGoldenFrames::cloudPacket()
{
    // Sector 45..75 degrees, three points; distance and intensity low byte first, no CRC.
    const QByteArray packet = hex("436C6F7564 00 002D 004B 0003"
                                  " E803 C800"   // 1000 mm, 200
                                  " 3412 0100"   // 4660 mm, 1
                                  " FFFF 0000"); // 65535 mm, 0
    const QVector<CloudPoint> points = {{1000, 200}, {4660, 1}, {65535, 0}};
    QCOMPARE(buildCloudPacket(45, 75, points).toHex(' '), packet.toHex(' '));
    const CloudHeader header = decodeCloudHeader(packet.constData());
    QCOMPARE(header.startBearing, 45);
    QCOMPARE(header.endBearing, 75);
    QCOMPARE(header.count, 3);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(cloudPoint(packet.constData(), k).distance, points.at(k).distance);
        QCOMPARE(cloudPoint(packet.constData(), k).intensity, points.at(k).intensity);
    }
}

QTEST_GUILESS_MAIN(TestGoldenFrames)
#include "tst_goldenframes.moc"
