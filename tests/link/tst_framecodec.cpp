#include "core/areas/polar.h"
#include "core/link/areapayload.h"
#include "core/link/crc16.h"
#include "core/link/framebuilders.h"
#include "core/link/frames.h"
#include "core/link/payloads.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <utility>

using namespace veltrix;

namespace {

// Bit-by-bit CRC-16/MODBUS, independent of the table-driven one under test.
quint16 referenceCrc(const QByteArray &data)
{
    quint16 crc = 0xFFFF;
    for (char c : data) {
        crc ^= static_cast<quint8>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<quint16>((crc >> 1) ^ 0xA001) : static_cast<quint16>(crc >> 1);
    }
    return crc;
}

QByteArray withCrc(QByteArray frame)
{
    const quint16 crc = referenceCrc(frame);
    frame.append(static_cast<char>(crc & 0xFF));
    frame.append(static_cast<char>(crc >> 8));
    return frame;
}

QByteArray wireArea(const AreaRecord &area, int index, bool inverted = false)
{
    FrameBuffer buffer;
    const int length = buildWArea(buffer, area, index, inverted);
    return QByteArray(buffer.data(), length);
}

int u16At(const QByteArray &frame, int offset)
{
    return readU16(frame.constData() + offset);
}

int s16At(const QByteArray &frame, int offset)
{
    return readS16(frame.constData() + offset);
}

// Overwrites a big-endian 16-bit value inside a frame.
void patch16(QByteArray &frame, int offset, quint32 value)
{
    frame[offset] = char((value >> 8) & 0xFF);
    frame[offset + 1] = char(value & 0xFF);
}

int fieldBlock(int field) { return FieldBlockOffset + field * FieldBlockLength; }
int vertexRegion(int field) { return VertexRegionOffset + field * VertexRegionLength; }

// A random point whose bearing lies in the scanner's field of view and whose polar
// form is not on an axis, so two random points rarely share a bearing.
QPoint randomPoint(QRandomGenerator &rng)
{
    return QPoint(rng.bounded(-20000, 20001), rng.bounded(-20000, 20001));
}

AreaRecord randomArea(QRandomGenerator &rng)
{
    AreaRecord area;
    area.openDelay = rng.bounded(26);
    area.closeDelay = rng.bounded(26);
    area.hysteresis = rng.bounded(11);
    area.detectionSize = rng.bounded(10);
    area.steerMinDgree = rng.bounded(-180, 181);
    area.steerMaxDgree = rng.bounded(-180, 181);
    area.vehicleMinSpeed = rng.bounded(-300, 301);
    area.vehicleMaxSpeed = rng.bounded(-300, 301);
    area.vehicleOptionMode = rng.bounded(5);
    for (int field = 0; field < FieldCount; ++field) {
        const int shape = field == 0 ? (rng.bounded(2) ? Polygon : Rectangle) : rng.bounded(6);
        area.setShape(field, shape);
        QVector<QPoint> &points = area.points(field);
        if (carriesVertices(shape)) {
            const int count = rng.bounded(MaxFieldVertices + 1);
            for (int i = 0; i < count; ++i)
                points.append(randomPoint(rng));
        } else if (shape == Arc) {
            points = {randomPoint(rng), randomPoint(rng)};
        } else {
            points = {QPoint(0, rng.bounded(0, 30001))};
        }
    }
    return area;
}

// What a random area looks like after a trip over the wire and back.
AreaRecord expectedAfterTrip(const AreaRecord &sent, bool inverted)
{
    AreaRecord expected = sent;
    expected.steerMinDgree = expected.steerMaxDgree = 0;
    expected.vehicleMinSpeed = expected.vehicleMaxSpeed = expected.vehicleOptionMode = 0;
    for (int field = 0; field < FieldCount; ++field) {
        QVector<QPoint> &points = expected.points(field);
        const qint32 shape = sent.shape(field);
        if (carriesVertices(shape)) {
            // Sorted by bearing; of points sharing a bearing the later one travels.
            QVector<QPair<float, QPoint>> byBearing;
            for (const QPoint &point : std::as_const(points)) {
                const QPoint wire = inverted ? QPoint(-point.x(), point.y()) : point;
                const float bearing = PolarOf(wire).angle;
                auto same = std::find_if(byBearing.begin(), byBearing.end(),
                                         [bearing](const auto &e) { return e.first == bearing; });
                if (same != byBearing.end())
                    same->second = point;
                else
                    byBearing.append({bearing, point});
            }
            std::sort(byBearing.begin(), byBearing.end(),
                      [](const auto &a, const auto &b) { return a.first < b.first; });
            QVector<QPoint> ordered;
            for (const auto &entry : std::as_const(byBearing))
                ordered.append(entry.second);
            points = ordered;
        } else if (shape == Arc) {
            const QPoint a = inverted ? QPoint(-points[0].x(), points[0].y()) : points[0];
            const QPoint b = inverted ? QPoint(-points[1].x(), points[1].y()) : points[1];
            const Polar pa = PolarOf(a);
            const Polar pb = PolarOf(b);
            const int radius = static_cast<int>(pa.radius);
            const int start = static_cast<int>(qMin(pa.angle, pb.angle) * 57.29578f);
            const int end = static_cast<int>(qMax(pa.angle, pb.angle) * 57.29578f);
            QPoint first = arcPointFromWire(radius, start);
            QPoint second = arcPointFromWire(radius, end);
            if (inverted) {
                first.setX(-first.x());
                second.setX(-second.x());
            }
            points = {first, second};
        }
    }
    return expected;
}

}  // namespace

class TestFrameCodec : public QObject
{
    Q_OBJECT

private slots:
    void crcCheckValue();
    void crcMatchesBitwiseReference();
    void plainRequests_data();
    void plainRequests();
    void byteRequests();
    void frameTableLengths_data();
    void frameTableLengths();
    void frameInfoForReadsMnemonic();

    void locatesMnemonic_data();
    void locatesMnemonic();
    void noiseBeforeFrameLeavesNoise();
    void frameSplitAcrossTwoReads();
    void badCrcFrameIsRemovedAndDropped();
    void productShortFormBadCrcWaitsFor509();
    void productLongForm_data();
    void productLongForm();
    void cloudWaitsForWholePacket();
    void cloudTooLargeForBufferIsDropped();

    void polygonSameBearingSendsOneVertexCountedOnce();
    void arcReadBackTravelsUnchanged_data();
    void arcReadBackTravelsUnchanged();
    void arcSwappedBearingsKeepFirstRadius();
    void dependentValueInAllThreeSlots_data();
    void dependentValueInAllThreeSlots();
    void dependentValueReadFromItsSlot_data();
    void dependentValueReadFromItsSlot();
    void out2CountOf101LeavesOut2Empty();
    void invertedMountNegatesX();
    void invertedMountArcOnReceipt();
    void areaIndexAbove63ChangesNothing();
    void unknownShapeLeavesFieldAlone();
    void fieldOver100VerticesIsRefused_data();
    void fieldOver100VerticesIsRefused();
    void pointOutOfWireRangeIsRefused_data();
    void pointOutOfWireRangeIsRefused();
    void areaRoundTrip_data();
    void areaRoundTrip();
    void areaReplyRoundTrip();

    void caseRoundTrip();
    void parameterWriteLayout();
    void parameterRoundTrip();
    void simulationRequestLayout_data();
    void simulationRequestLayout();
    void simulationReplyWidensSigned_data();
    void simulationReplyWidensSigned();
    void productInfoRoundTrip_data();
    void productInfoRoundTrip();
    void scanReplyValues();
    void cloudPacketRoundTrip();
};

void TestFrameCodec::crcCheckValue()
{
    QCOMPARE(crc16("123456789", 9), quint16(0x4B37));
    char frame[11] = "123456789";
    putCrc(frame, 9);
    QCOMPARE(quint8(frame[9]), quint8(0x37));
    QCOMPARE(quint8(frame[10]), quint8(0x4B));
    QVERIFY(checkCrc(frame, 9));
    frame[3] ^= 1;
    QVERIFY(!checkCrc(frame, 9));
}

void TestFrameCodec::crcMatchesBitwiseReference()
{
    QRandomGenerator rng(1234);
    for (int round = 0; round < 200; ++round) {
        QByteArray data(rng.bounded(1, 1300), '\0');
        for (char &c : data)
            c = static_cast<char>(rng.bounded(256));
        QCOMPARE(crc16(data.constData(), data.size()), referenceCrc(data));
    }
}

void TestFrameCodec::plainRequests_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("mnemonic");
    QTest::newRow("RPrda") << int(FrameId::RPrda) << QByteArray("RPrda");
    QTest::newRow("RPara") << int(FrameId::RPara) << QByteArray("RPara");
    QTest::newRow("RCase") << int(FrameId::RCase) << QByteArray("RCase");
    QTest::newRow("RBoot") << int(FrameId::RBoot) << QByteArray("RBoot");
    QTest::newRow("RScan") << int(FrameId::RScan) << QByteArray("RScan");
    QTest::newRow("RStre") << int(FrameId::RStre) << QByteArray("RStre");
}

void TestFrameCodec::plainRequests()
{
    QFETCH(int, id);
    QFETCH(QByteArray, mnemonic);
    FrameBuffer buffer;
    buffer.fill('\x55');
    int length = 0;
    switch (FrameId(id)) {
    case FrameId::RPrda: length = buildRPrda(buffer); break;
    case FrameId::RPara: length = buildRPara(buffer); break;
    case FrameId::RCase: length = buildRCase(buffer); break;
    case FrameId::RBoot: length = buildRBoot(buffer); break;
    case FrameId::RScan: length = buildRScan(buffer); break;
    case FrameId::RStre: length = buildRStre(buffer); break;
    default: QFAIL("not a plain request");
    }
    QCOMPARE(length, 7);
    QCOMPARE(QByteArray(buffer.data(), length), withCrc(mnemonic));
}

void TestFrameCodec::byteRequests()
{
    FrameBuffer buffer;
    QCOMPARE(buildRArea(buffer, 42), 8);
    QCOMPARE(QByteArray(buffer.data(), 8), withCrc(QByteArray("RArea") + char(42)));
    QCOMPARE(buildRAuto(buffer, true), 8);
    QCOMPARE(QByteArray(buffer.data(), 8), withCrc(QByteArray("RAuto") + char(1)));
    QCOMPARE(buildRAuto(buffer, false), 8);
    QCOMPARE(QByteArray(buffer.data(), 8), withCrc(QByteArray("RAuto") + char(0)));
}

void TestFrameCodec::frameTableLengths_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("mnemonic");
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("reply");
    QTest::newRow("RPrda") << int(FrameId::RPrda) << QByteArray("RPrda") << 7 << 19;
    QTest::newRow("RPara") << int(FrameId::RPara) << QByteArray("RPara") << 7 << 67;
    QTest::newRow("WPara") << int(FrameId::WPara) << QByteArray("WPara") << 67 << 8;
    QTest::newRow("RArea") << int(FrameId::RArea) << QByteArray("RArea") << 8 << 1264;
    QTest::newRow("WArea") << int(FrameId::WArea) << QByteArray("WArea") << 1264 << 8;
    QTest::newRow("RCase") << int(FrameId::RCase) << QByteArray("RCase") << 7 << 647;
    QTest::newRow("WCase") << int(FrameId::WCase) << QByteArray("WCase") << 647 << 8;
    QTest::newRow("RBoot") << int(FrameId::RBoot) << QByteArray("RBoot") << 7 << 8;
    QTest::newRow("WSimu") << int(FrameId::WSimu) << QByteArray("WSimu") << 18 << 13;
    QTest::newRow("RScan") << int(FrameId::RScan) << QByteArray("RScan") << 7 << 1085;
    QTest::newRow("RStre") << int(FrameId::RStre) << QByteArray("RStre") << 7 << 1085;
    QTest::newRow("RAuto") << int(FrameId::RAuto) << QByteArray("RAuto") << 8 << 0;
    QTest::newRow("Cloud") << int(FrameId::Cloud) << QByteArray("Cloud") << 0 << 12;
}

void TestFrameCodec::frameTableLengths()
{
    QFETCH(int, id);
    QFETCH(QByteArray, mnemonic);
    QFETCH(int, request);
    QFETCH(int, reply);
    const FrameInfo &info = frameInfo(FrameId(id));
    QCOMPARE(QByteArray(info.mnemonic), mnemonic);
    QCOMPARE(info.requestLength, request);
    QCOMPARE(info.replyLength, reply);
}

void TestFrameCodec::frameInfoForReadsMnemonic()
{
    FrameBuffer buffer;
    const int length = buildWCase(buffer, QVector<AreaRecord>(64));
    const FrameInfo *info = frameInfoFor(buffer.data(), length);
    QVERIFY(info);
    QCOMPARE(info->id, FrameId::WCase);
    QVERIFY(!frameInfoFor("XXXXX", 5));
    QVERIFY(!frameInfoFor("RPar", 4));
}

void TestFrameCodec::locatesMnemonic_data()
{
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<int>("result");
    const QByteArray ack = buildAcknowledge(FrameId::RBoot, 1);
    QTest::newRow("empty") << QByteArray() << int(TakeResult::NotFound);
    QTest::newRow("at the start") << ack << int(TakeResult::Valid);
    QTest::newRow("after repeated first letters") << QByteArray("RRRRBoRBo") + ack << int(TakeResult::Valid);
    QTest::newRow("partial mnemonic at the end") << QByteArray("xxRBoo") << int(TakeResult::NotFound);
    QTest::newRow("cut after four letters") << QByteArray("xxxRBoo").left(6) << int(TakeResult::NotFound);
    QTest::newRow("mnemonic as the last bytes") << QByteArray("xxRBoot") << int(TakeResult::Incomplete);
    QTest::newRow("other mnemonics only") << QByteArray("RPara WBoot RBoo") << int(TakeResult::NotFound);
    QTest::newRow("zero bytes around") << QByteArray(3, '\0') + ack + QByteArray(3, '\0') << int(TakeResult::Valid);
}

void TestFrameCodec::locatesMnemonic()
{
    QFETCH(QByteArray, buffer);
    QFETCH(int, result);
    QByteArray frame;
    QCOMPARE(int(takeFrame(buffer, "RBoot", 8, true, frame)), result);
    if (result == int(TakeResult::Valid))
        QCOMPARE(frame, buildAcknowledge(FrameId::RBoot, 1));
}

void TestFrameCodec::noiseBeforeFrameLeavesNoise()
{
    const QByteArray noise("\x01\x02RPar\xffWAre");
    const QByteArray ack = buildAcknowledge(FrameId::WArea, 0);
    QByteArray buffer = noise + ack + "tail";
    QByteArray frame;
    QCOMPARE(takeFrame(buffer, "WArea", 8, true, frame), TakeResult::Valid);
    QCOMPARE(frame, ack);
    QCOMPARE(buffer, noise + "tail");
    QCOMPARE(takeFrame(buffer, "WArea", 8, true, frame), TakeResult::NotFound);
}

void TestFrameCodec::frameSplitAcrossTwoReads()
{
    const QByteArray reply = buildRParaReply(SensorParameters());
    for (int cut = 1; cut < reply.size(); cut += 11) {
        QByteArray buffer = reply.left(cut);
        QByteArray frame;
        const TakeResult first = takeFrame(buffer, "RPara", 67, true, frame);
        QVERIFY(first == TakeResult::Incomplete || first == TakeResult::NotFound);
        QCOMPARE(buffer, reply.left(cut));
        buffer += reply.mid(cut);
        QCOMPARE(takeFrame(buffer, "RPara", 67, true, frame), TakeResult::Valid);
        QCOMPARE(frame, reply);
        QVERIFY(buffer.isEmpty());
    }
}

void TestFrameCodec::badCrcFrameIsRemovedAndDropped()
{
    QByteArray bad = buildAcknowledge(FrameId::WCase, 0);
    bad[7] = char(bad[7] ^ 0x40);
    QByteArray buffer = "ab" + bad + "cd";
    QByteArray frame;
    QCOMPARE(takeFrame(buffer, "WCase", 8, true, frame), TakeResult::BadCrc);
    QCOMPARE(buffer, QByteArray("abcd"));
}

void TestFrameCodec::productShortFormBadCrcWaitsFor509()
{
    ProductInfo info;
    info.productCode = 10;
    info.firmware = 105;
    const QByteArray longReply = buildRPrdaReply(info, true);
    QVERIFY(!checkCrc(longReply.constData(), 17));  // the first 19 bytes do not check
    QByteArray buffer = "zz" + longReply.left(19 + 489);
    const QByteArray before = buffer;
    QByteArray frame;
    QCOMPARE(takeProductFrame(buffer, frame), TakeResult::Incomplete);
    QCOMPARE(buffer, before);
    buffer += longReply.mid(19 + 489);
    QCOMPARE(takeProductFrame(buffer, frame), TakeResult::Valid);
    QCOMPARE(frame, longReply);
    QCOMPARE(buffer, QByteArray("zz"));
    QCOMPARE(decodeProductInfo(frame.constData()).firmware, quint16(105));
}

void TestFrameCodec::productLongForm_data()
{
    QTest::addColumn<bool>("longForm");
    QTest::addColumn<bool>("corrupt");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("consumed");
    QTest::newRow("short, good") << false << false << int(TakeResult::Valid) << 19;
    QTest::newRow("long, good") << true << false << int(TakeResult::Valid) << 509;
    QTest::newRow("long, bad") << true << true << int(TakeResult::BadCrc) << 509;
}

void TestFrameCodec::productLongForm()
{
    QFETCH(bool, longForm);
    QFETCH(bool, corrupt);
    QFETCH(int, result);
    QFETCH(int, consumed);
    ProductInfo info;
    info.serialNumber = 1234;
    QByteArray reply = buildRPrdaReply(info, longForm);
    if (corrupt)
        reply[300] = char(reply[300] ^ 1);
    QByteArray buffer = reply + QByteArray(600, 'x');
    QByteArray frame;
    QCOMPARE(int(takeProductFrame(buffer, frame)), result);
    QCOMPARE(buffer.size(), reply.size() + 600 - consumed);
}

void TestFrameCodec::cloudWaitsForWholePacket()
{
    QVector<CloudPoint> points;
    for (int i = 0; i < 30; ++i)
        points.append(CloudPoint{quint16(1000 + i), quint16(i)});
    const QByteArray packet = buildCloudPacket(45, 90, points);
    QCOMPARE(packet.size(), 12 + 4 * 30);
    QByteArray buffer = "n" + packet.left(11);
    QByteArray frame;
    QCOMPARE(takeCloudPacket(buffer, frame), TakeResult::Incomplete);
    buffer += packet.mid(11, 50);
    QCOMPARE(takeCloudPacket(buffer, frame), TakeResult::Incomplete);
    buffer += packet.mid(61);
    QCOMPARE(takeCloudPacket(buffer, frame), TakeResult::Valid);
    QCOMPARE(frame, packet);
    QCOMPARE(buffer, QByteArray("n"));
}

void TestFrameCodec::cloudTooLargeForBufferIsDropped()
{
    QByteArray header("Cloud\0\0\0\x2d\x01\x3b\xff\xff", 12);  // N = 65535
    const QByteArray good = buildCloudPacket(45, 315, {CloudPoint{500, 7}});
    QByteArray buffer = header + good;
    QByteArray frame;
    QCOMPARE(takeCloudPacket(buffer, frame), TakeResult::Dropped);
    QCOMPARE(buffer, header.mid(5) + good);
    QCOMPARE(takeCloudPacket(buffer, frame), TakeResult::Valid);
    QCOMPARE(frame, good);
}

void TestFrameCodec::polygonSameBearingSendsOneVertexCountedOnce()
{
    AreaRecord area;
    area.out1Shape = Polygon;
    area.out1Points = {QPoint(100, 100), QPoint(-300, 200), QPoint(200, 200)};
    const QByteArray frame = wireArea(area, 3);
    QCOMPARE(frame.size(), AreaFrameLength);
    // Counted as written: a count of 3 would make the empty third slot a vertex at
    // the scanner's own position when the scanner (or a read-back) takes the field.
    QCOMPARE(u16At(frame, fieldBlock(0) + 2), 2);
    // (100,100) and (200,200) share 45 degrees; the later one wins and comes first.
    QCOMPARE(s16At(frame, vertexRegion(0)), 200);
    QCOMPARE(s16At(frame, vertexRegion(0) + 2), 200);
    QCOMPARE(s16At(frame, vertexRegion(0) + 4), -300);
    QCOMPARE(s16At(frame, vertexRegion(0) + 6), 200);
    QCOMPARE(u16At(frame, vertexRegion(0) + 8), 0);
    QCOMPARE(u16At(frame, vertexRegion(0) + 10), 0);
    QVERIFY(checkCrc(frame.constData(), AreaFrameLength - 2));
    AreaRecord received;
    QVERIFY(decodeArea(frame.constData(), received, false));
    QCOMPARE(received.out1Points, (QVector<QPoint>{QPoint(200, 200), QPoint(-300, 200)}));
}

// An arc as a scanner reports it, written back unchanged: the points rebuilt from the
// wire form lie a little inside the radius and short of the bearing, and a plain
// truncation would send a smaller arc turned by a degree on every trip.
void TestFrameCodec::arcReadBackTravelsUnchanged_data()
{
    QTest::addColumn<int>("radius");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<bool>("inverted");
    QTest::newRow("1 m, -30..60") << 1000 << -30 << 60 << false;
    QTest::newRow("2 m, 30..120, inverted") << 2000 << 30 << 120 << true;
    QTest::newRow("5.5 m, -45..225") << 5500 << -45 << 225 << false;
    QTest::newRow("24 m, 1..179") << 24000 << 1 << 179 << false;
    QTest::newRow("65.535 m, 44..46, inverted") << 65535 << 44 << 46 << true;
    QTest::newRow("300 mm, -89..269") << 300 << -89 << 269 << false;
}

void TestFrameCodec::arcReadBackTravelsUnchanged()
{
    QFETCH(int, radius);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(bool, inverted);
    QByteArray reply = wireArea(AreaRecord(), 5, inverted);
    const int block = fieldBlock(2);
    patch16(reply, block, Arc);
    patch16(reply, block + 2, 2);
    patch16(reply, block + 4, quint32(start));
    patch16(reply, block + 6, quint32(end));
    patch16(reply, block + 8, quint32(radius));
    putCrc(reply.data(), AreaFrameLength - 2);
    AreaRecord area;
    QVERIFY(decodeArea(reply.constData(), area, inverted));
    QCOMPARE(wireArea(area, 5, inverted), reply);
    // And once more: nothing drifts over several trips.
    AreaRecord again;
    QVERIFY(decodeArea(wireArea(area, 5, inverted).constData(), again, inverted));
    QCOMPARE(again, area);
}

void TestFrameCodec::arcSwappedBearingsKeepFirstRadius()
{
    AreaRecord area;
    area.out2Shape = Arc;
    // The first point lies near 120 degrees, the second near 26.6 degrees and farther out.
    area.out2Points = {QPoint(-1000, 1700), QPoint(2000, 1000)};
    const QByteArray frame = wireArea(area, 0);
    const int block = fieldBlock(1);
    QCOMPARE(u16At(frame, block), int(Arc));
    QCOMPARE(u16At(frame, block + 2), 2);
    QCOMPARE(s16At(frame, block + 4), 26);   // 26.57 degrees, truncated
    QCOMPARE(s16At(frame, block + 6), 120);  // 120.47 degrees, truncated
    QCOMPARE(u16At(frame, block + 8), 1972); // |(-1000, 1700)| = 1972.3, truncated
    for (int offset = vertexRegion(1); offset < vertexRegion(2); ++offset)
        QCOMPARE(int(frame[offset]), 0);
}

void TestFrameCodec::dependentValueInAllThreeSlots_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("value");
    QTest::newRow("straight 350") << int(Straight) << 350;
    QTest::newRow("fan 1200") << int(Fan) << 1200;
    QTest::newRow("ratio 30000") << int(Ratio) << 30000;
}

void TestFrameCodec::dependentValueInAllThreeSlots()
{
    QFETCH(int, shape);
    QFETCH(int, value);
    AreaRecord area;
    area.out3Shape = shape;
    area.out3Points = {QPoint(0, value)};
    const QByteArray frame = wireArea(area, 9);
    const int block = fieldBlock(2);
    QCOMPARE(u16At(frame, block), shape);
    QCOMPARE(u16At(frame, block + 10), value);
    QCOMPARE(u16At(frame, block + 12), value);
    QCOMPARE(u16At(frame, block + 14), value);
    QCOMPARE(u16At(frame, block + 2), 0);
}

void TestFrameCodec::dependentValueReadFromItsSlot_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("expected");
    QTest::newRow("straight reads the first slot") << int(Straight) << 111;
    QTest::newRow("fan reads the second slot") << int(Fan) << 222;
    QTest::newRow("ratio reads the third slot") << int(Ratio) << 333;
}

void TestFrameCodec::dependentValueReadFromItsSlot()
{
    QFETCH(int, shape);
    QFETCH(int, expected);
    QByteArray frame = wireArea(AreaRecord(), 1);
    const int block = fieldBlock(1);
    patch16(frame, block, quint32(shape));
    patch16(frame, block + 10, 111);
    patch16(frame, block + 12, 222);
    patch16(frame, block + 14, 333);
    AreaRecord area;
    area.out2Points = {QPoint(5, 5), QPoint(6, 6)};
    QVERIFY(decodeArea(frame.constData(), area, false));
    QCOMPARE(area.out2Shape, shape);
    QCOMPARE(area.out2Points, QVector<QPoint>{QPoint(0, expected)});
}

void TestFrameCodec::out2CountOf101LeavesOut2Empty()
{
    AreaRecord sent;
    sent.out2Shape = Polygon;
    sent.out2Points = {QPoint(10, 10), QPoint(-10, 10)};
    QByteArray frame = wireArea(sent, 5);
    patch16(frame, fieldBlock(1) + 2, 101);
    AreaRecord area;
    area.out2Points = {QPoint(1, 2)};
    QVERIFY(decodeArea(frame.constData(), area, false));
    QCOMPARE(area.out2Shape, qint32(Polygon));
    QVERIFY(area.out2Points.isEmpty());
}

void TestFrameCodec::invertedMountNegatesX()
{
    AreaRecord area;
    area.out1Shape = Polygon;
    area.out1Points = {QPoint(100, 50)};
    const AreaRecord original = area;
    const QByteArray inverted = wireArea(area, 0, true);
    QCOMPARE(area, original);  // the model keeps its own coordinates
    QCOMPARE(s16At(inverted, vertexRegion(0)), -100);
    QCOMPARE(s16At(inverted, vertexRegion(0) + 2), 50);
    const QByteArray upright = wireArea(area, 0, false);
    QCOMPARE(s16At(upright, vertexRegion(0)), 100);

    AreaRecord received;
    QVERIFY(decodeArea(inverted.constData(), received, true));
    QCOMPARE(received.out1Points, QVector<QPoint>{QPoint(100, 50)});
    QVERIFY(decodeArea(inverted.constData(), received, false));
    QCOMPARE(received.out1Points, QVector<QPoint>{QPoint(-100, 50)});
}

void TestFrameCodec::invertedMountArcOnReceipt()
{
    QByteArray frame = wireArea(AreaRecord(), 2);
    const int block = fieldBlock(0);
    patch16(frame, block, Arc);
    patch16(frame, block + 2, 2);
    patch16(frame, block + 4, quint32(-30));
    patch16(frame, block + 6, 60);
    patch16(frame, block + 8, 2000);
    AreaRecord upright;
    QVERIFY(decodeArea(frame.constData(), upright, false));
    const QPoint start = arcPointFromWire(2000, -30);
    const QPoint end = arcPointFromWire(2000, 60);
    QCOMPARE(upright.out1Points, (QVector<QPoint>{start, end}));
    QVERIFY(qAbs(start.x() - 1732) <= 1 && qAbs(start.y() + 1000) <= 1);
    AreaRecord inverted;
    QVERIFY(decodeArea(frame.constData(), inverted, true));
    QCOMPARE(inverted.out1Points,
             (QVector<QPoint>{QPoint(-start.x(), start.y()), QPoint(-end.x(), end.y())}));
}

void TestFrameCodec::areaIndexAbove63ChangesNothing()
{
    AreaRecord sent;
    sent.openDelay = 9;
    sent.out1Points = {QPoint(1, 1)};
    QByteArray frame = wireArea(sent, 0);
    frame[AreaIndexOffset] = char(64);
    AreaRecord area;
    area.closeDelay = 4;
    const AreaRecord before = area;
    QVERIFY(!decodeArea(frame.constData(), area, false));
    QCOMPARE(area, before);
}

void TestFrameCodec::unknownShapeLeavesFieldAlone()
{
    QByteArray frame = wireArea(AreaRecord(), 0);
    patch16(frame, fieldBlock(2), 6);
    AreaRecord area;
    area.out3Shape = Fan;
    area.out3Points = {QPoint(0, 700)};
    QVERIFY(decodeArea(frame.constData(), area, false));
    QCOMPARE(area.out3Shape, qint32(Fan));
    QCOMPARE(area.out3Points, QVector<QPoint>{QPoint(0, 700)});
}

void TestFrameCodec::fieldOver100VerticesIsRefused_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("oversized");
    QTest::newRow("Out1 polygon 100") << 0 << int(Polygon) << 100 << -1;
    QTest::newRow("Out1 polygon 101") << 0 << int(Polygon) << 101 << 0;
    QTest::newRow("Out2 rectangle 150") << 1 << int(Rectangle) << 150 << 1;
    QTest::newRow("Out3 polygon 500") << 2 << int(Polygon) << 500 << 2;
    QTest::newRow("Out3 arc with 300 points uses two") << 2 << int(Arc) << 300 << -1;
}

void TestFrameCodec::fieldOver100VerticesIsRefused()
{
    QFETCH(int, field);
    QFETCH(int, shape);
    QFETCH(int, count);
    QFETCH(int, oversized);
    AreaRecord area;
    area.setShape(field, shape);
    for (int i = 0; i < count; ++i)
        area.points(field).append(QPoint(1000 + i, 5000 - i));
    QCOMPARE(oversizedField(area), oversized);
    FrameBuffer buffer;
    buffer.fill('\x7f');
    const int length = buildWArea(buffer, area, 0, false);
    QCOMPARE(length, oversized < 0 ? AreaFrameLength : 0);
    if (oversized >= 0) {
        // Nothing of the area reached the buffer, let alone past a vertex region.
        for (int i = AreaIndexOffset; i < TransmitBufferSize; ++i)
            QVERIFY(buffer[size_t(i)] == '\0' || buffer[size_t(i)] == '\x7f');
        QVERIFY(buildRAreaReply(area, 0, false).isEmpty());
    }
}

void TestFrameCodec::pointOutOfWireRangeIsRefused_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("shape");
    QTest::addColumn<QPoint>("first");
    QTest::addColumn<QPoint>("second");
    QTest::addColumn<int>("outOfRange");
    QTest::newRow("polygon x 32767 fits") << 0 << int(Polygon) << QPoint(32767, 100) << QPoint(-32767, 5) << -1;
    QTest::newRow("polygon y 32768") << 0 << int(Polygon) << QPoint(0, 32768) << QPoint(5, 5) << 0;
    QTest::newRow("rectangle x -32768") << 1 << int(Rectangle) << QPoint(5, 5) << QPoint(-32768, 5) << 1;
    QTest::newRow("arc radius 65535 fits") << 2 << int(Arc) << QPoint(65535, 0) << QPoint(0, 65535) << -1;
    QTest::newRow("arc radius 65536") << 2 << int(Arc) << QPoint(0, 65536) << QPoint(1000, 0) << 2;
    QTest::newRow("arc second point does not travel") << 1 << int(Arc) << QPoint(1000, 0) << QPoint(0, 90000) << -1;
    QTest::newRow("straight 40000") << 1 << int(Straight) << QPoint(0, 40000) << QPoint() << 1;
    QTest::newRow("fan -32767 fits") << 2 << int(Fan) << QPoint(0, -32767) << QPoint() << -1;
}

void TestFrameCodec::pointOutOfWireRangeIsRefused()
{
    QFETCH(int, field);
    QFETCH(int, shape);
    QFETCH(QPoint, first);
    QFETCH(QPoint, second);
    QFETCH(int, outOfRange);
    AreaRecord area;
    area.setShape(field, shape);
    area.points(field) = isDependentShape(shape) ? QVector<QPoint>{first} : QVector<QPoint>{first, second};
    QCOMPARE(outOfRangeField(area), outOfRange);
    // A wrapped value would travel as a different point: such an area is never sent.
    FrameBuffer buffer;
    buffer.fill('\x7f');
    const int length = buildWArea(buffer, area, 0, false);
    QCOMPARE(length, outOfRange < 0 ? AreaFrameLength : 0);
    if (outOfRange < 0) {
        AreaRecord received;
        QVERIFY(decodeArea(buffer.data(), received, false));
        if (carriesVertices(shape))
            QVERIFY(received.points(field).contains(first));
        else if (isDependentShape(shape))
            QCOMPARE(received.points(field), QVector<QPoint>{first});
        else
            QCOMPARE(int(readU16(buffer.data() + fieldBlock(field) + 8)), int(PolarOf(first).radius));
    } else {
        for (int i = AreaIndexOffset; i < TransmitBufferSize; ++i)
            QVERIFY(buffer[size_t(i)] == '\0' || buffer[size_t(i)] == '\x7f');
        QVERIFY(buildRAreaReply(area, 0, false).isEmpty());
    }
}

void TestFrameCodec::areaRoundTrip_data()
{
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 4; ++seed) {
        QTest::addRow("upright, seed %u", seed) << false << seed;
        QTest::addRow("inverted, seed %u", seed) << true << seed;
    }
}

void TestFrameCodec::areaRoundTrip()
{
    QFETCH(bool, inverted);
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    for (int round = 0; round < 64; ++round) {
        const AreaRecord sent = randomArea(rng);
        const int index = rng.bounded(64);
        const QByteArray frame = wireArea(sent, index, inverted);
        QCOMPARE(frame.size(), AreaFrameLength);
        QVERIFY(checkCrc(frame.constData(), AreaFrameLength - 2));
        QCOMPARE(areaIndexOf(frame.constData()), index);
        AreaRecord received;
        QVERIFY(decodeArea(frame.constData(), received, inverted));
        QCOMPARE(received, expectedAfterTrip(sent, inverted));
    }
}

void TestFrameCodec::areaReplyRoundTrip()
{
    QRandomGenerator rng(99);
    const AreaRecord sent = randomArea(rng);
    const QByteArray reply = buildRAreaReply(sent, 17, false);
    QCOMPARE(reply.left(5), QByteArray("RArea"));
    QCOMPARE(reply.mid(5), wireArea(sent, 17).mid(5, 1257) + reply.right(2));
    AreaRecord received;
    QVERIFY(decodeArea(reply.constData(), received, false));
    QCOMPARE(received, expectedAfterTrip(sent, false));
}

void TestFrameCodec::caseRoundTrip()
{
    QRandomGenerator rng(7);
    QVector<AreaRecord> areas(64);
    for (AreaRecord &area : areas)
        area = randomArea(rng);
    FrameBuffer buffer;
    QCOMPARE(buildWCase(buffer, areas), CaseFrameLength);
    const QByteArray frame(buffer.data(), CaseFrameLength);
    QVERIFY(checkCrc(frame.constData(), CaseFrameLength - 2));
    QCOMPARE(s16At(frame, 5 + 10 * 3), areas[3].steerMinDgree);
    QCOMPARE(s16At(frame, 5 + 10 * 63 + 8), areas[63].vehicleOptionMode);

    QVector<AreaRecord> received(64);
    decodeCase(frame.constData(), received);
    const QByteArray reply = buildRCaseReply(areas);
    QVector<AreaRecord> fromReply(64);
    decodeCase(reply.constData(), fromReply);
    for (int i = 0; i < 64; ++i) {
        for (int number = 4; number <= 8; ++number) {
            QCOMPARE(received[i].number(number), areas[i].number(number));
            QCOMPARE(fromReply[i].number(number), areas[i].number(number));
        }
        QVERIFY(received[i].out1Points.isEmpty());
        QCOMPARE(received[i].openDelay, 0);
    }
}

void TestFrameCodec::parameterWriteLayout()
{
    SensorParameters parameters;
    for (int word = 0; word < SensorParameterCount; ++word)
        parameters[word] = quint32(0x10000 + 0x0101 * word);
    FrameBuffer buffer;
    buffer.fill('\x33');
    QCOMPARE(buildWPara(buffer, parameters), 67);
    const QByteArray frame(buffer.data(), 67);
    QCOMPARE(frame.left(5), QByteArray("WPara"));
    for (int word = 0; word <= 16; ++word)
        QCOMPARE(u16At(frame, 5 + 2 * word), 0x0101 * word);
    QCOMPARE(int(frame[39]), 0);
    QCOMPARE(quint8(frame[40]), quint8(0x15));  // low byte of word 21
    for (int word = 17; word <= 21; ++word)
        QCOMPARE(u16At(frame, 41 + 2 * (word - 17)), 0x0101 * word);
    for (int offset = 51; offset < 65; ++offset)
        QCOMPARE(int(frame[offset]), 0);
    QVERIFY(checkCrc(frame.constData(), 65));
}

void TestFrameCodec::parameterRoundTrip()
{
    QRandomGenerator rng(11);
    SensorParameters sent;
    for (quint32 &word : sent.words)
        word = rng.bounded(65536u);
    const QByteArray reply = buildRParaReply(sent);
    QCOMPARE(reply.size(), 67);
    SensorParameters received;
    decodeParameterReply(reply.constData(), received);
    QCOMPARE(received, sent);

    FrameBuffer buffer;
    buildWPara(buffer, sent);
    SensorParameters written;
    decodeParameterWrite(buffer.data(), written);
    for (int word = 0; word < SensorParameterCount; ++word)
        QCOMPARE(written[word], word < 22 ? sent[word] : SensorParameters()[word]);
}

void TestFrameCodec::simulationRequestLayout_data()
{
    QTest::addColumn<bool>("input");
    QTest::addColumn<bool>("caseSim");
    QTest::addColumn<bool>("fault");
    QTest::addColumn<int>("mode");
    QTest::newRow("inputs win over case") << true << true << true << 1;
    QTest::newRow("case") << false << true << false << 2;
    QTest::newRow("neither") << false << false << true << 0;
}

void TestFrameCodec::simulationRequestLayout()
{
    QFETCH(bool, input);
    QFETCH(bool, caseSim);
    QFETCH(bool, fault);
    QFETCH(int, mode);
    SimulationBlock block;
    block.inputSimulationOn = input;
    block.caseSimulationOn = caseSim;
    block.faultSimulationOn = fault;
    block.outputSimulationOn = 1;
    block.simulatedInputs = 0x125;
    block.simulatedOutputs = 5;
    block.simulatedFault = 1;
    block.steeringAngle = -180;
    block.vehicleSpeed = -300;
    block.operationMode = 4;
    FrameBuffer buffer;
    QCOMPARE(buildWSimu(buffer, block), 18);
    const QByteArray frame(buffer.data(), 18);
    QCOMPARE(int(frame[5]), mode);
    QCOMPARE(quint8(frame[6]), quint8(0x25));
    QCOMPARE(s16At(frame, 7), -180);
    QCOMPARE(s16At(frame, 9), -300);
    QCOMPARE(u16At(frame, 11), 4);
    QCOMPARE(int(frame[13]), 1);
    QCOMPARE(int(frame[14]), 5);
    QCOMPARE(int(frame[15]), fault ? 1 : 0);
    QVERIFY(checkCrc(frame.constData(), 16));

    const SimulationRequest decoded = decodeSimulationRequest(frame.constData());
    QCOMPARE(decoded.mode, mode);
    QCOMPARE(decoded.inputs, 0x25);
    QCOMPARE(decoded.steeringAngle, -180);
    QCOMPARE(decoded.vehicleSpeed, -300);
    QCOMPARE(decoded.operationMode, 4);
    QVERIFY(decoded.outputSimulation);
    QCOMPARE(decoded.outputs, 5);
    QCOMPARE(decoded.fault, fault ? 1 : 0);
}

void TestFrameCodec::simulationReplyWidensSigned_data()
{
    QTest::addColumn<int>("inport");
    QTest::addColumn<int>("outport");
    QTest::addColumn<int>("status");
    QTest::addColumn<uint>("expectedIn");
    QTest::addColumn<uint>("expectedOut");
    QTest::newRow("small values") << 37 << 5 << 0x21 << 37u << 5u;
    QTest::newRow("high bits set") << 0x80 << 0xFF << 0xFFFF << 0xFFFFFF80u << 0xFFFFFFFFu;
    QTest::newRow("0x7f stays positive") << 0x7F << 0x7F << 0 << 0x7Fu << 0x7Fu;
}

void TestFrameCodec::simulationReplyWidensSigned()
{
    QFETCH(int, inport);
    QFETCH(int, outport);
    QFETCH(int, status);
    QFETCH(uint, expectedIn);
    QFETCH(uint, expectedOut);
    const QByteArray reply = buildWSimuReply(quint8(inport), quint8(outport), quint16(status));
    QCOMPARE(reply.size(), 13);
    QVERIFY(checkCrc(reply.constData(), 11));
    const IoPortState state = decodeSimulationReply(reply.constData());
    QCOMPARE(state.inport, expectedIn);
    QCOMPARE(state.outport, expectedOut);
    QCOMPARE(state.status, uint(status));
}

void TestFrameCodec::productInfoRoundTrip_data()
{
    QTest::addColumn<bool>("longForm");
    QTest::newRow("19 bytes") << false;
    QTest::newRow("509 bytes") << true;
}

void TestFrameCodec::productInfoRoundTrip()
{
    QFETCH(bool, longForm);
    const ProductInfo info{10, 250, 1234, 2023, 12, 31};
    const QByteArray reply = buildRPrdaReply(info, longForm);
    QCOMPARE(reply.size(), longForm ? 509 : 19);
    QVERIFY(checkCrc(reply.constData(), reply.size() - 2));
    const ProductInfo back = decodeProductInfo(reply.constData());
    QCOMPARE(back.productCode, info.productCode);
    QCOMPARE(back.firmware, info.firmware);
    QCOMPARE(back.serialNumber, info.serialNumber);
    QCOMPARE(back.year, info.year);
    QCOMPARE(back.month, info.month);
    QCOMPARE(back.day, info.day);
}

void TestFrameCodec::scanReplyValues()
{
    QVector<quint16> values(540);
    for (int i = 0; i < 540; ++i)
        values[i] = quint16(i * 97 + 3);
    const QByteArray reply = buildScanReply(FrameId::RStre, values);
    QCOMPARE(reply.size(), 1085);
    QCOMPARE(reply.left(5), QByteArray("RStre"));
    QCOMPARE(quint8(reply[5]), quint8(0));
    QCOMPARE(quint8(reply[6]), quint8(3));
    for (int i = 0; i < 540; ++i)
        QCOMPARE(scanValue(reply.constData(), i), values[i]);
}

void TestFrameCodec::cloudPacketRoundTrip()
{
    const QVector<CloudPoint> points{{0x1234, 0x0056}, {65535, 1}};
    const QByteArray packet = buildCloudPacket(300, 30, points);
    QCOMPARE(quint8(packet[12]), quint8(0x34));  // low byte first
    QCOMPARE(quint8(packet[13]), quint8(0x12));
    const CloudHeader header = decodeCloudHeader(packet.constData());
    QCOMPARE(header.startBearing, 300);
    QCOMPARE(header.endBearing, 30);
    QCOMPARE(header.count, 2);
    QCOMPARE(cloudPoint(packet.constData(), 0).distance, quint16(0x1234));
    QCOMPARE(cloudPoint(packet.constData(), 0).intensity, quint16(0x56));
    QCOMPARE(cloudPoint(packet.constData(), 1).distance, quint16(65535));
    QCOMPARE(cloudPoint(packet.constData(), 1).intensity, quint16(1));
}

QTEST_GUILESS_MAIN(TestFrameCodec)
#include "tst_framecodec.moc"
