#include "fakedevice.h"

#include "core/app/language.h"
#include "core/app/usermessage.h"
#include "areachange.h"
#include "core/areas/areamodel.h"
#include "core/link/areapayload.h"
#include "core/link/crc16.h"
#include "core/link/framebuilders.h"
#include "core/link/sensorlinkdata.h"
#include "core/link/sensorparameters.h"
#include "core/link/serialcomm.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

using namespace veltrix;

namespace {

QByteArray mnemonicOf(const QByteArray &frame)
{
    return frame.left(MnemonicLength);
}

// The link with its shared records, three fake transports and a messenger whose
// presenter records every box and answers from a queue (first button when empty).
struct Rig
{
    AreaModel model;
    SensorLinkData data;
    SensorParameters parameters;
    FakeDevice serial;
    FakeDevice tcp;
    FakeDevice udp;
    Messenger messenger;
    QList<UserMessage> shown;
    QList<int> answers;
    std::function<void(const UserMessage &)> duringMessage;
    std::unique_ptr<SERIAL_COMM> link;

    // What the scanner holds, served by reply().
    SensorParameters scannerParameters;
    QVector<AreaRecord> scannerAreas = QVector<AreaRecord>(AreaCount);

    explicit Rig(int connectType = SerialInterface, int ethernetMode = TcpMode)
    {
        data.connectType = connectType;
        data.ethernetMode = ethernetMode;
        messenger.setPresenter([this](const UserMessage &message) {
            shown.append(message);
            if (duringMessage)
                duringMessage(message);
            return answers.isEmpty() ? 0 : answers.takeFirst();
        });
        link = std::make_unique<SERIAL_COMM>(&serial, &data, &model, &parameters, &tcp, &udp,
                                             &messenger);
    }

    FakeDevice &device()
    {
        if (data.connectType == SerialInterface)
            return serial;
        return data.ethernetMode == UdpMode ? udp : tcp;
    }

    // One send tick; returns the frame it wrote, or an empty array.
    QByteArray tick()
    {
        const int before = device().written.size();
        link->SerialPortSendData();
        return device().written.size() > before ? device().written.last() : QByteArray();
    }

    QByteArray reply(const QByteArray &request, quint8 status = 0) const
    {
        const QByteArray m = mnemonicOf(request);
        if (m == "RPara")
            return buildRParaReply(scannerParameters);
        if (m == "RCase")
            return buildRCaseReply(scannerAreas);
        if (m == "RArea") {
            const int index = quint8(request[5]);
            return buildRAreaReply(scannerAreas.value(index), index, false);
        }
        if (m == "WArea")
            return buildAcknowledge(FrameId::WArea, status);
        if (m == "WCase")
            return buildAcknowledge(FrameId::WCase, status);
        if (m == "WPara")
            return buildAcknowledge(FrameId::WPara, status);
        if (m == "RBoot")
            return buildAcknowledge(FrameId::RBoot, 0);
        if (m == "WSimu")
            return buildWSimuReply(1, 2, 0);
        return QByteArray();
    }

    // Ticks and answers every request until nothing more is sent; returns the requests.
    QList<QByteArray> runToQuiet(int limit = 400)
    {
        QList<QByteArray> requests;
        for (int i = 0; i < limit; ++i) {
            const QByteArray request = tick();
            if (request.isEmpty())
                break;
            requests.append(request);
            const QByteArray answer = reply(request);
            if (!answer.isEmpty())
                device().feed(answer);
        }
        return requests;
    }

    QStringList texts() const
    {
        QStringList result;
        for (const UserMessage &m : shown)
            result << m.text;
        return result;
    }
};

QByteArray scanReply(const char *mnemonic, quint16 first, quint16 rest)
{
    QVector<quint16> values(540, rest);
    values[0] = first;
    return buildScanReply(QByteArray(mnemonic) == "RScan" ? FrameId::RScan : FrameId::RStre, values);
}

QByteArray cloudPacket(int start, int end, int count, quint16 distance = 1000, quint16 intensity = 100)
{
    return buildCloudPacket(start, end, QVector<CloudPoint>(count, CloudPoint{distance, intensity}));
}

AreaRecord polygonArea(int points)
{
    AreaRecord area;
    for (int i = 0; i < points; ++i)
        area.out1Points.append(QPoint(1000 + i, 2000 + 3 * i));
    return area;
}

}  // namespace

class TestSerialLink : public QObject
{
    Q_OBJECT

    LanguageSwitch languages;

private slots:
    // The messages are compared in English unless a test chooses otherwise.
    void init() { languages.setLanguage(QString::fromLatin1(LanguageSwitch::English)); }
    void construction();
    void readParametersRequestBytes();
    void transportFollowsConnectType_data();
    void transportFollowsConnectType();
    void rangeLimitByModel_data();
    void rangeLimitByModel();

    void noiseBeforeFrameStaysInBuffer();
    void frameSplitAcrossTwoReads();
    void badCrcReplyIsIgnored();
    void productShortBadCrcWaitsFor509();
    void productMessage_data();
    void productMessage();
    void bufferPast50000IsCleared();

    void scanFlagWaitsForPendingReadParameters();
    void sendOrderFollowsFlagPriority();
    void fullReadAllSends66RequestsInOrder();
    void fullWriteAllAndRestartQuestion_data();
    void fullWriteAllAndRestartQuestion();
    void writeAreaStatus_data();
    void writeAreaStatus();
    void writeCaseAndParameterErrors_data();
    void writeCaseAndParameterErrors();
    void writeAllWithOversizedFieldIsRefused_data();
    void writeAllWithOversizedFieldIsRefused();
    void writeAllWithPointOutOfRangeIsRefused_data();
    void writeAllWithPointOutOfRangeIsRefused();
    void fieldGrowingDuringWriteAllStopsIt();
    void readAreaIndexAbove63IsIgnored();
    void cancelledTransferIgnoresLateAnswers_data();
    void cancelledTransferIgnoresLateAnswers();
    void readAreaReplyWithOut2Count101();
    void rebootReply_data();
    void rebootReply();

    void threeTimeoutsThenReplyResetCount();
    void fourthTimeoutWarnsOnceAndStopsAll_data();
    void fourthTimeoutWarnsOnceAndStopsAll();
    void timeoutInReadAllRetriesTheSameArea();
    void staleAreaReplyDoesNotSkipAnArea();
    void timeoutInWriteAllRestartsAtAreaZero();
    void ethernetTimeoutAfterPollingStops();
    void failedWritesEndInTimeouts();

    void invertedMountFromParameters_data();
    void invertedMountFromParameters();
    void serialScanStorage_data();
    void serialScanStorage();
    void scanOnEthernetIsNotDecoded();
    void intensityOnEthernet();
    void ethernetScanPolling();
    void readAllOnEthernetStopsAutoScanFirst();
    void cloudFullScan();
    void cloudSpanAcrossZero();
    void cloudInvertedBearings();
    void cloudPacketsThatDoNotFitAreDropped_data();
    void cloudPacketsThatDoNotFitAreDropped();
    void cloudHugeCountDoesNotWedgeStream();
    void cloudPacketsArrivingTwoPerReadAreAllDecoded();
    void simulationReplyEmitsPorts();

    void noSendingWhileMessageShown();
    void receiveReenteredDuringMessage();
    void closeAndClear();
};

void TestSerialLink::construction()
{
    Rig rig;
    rig.data.invertedMount = true;
    SERIAL_COMM link(&rig.serial, &rig.data, &rig.model, &rig.parameters, nullptr, nullptr);
    QVERIFY(!rig.data.invertedMount);
    QVERIFY(link.sendTimer().isActive());
    QCOMPARE(link.sendTimer().interval(), 20);
    QCOMPARE(link.timeoutTimer().interval(), 2000);
    QVERIFY(!link.timeoutTimer().isActive());
    QVERIFY(!link.scanTimer().isActive());
    QCOMPARE(link.pendingCommand(), 0);
    QCOMPARE(link.rangeLimit(), 6000);
    for (int f = 0; f < SERIAL_COMM::RequestFlagCount; ++f)
        QVERIFY(!link.flag(SERIAL_COMM::RequestFlag(f)));
}

void TestSerialLink::readParametersRequestBytes()
{
    Rig rig;
    rig.link->ReadSensorAllDataSlots();
    const QByteArray frame = rig.tick();
    const quint16 crc = crc16("RPara", 5);
    QCOMPARE(frame, QByteArray("RPara") + char(crc & 0xFF) + char(crc >> 8));
    QCOMPARE(rig.link->pendingCommand(), int(SERIAL_COMM::ReadParametersCommand));
    QVERIFY(rig.link->timeoutTimer().isActive());
}

void TestSerialLink::transportFollowsConnectType_data()
{
    QTest::addColumn<int>("connectType");
    QTest::addColumn<int>("ethernetMode");
    QTest::addColumn<int>("expected");  // 0 serial, 1 tcp, 2 udp
    QTest::newRow("serial") << int(SerialInterface) << int(UdpMode) << 0;
    QTest::newRow("tcp") << int(EthernetInterface) << int(TcpMode) << 1;
    QTest::newRow("udp") << int(EthernetInterface) << int(UdpMode) << 2;
}

void TestSerialLink::transportFollowsConnectType()
{
    QFETCH(int, connectType);
    QFETCH(int, ethernetMode);
    QFETCH(int, expected);
    Rig rig(connectType, ethernetMode);
    FakeDevice *devices[] = {&rig.serial, &rig.tcp, &rig.udp};
    rig.link->SensorInformationSlots();
    rig.link->SerialPortSendData();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(devices[i]->written.size(), i == expected ? 1 : 0);
    // A reply on another transport is not read; on the chosen one it is.
    devices[(expected + 1) % 3]->feed(buildRPrdaReply(ProductInfo()));
    QVERIFY(rig.shown.isEmpty());
    devices[expected]->feed(buildRPrdaReply(ProductInfo()));
    QCOMPARE(rig.shown.size(), 1);
}

void TestSerialLink::rangeLimitByModel_data()
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

void TestSerialLink::rangeLimitByModel()
{
    QFETCH(int, model);
    QFETCH(int, limit);
    Rig rig;
    rig.link->SetRangeLimit(4);
    rig.link->SetRangeLimit(model);
    QCOMPARE(rig.link->rangeLimit(), limit);
}

void TestSerialLink::noiseBeforeFrameStaysInBuffer()
{
    Rig rig;
    rig.link->ReadSensorAllDataSlots();
    rig.tick();
    rig.scannerParameters[3] = 2;
    const QByteArray noise("\x10\x20RPa\x99");
    rig.serial.feed(noise + rig.reply("RPara") + "xy");
    QCOMPARE(rig.parameters[3], 2u);
    QCOMPARE(rig.link->receiveBuffer(), noise + "xy");
    QCOMPARE(rig.link->pendingCommand(), 0);
    QVERIFY(!rig.link->flag(SERIAL_COMM::ReadParametersFlag));
}

void TestSerialLink::frameSplitAcrossTwoReads()
{
    Rig rig;
    QSignalSpy ports(rig.link.get(), &SERIAL_COMM::IOPortSignals);
    rig.link->ReadSimulationTime();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("WSimu"));
    const QByteArray answer = buildWSimuReply(5, 6, 7);
    rig.serial.feed(answer.left(6));
    QCOMPARE(ports.count(), 0);
    QCOMPARE(rig.link->pendingCommand(), int(SERIAL_COMM::SimulationCommand));
    rig.serial.feed(answer.mid(6));
    QCOMPARE(ports.count(), 1);
    QCOMPARE(ports.at(0).at(0).toUInt(), 5u);
    QVERIFY(rig.link->receiveBuffer().isEmpty());
    QCOMPARE(rig.link->pendingCommand(), 0);
}

void TestSerialLink::badCrcReplyIsIgnored()
{
    Rig rig;
    rig.link->ReadSensorAllDataSlots();
    rig.tick();
    rig.scannerParameters[0] = 4;
    QByteArray answer = rig.reply("RPara");
    answer[20] = char(answer[20] ^ 0x01);
    QSignalSpy received(rig.link.get(), &SERIAL_COMM::ReceiveParameters);
    rig.serial.feed(answer);
    QCOMPARE(received.count(), 0);
    QCOMPARE(rig.parameters, SensorParameters());
    QVERIFY(rig.link->receiveBuffer().isEmpty());
    QCOMPARE(rig.link->pendingCommand(), int(SERIAL_COMM::ReadParametersCommand));
    QVERIFY(rig.link->timeoutTimer().isActive());
}

void TestSerialLink::productShortBadCrcWaitsFor509()
{
    Rig rig;
    rig.link->SensorInformationSlots();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RPrda"));
    const QByteArray answer = buildRPrdaReply(ProductInfo{10, 105, 1, 2020, 1, 2}, true);
    rig.serial.feed(answer.left(19));
    rig.serial.feed(answer.mid(19, 480));
    QVERIFY(rig.shown.isEmpty());
    QCOMPARE(rig.link->receiveBuffer(), answer.left(499));
    rig.serial.feed(answer.mid(499));
    QCOMPARE(rig.shown.size(), 1);
    QVERIFY(rig.shown[0].text.contains(QStringLiteral("Firmware:  1.05")));
    QVERIFY(rig.link->receiveBuffer().isEmpty());
    QVERIFY(!rig.link->flag(SERIAL_COMM::ProductFlag));
}

void TestSerialLink::productMessage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("english, known product")
        << 0 << 10 << "Product Message"
        << "Product Name:  ZD-XXXX\nFirmware:  2.50\nSerialNumber:  1234.000000\nProduction:  2023 - 7 - 31";
    QTest::newRow("english, code 9 leaves the name empty")
        << 0 << 9 << "Product Message"
        << "Product Name:  \nFirmware:  2.50\nSerialNumber:  1234.000000\nProduction:  2023 - 7 - 31";
    QTest::newRow("chinese")
        << 1 << 10 << QStringLiteral("产品信息")
        << QStringLiteral("产品型号:  ZD-XXXX\n固件版本:  2.50\n串行编号:  1234.000000\n生产日期:  2023年7月31日");
}

void TestSerialLink::productMessage()
{
    QFETCH(int, language);
    QFETCH(int, code);
    QFETCH(QString, title);
    QFETCH(QString, text);
    Rig rig;
    languages.setLanguage(QString::fromLatin1(language == 1 ? LanguageSwitch::SourceLanguage
                                                            : LanguageSwitch::English));
    rig.link->SensorInformationSlots();
    rig.tick();
    rig.serial.feed(buildRPrdaReply(ProductInfo{quint16(code), 250, 1234, 2023, 7, 31}));
    QCOMPARE(rig.shown.size(), 1);
    QCOMPARE(rig.shown[0].title, title);
    QCOMPARE(rig.shown[0].text, text);
}

void TestSerialLink::bufferPast50000IsCleared()
{
    Rig rig;
    QByteArray noise(50000, 'n');
    rig.serial.feed(noise);
    QCOMPARE(rig.link->receiveBuffer().size(), 50000);
    rig.serial.feed("n");
    QVERIFY(rig.link->receiveBuffer().isEmpty());

    // A valid frame in the same read is decoded before the clear.
    rig.link->ReadSimulationTime();
    rig.tick();
    QSignalSpy ports(rig.link.get(), &SERIAL_COMM::IOPortSignals);
    rig.serial.feed(QByteArray(49990, 'n') + buildWSimuReply(0, 0, 0) + QByteArray(20, 'n'));
    QCOMPARE(ports.count(), 1);
    QVERIFY(rig.link->receiveBuffer().isEmpty());
}

void TestSerialLink::scanFlagWaitsForPendingReadParameters()
{
    Rig rig;
    rig.link->ReadSensorAllDataSlots();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RPara"));
    rig.link->ReadScanfTime();
    for (int i = 0; i < 5; ++i)
        QVERIFY(rig.tick().isEmpty());
    rig.serial.feed(rig.reply("RPara"));
    // The transfer still runs, so the scan waits on.
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RCase"));
    QVERIFY(rig.link->flag(SERIAL_COMM::ScanFlag));
}

void TestSerialLink::sendOrderFollowsFlagPriority()
{
    Rig rig;
    rig.link->ReadScanfTime();
    rig.link->ReadIntensityTime();
    rig.link->ReadSimulationTime();
    rig.link->SensorInformationSlots();
    rig.link->SensorRebootSlots();
    const QList<QByteArray> requests = rig.runToQuiet();
    QStringList order;
    for (const QByteArray &r : requests)
        order << QString::fromLatin1(mnemonicOf(r));
    // RPrda, RScan and RStre get no automatic answer here; answer them by hand.
    QCOMPARE(order, QStringList({"RBoot", "RPrda"}));
    rig.serial.feed(buildRPrdaReply(ProductInfo()));
    order.clear();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("WSimu"));
    rig.serial.feed(rig.reply("WSimu"));
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RScan"));
    rig.serial.feed(scanReply("RScan", 1, 1));
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RStre"));
    rig.serial.feed(scanReply("RStre", 1, 1));
    QVERIFY(rig.tick().isEmpty());
}

void TestSerialLink::fullReadAllSends66RequestsInOrder()
{
    Rig rig;
    QRandomGenerator rng(5);
    for (int i = 0; i < AreaCount; ++i) {
        AreaRecord &area = rig.scannerAreas[i];
        area.openDelay = rng.bounded(26);
        area.steerMinDgree = rng.bounded(-180, 181);
        area.out1Points = {QPoint(rng.bounded(-5000, 5000), rng.bounded(1, 5000))};
    }
    rig.scannerParameters[9] = 3;
    QSignalSpy notices(rig.link.get(), &SERIAL_COMM::NoticeSignal);
    QSignalSpy progress(rig.link.get(), &SERIAL_COMM::ProgressValueSignal);
    QSignalSpy shows(rig.link.get(), &SERIAL_COMM::ProgressShowSignal);
    rig.link->ReadSensorAllDataSlots();
    const QList<QByteArray> requests = rig.runToQuiet();
    QCOMPARE(requests.size(), 66);
    QCOMPARE(mnemonicOf(requests[0]), QByteArray("RPara"));
    QCOMPARE(mnemonicOf(requests[1]), QByteArray("RCase"));
    for (int i = 0; i < AreaCount; ++i) {
        QCOMPARE(mnemonicOf(requests[2 + i]), QByteArray("RArea"));
        QCOMPARE(int(quint8(requests[2 + i][5])), i);
        QCOMPARE(rig.model.area(i).openDelay, rig.scannerAreas[i].openDelay);
        QCOMPARE(rig.model.area(i).steerMinDgree, rig.scannerAreas[i].steerMinDgree);
        QCOMPARE(rig.model.area(i).out1Points, rig.scannerAreas[i].out1Points);
    }
    QCOMPARE(rig.parameters[9], 3u);
    QCOMPARE(notices.count(), 1);
    QCOMPARE(notices.at(0).at(0).toString(), QStringLiteral("Parameters"));
    QCOMPARE(notices.at(0).at(1).toString(), QStringLiteral("Parameters Read OK!"));
    QCOMPARE(progress.count(), 64);
    QCOMPARE(progress.last().at(0).toInt(), 64);
    QCOMPARE(shows.count(), 64);
    QCOMPARE(shows.at(0).at(0).toString(), QStringLiteral("Upload Data"));
    QVERIFY(rig.shown.isEmpty());
    QCOMPARE(rig.link->readAreaIndex(), 0);
    QVERIFY(!rig.link->flag(SERIAL_COMM::ReadAreasFlag));
}

void TestSerialLink::fullWriteAllAndRestartQuestion_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("answer");
    QTest::newRow("english, no") << 0 << 1;
    QTest::newRow("english, yes") << 0 << 0;
    QTest::newRow("chinese, yes") << 1 << 0;
}

void TestSerialLink::fullWriteAllAndRestartQuestion()
{
    QFETCH(int, language);
    QFETCH(int, answer);
    Rig rig;
    languages.setLanguage(QString::fromLatin1(language == 1 ? LanguageSwitch::SourceLanguage
                                                            : LanguageSwitch::English));
    for (int i = 0; i < AreaCount; ++i)
        changeArea(rig.model, i, [&](AreaRecord &area) { area.out1Points = {QPoint(i, 100)}; });
    changeArea(rig.model, 7, [&](AreaRecord &area) { area.vehicleMaxSpeed = -250; });
    rig.parameters[IpAddressLowWord] = 0x0242;
    rig.answers = {0, answer};
    QSignalSpy closes(rig.link.get(), &SERIAL_COMM::ProgressCloseSignal);
    rig.link->WriteSensorAllDataSlots();
    const QList<QByteArray> requests = rig.runToQuiet();
    QCOMPARE(requests.size(), answer == 0 ? 67 : 66);
    for (int i = 0; i < AreaCount; ++i) {
        QCOMPARE(mnemonicOf(requests[i]), QByteArray("WArea"));
        AreaRecord sent;
        QVERIFY(decodeArea(requests[i].constData(), sent, false));
        QCOMPARE(areaIndexOf(requests[i].constData()), i);
        QCOMPARE(sent.out1Points, rig.model.area(i).out1Points);
    }
    QCOMPARE(mnemonicOf(requests[64]), QByteArray("WCase"));
    QCOMPARE(readS16(requests[64].constData() + 5 + 70 + 6), -250);
    QCOMPARE(mnemonicOf(requests[65]), QByteArray("WPara"));
    QCOMPARE(readU16(requests[65].constData() + 49), 0x0242u);
    if (answer == 0)
        QCOMPARE(mnemonicOf(requests[66]), QByteArray("RBoot"));
    QVERIFY(closes.count() >= 1);

    const bool chinese = language == 1;
    QCOMPARE(rig.shown.size(), answer == 0 ? 3 : 2);
    QCOMPARE(rig.shown[0].title, chinese ? QStringLiteral("提示") : QStringLiteral("Message"));
    QCOMPARE(rig.shown[0].text, chinese ? QStringLiteral("参数写入完成，请重启生效！")
                                        : QStringLiteral("Parameters Write Complete.Please restart."));
    QCOMPARE(rig.shown[1].text, chinese ? QStringLiteral("是否重启传感器?") : QStringLiteral("Do you restart?"));
    QCOMPARE(rig.shown[1].buttons, chinese ? QStringList({QStringLiteral("确定"), QStringLiteral("取消")})
                                           : QStringList({"Yes", "No"}));
    QCOMPARE(rig.shown[1].defaultButton, 0);
    if (answer == 0)
        QCOMPARE(rig.shown[2].text, chinese ? QStringLiteral("传感器重新启动完成")
                                            : QStringLiteral("Sensor Reboot Complete"));
    QVERIFY(!rig.link->flag(SERIAL_COMM::WriteAreasFlag));
    QVERIFY(!rig.link->flag(SERIAL_COMM::WriteParametersFlag));
    QVERIFY(!rig.link->flag(SERIAL_COMM::RebootFlag));
}

void TestSerialLink::writeAreaStatus_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("nextArea");
    QTest::addColumn<QString>("message");
    QTest::newRow("accepted") << 0 << 11 << QString();
    QTest::newRow("setting error restarts at 0") << 1 << 0 << "Parameters Setting Error.Please restart.";
    QTest::newRow("flash error repeats the area") << 2 << 10 << "FLASH Write Error";
    QTest::newRow("unknown status repeats silently") << 3 << 10 << QString();
}

void TestSerialLink::writeAreaStatus()
{
    QFETCH(int, status);
    QFETCH(int, nextArea);
    QFETCH(QString, message);
    Rig rig;
    rig.link->WriteSensorAllDataSlots();
    for (int i = 0; i < 10; ++i) {
        const QByteArray request = rig.tick();
        rig.serial.feed(rig.reply(request));
    }
    QCOMPARE(rig.link->writeAreaIndex(), 10);
    const QByteArray request = rig.tick();
    QCOMPARE(areaIndexOf(request.constData()), 10);
    rig.serial.feed(rig.reply(request, quint8(status)));
    QCOMPARE(rig.shown.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(rig.shown[0].title, QStringLiteral("Message"));
        QCOMPARE(rig.shown[0].text, message);
    }
    const QByteArray next = rig.tick();
    QCOMPARE(mnemonicOf(next), QByteArray("WArea"));
    QCOMPARE(areaIndexOf(next.constData()), nextArea);
    QVERIFY(rig.link->flag(SERIAL_COMM::WriteAreasFlag));
}

void TestSerialLink::writeCaseAndParameterErrors_data()
{
    QTest::addColumn<QByteArray>("which");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("WCase 0") << QByteArray("WCase") << 0 << 0 << QString() << QString();
    QTest::newRow("WCase 1") << QByteArray("WCase") << 1 << 0 << "Message" << "Parameters Setting Error";
    QTest::newRow("WCase 2 chinese") << QByteArray("WCase") << 2 << 1 << QStringLiteral("错误")
                                     << QStringLiteral("内存写入错误");
    QTest::newRow("WPara 1 chinese") << QByteArray("WPara") << 1 << 1 << QStringLiteral("错误")
                                     << QStringLiteral("参数设置异常");
    QTest::newRow("WPara 2") << QByteArray("WPara") << 2 << 0 << "Message" << "FLASH Write Error";
    QTest::newRow("WPara 9") << QByteArray("WPara") << 9 << 0 << QString() << QString();
}

void TestSerialLink::writeCaseAndParameterErrors()
{
    QFETCH(QByteArray, which);
    QFETCH(int, status);
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, text);
    Rig rig;
    languages.setLanguage(QString::fromLatin1(language == 1 ? LanguageSwitch::SourceLanguage
                                                            : LanguageSwitch::English));
    QSignalSpy closes(rig.link.get(), &SERIAL_COMM::ProgressCloseSignal);
    rig.link->WriteSensorAllDataSlots();
    QByteArray request;
    for (int i = 0; i < 70; ++i) {
        request = rig.tick();
        if (mnemonicOf(request) == which)
            break;
        rig.serial.feed(rig.reply(request));
    }
    QCOMPARE(mnemonicOf(request), which);
    rig.serial.feed(rig.reply(request, quint8(status)));
    // A refused "WPara" ends the write-all with the note of what was not written.
    const int closing = which == "WPara" && status != 0 ? 1 : 0;
    QCOMPARE(rig.shown.size(), (title.isEmpty() ? 0 : 1) + closing);
    if (closing)
        QCOMPARE(rig.shown.last().text.left(9), language == 1 ? QStringLiteral("写入未全部完成，传")
                                                              : QStringLiteral("The write"));
    if (!title.isEmpty()) {
        QCOMPARE(rig.shown[0].title, title);
        QCOMPARE(rig.shown[0].text, text);
    }
    // The step is over whatever its status: the flag is cleared and nothing repeats.
    QVERIFY(!rig.link->flag(which == "WCase" ? SERIAL_COMM::WriteCaseFlag : SERIAL_COMM::WriteParametersFlag));
    if (which == "WCase") {
        QCOMPARE(mnemonicOf(rig.tick()), QByteArray("WPara"));
    } else {
        QVERIFY(rig.tick().isEmpty());
        QVERIFY(closes.count() >= 1);  // the write-all's progress does not stay on screen
    }
}

void TestSerialLink::writeAllWithOversizedFieldIsRefused_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("connectType");
    QTest::addColumn<QString>("text");
    QTest::newRow("english serial")
        << 0 << int(SerialInterface)
        << "Area 12 Out2 has 101 points; an output field can carry at most 100. Nothing was written to the sensor.";
    QTest::newRow("chinese ethernet")
        << 1 << int(EthernetInterface)
        << QStringLiteral("区域12 的 Out2 有 101 个点，一个输出区域最多只能写入 100 个点。未向传感器写入任何数据。");
}

void TestSerialLink::writeAllWithOversizedFieldIsRefused()
{
    QFETCH(int, language);
    QFETCH(int, connectType);
    QFETCH(QString, text);
    Rig rig(connectType);
    languages.setLanguage(QString::fromLatin1(language == 1 ? LanguageSwitch::SourceLanguage
                                                            : LanguageSwitch::English));
    changeArea(rig.model, 12, [&](AreaRecord &area) {
        area.out2Shape = Polygon;
        area.out2Points = polygonArea(101).out1Points;
    });
    changeArea(rig.model, 40, [&](AreaRecord &area) {
        area.out3Shape = Rectangle;
        area.out3Points = polygonArea(150).out1Points;
    });
    rig.link->WriteSensorAllDataSlots();
    QCOMPARE(rig.shown.size(), 1);
    QCOMPARE(rig.shown[0].text, text);
    QVERIFY(rig.device().written.isEmpty());  // not even the "RAuto" stop
    QVERIFY(!rig.link->flag(SERIAL_COMM::WriteAreasFlag));
    QVERIFY(!rig.link->flag(SERIAL_COMM::WriteCaseFlag));
    QVERIFY(!rig.link->flag(SERIAL_COMM::WriteParametersFlag));
    QVERIFY(rig.tick().isEmpty());
}

void TestSerialLink::writeAllWithPointOutOfRangeIsRefused_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    QTest::newRow("english")
        << 0 << "Area 30 Out3 has a point beyond what can be sent (coordinates up to 32767 mm). "
                "Nothing was written to the sensor.";
    QTest::newRow("chinese")
        << 1 << QStringLiteral("区域30 的 Out3 有超出传输范围的点（坐标最大 32767 mm）。未向传感器写入任何数据。");
}

void TestSerialLink::writeAllWithPointOutOfRangeIsRefused()
{
    QFETCH(int, language);
    QFETCH(QString, text);
    // A model 50 range reaches 60 m; on the wire a point 40 m ahead would turn into one
    // 25.5 m behind the scanner.
    Rig rig;
    languages.setLanguage(QString::fromLatin1(language == 1 ? LanguageSwitch::SourceLanguage
                                                            : LanguageSwitch::English));
    changeArea(rig.model, 30, [&](AreaRecord &area) {
        area.out3Shape = Polygon;
        area.out3Points = {QPoint(-500, 40000), QPoint(500, 40000)};
    });
    rig.link->WriteSensorAllDataSlots();
    QCOMPARE(rig.shown.size(), 1);
    QCOMPARE(rig.shown[0].text, text);
    QVERIFY(!rig.link->flag(SERIAL_COMM::WriteAreasFlag));
    QVERIFY(rig.tick().isEmpty());
    QVERIFY(rig.serial.written.isEmpty());
}

void TestSerialLink::fieldGrowingDuringWriteAllStopsIt()
{
    Rig rig;
    QSignalSpy closes(rig.link.get(), &SERIAL_COMM::ProgressCloseSignal);
    rig.link->WriteSensorAllDataSlots();
    for (int i = 0; i < 3; ++i)
        rig.serial.feed(rig.reply(rig.tick()));
    changeArea(rig.model, 5, [&](AreaRecord &area) {
        area.out1Points = polygonArea(120).out1Points;
    });
    rig.serial.feed(rig.reply(rig.tick()));
    rig.serial.feed(rig.reply(rig.tick()));
    QCOMPARE(rig.serial.written.size(), 5);
    QVERIFY(rig.tick().isEmpty());  // area 5 would not fit: nothing of it goes out
    QCOMPARE(rig.shown.size(), 1);
    QVERIFY(rig.shown[0].text.startsWith(QStringLiteral("Area 5 Out1 has 120 points")));
    QCOMPARE(closes.count(), 1);
    QVERIFY(rig.tick().isEmpty());
    QVERIFY(!rig.link->flag(SERIAL_COMM::WriteParametersFlag));
}

void TestSerialLink::readAreaIndexAbove63IsIgnored()
{
    // The answer to the last area names area 70: counted as a step it would end the
    // read-all with "read OK" and area 63 never read.
    Rig rig;
    rig.scannerAreas[63].openDelay = 5;
    QSignalSpy notices(rig.link.get(), &SERIAL_COMM::NoticeSignal);
    rig.link->ReadSensorAllDataSlots();
    for (int i = 0; i < 65; ++i)
        rig.serial.feed(rig.reply(rig.tick()));
    const QByteArray request = rig.tick();
    QCOMPARE(int(quint8(request[5])), 63);
    QByteArray answer = rig.reply(request);
    answer[5] = char(70);
    putCrc(answer.data(), AreaFrameLength - 2);
    rig.serial.feed(answer);
    QCOMPARE(rig.model.area(63).openDelay, 0);
    QCOMPARE(notices.count(), 0);
    QCOMPARE(rig.link->pendingCommand(), int(SERIAL_COMM::ReadAreaCommand));
    QVERIFY(rig.link->timeoutTimer().isActive());
    // The time-out asks for area 63 again, and its true answer ends the read-all.
    rig.link->ReadWriteOverTime();
    const QByteArray again = rig.tick();
    QCOMPARE(int(quint8(again[5])), 63);
    rig.serial.feed(rig.reply(again));
    QCOMPARE(rig.model.area(63).openDelay, 5);
    QCOMPARE(notices.count(), 1);
}

void TestSerialLink::cancelledTransferIgnoresLateAnswers_data()
{
    QTest::addColumn<bool>("writing");
    QTest::newRow("read-all") << false;
    QTest::newRow("write-all") << true;
}

void TestSerialLink::cancelledTransferIgnoresLateAnswers()
{
    QFETCH(bool, writing);
    Rig rig;
    QSignalSpy progress(rig.link.get(), &SERIAL_COMM::ProgressValueSignal);
    QSignalSpy closes(rig.link.get(), &SERIAL_COMM::ProgressCloseSignal);
    if (writing)
        rig.link->WriteSensorAllDataSlots();
    else
        rig.link->ReadSensorAllDataSlots();
    for (int i = 0; i < 5; ++i)
        rig.serial.feed(rig.reply(rig.tick()));
    const QByteArray pending = rig.tick();
    progress.clear();
    closes.clear();
    rig.link->CancelTransfer();
    QCOMPARE(closes.count(), 1);
    QCOMPARE(rig.texts(), QStringList{writing ? QStringLiteral(
        "The write was cancelled.\nThe sensor may now hold a partial configuration and must be "
        "written again before use.") : QStringLiteral(
        "The read was cancelled; areas and parameters not read yet may still hold their "
        "previous contents.")});
    QVERIFY(!rig.link->timeoutTimer().isActive());
    QVERIFY(rig.tick().isEmpty());

    // The answer still on its way, and a parameter acknowledgement, arrive while the
    // next request (the product information) waits for its own reply: they say
    // nothing (no write-all is running that could be reported complete) and do not
    // pass for that reply, so nothing else is sent before it comes or times out.
    rig.link->SensorInformationSlots();
    QVERIFY(!rig.tick().isEmpty());
    rig.serial.feed(rig.reply(pending) + buildAcknowledge(FrameId::WPara, 0));
    QCOMPARE(rig.shown.size(), 1);
    QCOMPARE(progress.count(), 0);
    QVERIFY(rig.link->timeoutTimer().isActive());
    QVERIFY(rig.tick().isEmpty());
    for (int f = 0; f < SERIAL_COMM::RequestFlagCount; ++f)
        QCOMPARE(rig.link->flag(SERIAL_COMM::RequestFlag(f)), f == SERIAL_COMM::ProductFlag);
}

void TestSerialLink::readAreaReplyWithOut2Count101()
{
    Rig rig;
    changeArea(rig.model, 3, [&](AreaRecord &area) { area.out2Points = {QPoint(9, 9)}; });
    AreaRecord sent;
    sent.out2Shape = Polygon;
    sent.out2Points = {QPoint(10, 10)};
    QByteArray answer = buildRAreaReply(sent, 3, false);
    writeU16(answer.data() + FieldBlockOffset + FieldBlockLength + 2, 101);
    putCrc(answer.data(), AreaFrameLength - 2);
    rig.serial.feed(answer);
    QVERIFY(rig.model.area(3).out2Points.isEmpty());
}

void TestSerialLink::rebootReply_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("english") << 0 << "Message" << "Sensor Reboot Complete";
    QTest::newRow("chinese") << 1 << QStringLiteral("提示") << QStringLiteral("传感器重新启动完成");
}

void TestSerialLink::rebootReply()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, text);
    Rig rig;
    languages.setLanguage(QString::fromLatin1(language == 1 ? LanguageSwitch::SourceLanguage
                                                            : LanguageSwitch::English));
    rig.link->SensorRebootSlots();
    QCOMPARE(rig.tick(), QByteArray("RBoot") + char(crc16("RBoot", 5) & 0xFF) + char(crc16("RBoot", 5) >> 8));
    rig.serial.feed(buildAcknowledge(FrameId::RBoot, 0x5A));
    QCOMPARE(rig.shown.size(), 1);
    QCOMPARE(rig.shown[0].title, title);
    QCOMPARE(rig.shown[0].text, text);
    QVERIFY(!rig.link->flag(SERIAL_COMM::RebootFlag));
    QVERIFY(rig.tick().isEmpty());
}

void TestSerialLink::threeTimeoutsThenReplyResetCount()
{
    Rig rig;
    rig.link->OpenSendReadSimulation();
    rig.link->ReadSimulationTime();
    for (int i = 1; i <= 3; ++i) {
        QCOMPARE(mnemonicOf(rig.tick()), QByteArray("WSimu"));
        rig.link->ReadWriteOverTime();
        QCOMPARE(rig.link->timeoutCount(), i);
        QCOMPARE(rig.link->pendingCommand(), 0);
    }
    QVERIFY(rig.shown.isEmpty());
    QVERIFY(rig.link->simulationTimer().isActive());
    rig.tick();
    rig.serial.feed(rig.reply("WSimu"));
    QCOMPARE(rig.link->timeoutCount(), 0);
    QVERIFY(!rig.link->timeoutTimer().isActive());
    rig.link->ReadSimulationTime();
    rig.tick();
    rig.link->ReadWriteOverTime();
    QCOMPARE(rig.link->timeoutCount(), 1);
    QVERIFY(rig.shown.isEmpty());
}

void TestSerialLink::fourthTimeoutWarnsOnceAndStopsAll_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("english") << 0 << "Warning" << "Connect OverTimer, Check Connect";
    QTest::newRow("chinese") << 1 << QStringLiteral("警告") << QStringLiteral("读写参数超时,请检查连接");
}

void TestSerialLink::fourthTimeoutWarnsOnceAndStopsAll()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, text);
    Rig rig;
    languages.setLanguage(QString::fromLatin1(language == 1 ? LanguageSwitch::SourceLanguage
                                                            : LanguageSwitch::English));
    QSignalSpy closes(rig.link.get(), &SERIAL_COMM::ProgressCloseSignal);
    rig.link->OpenSendReadScanf();
    rig.link->OpenSendReadIntensity();
    rig.link->OpenSendReadSimulation();
    rig.link->ReadSensorAllDataSlots();
    rig.link->WriteSensorAllDataSlots();
    rig.link->ReadScanfTime();
    for (int i = 0; i < 4; ++i) {
        QVERIFY(!rig.tick().isEmpty());
        rig.link->ReadWriteOverTime();
    }
    QCOMPARE(rig.shown.size(), 1);
    QCOMPARE(rig.shown[0].icon, MessageIcon::Warning);
    QCOMPARE(rig.shown[0].title, title);
    QCOMPARE(rig.shown[0].text, text);
    QCOMPARE(rig.link->timeoutCount(), 0);
    for (int f = 0; f < SERIAL_COMM::RequestFlagCount; ++f)
        QVERIFY(!rig.link->flag(SERIAL_COMM::RequestFlag(f)));
    QVERIFY(!rig.link->scanTimer().isActive());
    QVERIFY(!rig.link->intensityTimer().isActive());
    QVERIFY(!rig.link->simulationTimer().isActive());
    QVERIFY(!rig.link->timeoutTimer().isActive());
    QVERIFY(rig.link->sendTimer().isActive());
    QVERIFY(closes.count() >= 1);
    QVERIFY(rig.tick().isEmpty());
}

void TestSerialLink::timeoutInReadAllRetriesTheSameArea()
{
    Rig rig;
    QSignalSpy closes(rig.link.get(), &SERIAL_COMM::ProgressCloseSignal);
    rig.link->ReadSensorAllDataSlots();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RPara"));
    rig.link->ReadWriteOverTime();
    // Nothing of the read-all is given up: the parameters are asked for again and all
    // areas follow.
    QVERIFY(rig.link->flag(SERIAL_COMM::ReadAreasFlag));
    QStringList order;
    for (const QByteArray &r : rig.runToQuiet())
        order << QString::fromLatin1(mnemonicOf(r));
    QCOMPARE(order.size(), 66);
    QCOMPARE(order.mid(0, 2), QStringList({"RPara", "RCase"}));
    QCOMPARE(order.count(QStringLiteral("RArea")), 64);
    QCOMPARE(rig.texts(), QStringList());

    // A time-out in the middle of the area loop asks for the same area again.
    Rig second;
    second.link->ReadSensorAllDataSlots();
    for (int i = 0; i < 6; ++i)
        second.serial.feed(second.reply(second.tick()));
    QCOMPARE(second.link->readAreaIndex(), 4);
    const QByteArray lost = second.tick();
    QCOMPARE(areaIndexOf(lost.constData()), 4);
    QSignalSpy secondCloses(second.link.get(), &SERIAL_COMM::ProgressCloseSignal);
    second.link->ReadWriteOverTime();
    QCOMPARE(second.link->readAreaIndex(), 4);
    QCOMPARE(secondCloses.count(), 0);
    const QByteArray retry = second.tick();
    QCOMPARE(mnemonicOf(retry), QByteArray("RArea"));
    QCOMPARE(areaIndexOf(retry.constData()), 4);

    // The first request's answer arrives late, then the retry's: the loop moves on by
    // one area only, and the repeated answer is not taken as the reply to area 5.
    second.serial.feed(second.reply(lost));
    QCOMPARE(second.link->readAreaIndex(), 5);
    const QByteArray next = second.tick();
    QCOMPARE(areaIndexOf(next.constData()), 5);
    second.serial.feed(second.reply(retry));
    QCOMPARE(second.link->readAreaIndex(), 5);
    QCOMPARE(second.link->pendingCommand(), int(SERIAL_COMM::ReadAreaCommand));
    second.serial.feed(second.reply(next));
    QCOMPARE(second.link->readAreaIndex(), 6);
}

void TestSerialLink::staleAreaReplyDoesNotSkipAnArea()
{
    // The answer to an area asked for twice in an earlier read-all arrives once the
    // next read-all has begun: it is not the area asked for now and must not move the
    // loop on, or that area would never be read and the read-all would still end "OK".
    Rig rig;
    for (int i = 0; i < AreaCount; ++i)
        rig.scannerAreas[i].out1Points = {QPoint(i + 1, 500)};
    changeArea(rig.model, 0, [&](AreaRecord &area) { area.out1Points = {QPoint(-7, -7)}; });
    rig.link->ReadSensorAllDataSlots();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RPara"));
    rig.serial.feed(buildRAreaReply(rig.scannerAreas[63], 63, false));
    QCOMPARE(rig.link->readAreaIndex(), 0);
    QCOMPARE(rig.link->pendingCommand(), int(SERIAL_COMM::ReadParametersCommand));
    rig.serial.feed(rig.reply("RPara"));
    QList<int> asked;
    for (const QByteArray &request : rig.runToQuiet()) {
        if (mnemonicOf(request) == "RArea")
            asked << areaIndexOf(request.constData());
    }
    QCOMPARE(asked.size(), AreaCount);
    QCOMPARE(asked.first(), 0);
    QCOMPARE(rig.model.area(0).out1Points, rig.scannerAreas[0].out1Points);
}

void TestSerialLink::timeoutInWriteAllRestartsAtAreaZero()
{
    Rig rig;
    rig.link->WriteSensorAllDataSlots();
    for (int i = 0; i < 20; ++i)
        rig.serial.feed(rig.reply(rig.tick()));
    const QByteArray lost = rig.tick();
    QCOMPARE(areaIndexOf(lost.constData()), 20);
    rig.link->ReadWriteOverTime();
    const QByteArray again = rig.tick();
    QCOMPARE(mnemonicOf(again), QByteArray("WArea"));
    QCOMPARE(areaIndexOf(again.constData()), 0);
    rig.serial.feed(rig.reply(again));
    const QList<QByteArray> rest = rig.runToQuiet();
    QCOMPARE(rest.size(), 63 + 2 + 1);  // areas 1..63, WCase, WPara, RBoot (first button)
}

void TestSerialLink::ethernetTimeoutAfterPollingStops()
{
    Rig rig(EthernetInterface);
    rig.link->OpenSendReadScanf();
    QCOMPARE(rig.link->scanTimer().interval(), 1000);
    rig.link->ReadScanfTime();
    QCOMPARE(rig.tick().left(6), QByteArray("RAuto\x01", 6));
    rig.link->CloseSendReadScanf();
    QVERIFY(rig.link->timeoutTimer().isActive());
    for (int i = 0; i < 3; ++i)
        rig.link->ReadWriteOverTime();
    QVERIFY(rig.shown.isEmpty());
    rig.link->ReadWriteOverTime();
    QCOMPARE(rig.shown.size(), 1);
    QCOMPARE(rig.shown[0].text, QStringLiteral("Connect OverTimer, Check Connect"));
}

void TestSerialLink::failedWritesEndInTimeouts()
{
    Rig rig;
    rig.serial.failWrites = true;
    rig.link->ReadSensorAllDataSlots();
    for (int i = 0; i < 4; ++i) {
        rig.tick();
        QCOMPARE(rig.link->pendingCommand(), int(SERIAL_COMM::ReadParametersCommand));
        rig.link->ReadWriteOverTime();
    }
    QCOMPARE(rig.shown.size(), 1);
    QVERIFY(rig.serial.written.isEmpty());
    QVERIFY(!rig.link->flag(SERIAL_COMM::ReadParametersFlag));
}

void TestSerialLink::invertedMountFromParameters_data()
{
    QTest::addColumn<bool>("inverted");
    QTest::newRow("forward") << false;
    QTest::newRow("inverted") << true;
}

void TestSerialLink::invertedMountFromParameters()
{
    QFETCH(bool, inverted);
    Rig rig;
    QSignalSpy direction(rig.link.get(), &SERIAL_COMM::DirChangeSignals);
    QSignalSpy received(rig.link.get(), &SERIAL_COMM::ReceiveParameters);
    rig.scannerParameters[InstallDirectionWord] = inverted ? 1 : 0;
    rig.scannerParameters[23] = 777;
    rig.link->ReadSensorAllDataSlots();
    rig.serial.feed(rig.reply(rig.tick()));
    QCOMPARE(rig.data.invertedMount, inverted);
    QCOMPARE(direction.count(), 1);
    QCOMPARE(direction.at(0).at(0).toBool(), inverted);
    QCOMPARE(received.count(), 1);
    QCOMPARE(rig.parameters[23], 777u);

    // Areas now travel with x negated (inverted) or as they are, both ways.
    rig.link->ClearCommandFlags();
    changeArea(rig.model, 0, [&](AreaRecord &area) { area.out1Points = {QPoint(100, 50)}; });
    rig.link->WriteSensorAllDataSlots();
    const QByteArray sent = rig.tick();
    QCOMPARE(readS16(sent.constData() + VertexRegionOffset), qint16(inverted ? -100 : 100));
    QCOMPARE(readS16(sent.constData() + VertexRegionOffset + 2), qint16(50));
    QCOMPARE(rig.model.area(0).out1Points, QVector<QPoint>{QPoint(100, 50)});
    rig.link->ClearCommandFlags();
    AreaRecord wire;
    wire.out1Points = {QPoint(-100, 50)};
    rig.serial.feed(buildRAreaReply(wire, 1, false));  // outside a read-all
    QCOMPARE(rig.model.area(1).out1Points, QVector<QPoint>{QPoint(inverted ? 100 : -100, 50)});
}

void TestSerialLink::serialScanStorage_data()
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

void TestSerialLink::serialScanStorage()
{
    QFETCH(bool, inverted);
    QFETCH(int, model);
    QFETCH(int, first);
    QFETCH(int, firstSlot);
    QFETCH(int, stored);
    Rig rig;
    rig.data.invertedMount = inverted;
    rig.link->SetRangeLimit(model);
    QSignalSpy scans(rig.link.get(), &SERIAL_COMM::ReceiveScanfData);
    QSignalSpy intensities(rig.link.get(), &SERIAL_COMM::ReceiveIntensityData);
    rig.link->ReadScanfTime();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RScan"));
    rig.serial.feed(scanReply("RScan", quint16(first), 6500));
    QCOMPARE(scans.count(), 1);
    QCOMPARE(int(rig.data.scanDistances[firstSlot]), stored);
    QCOMPARE(int(rig.data.scanDistances[539 - firstSlot]), qMin(6500, rig.link->rangeLimit()));
    QVERIFY(!rig.link->flag(SERIAL_COMM::ScanFlag));
    QVERIFY(!rig.link->timeoutTimer().isActive());

    rig.link->ReadIntensityTime();
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RStre"));
    rig.serial.feed(scanReply("RStre", quint16(first), 6500));
    QCOMPARE(intensities.count(), 1);
    QCOMPARE(int(rig.data.scanIntensities[firstSlot]), stored);
    QCOMPARE(rig.link->pendingCommand(), 0);
}

void TestSerialLink::scanOnEthernetIsNotDecoded()
{
    Rig rig(EthernetInterface);
    QSignalSpy scans(rig.link.get(), &SERIAL_COMM::ReceiveScanfData);
    const QByteArray answer = scanReply("RScan", 100, 100) + scanReply("RStre", 5, 5);
    rig.tcp.feed(answer);
    QCOMPARE(scans.count(), 0);
    QCOMPARE(rig.data.scanDistances, QVector<quint16>(540, 0));
    QCOMPARE(rig.link->receiveBuffer(), answer);
}

void TestSerialLink::intensityOnEthernet()
{
    Rig rig(EthernetInterface);
    rig.link->OpenSendReadIntensity();
    QVERIFY(!rig.link->intensityTimer().isActive());
    rig.link->ReadIntensityTime();
    QVERIFY(rig.tick().isEmpty());
    QVERIFY(!rig.link->flag(SERIAL_COMM::IntensityFlag));
    QVERIFY(rig.tcp.written.isEmpty());

    Rig serialRig;
    serialRig.link->OpenSendReadIntensity();
    QVERIFY(serialRig.link->intensityTimer().isActive());
    QCOMPARE(serialRig.link->intensityTimer().interval(), 50);
}

void TestSerialLink::ethernetScanPolling()
{
    Rig rig(EthernetInterface, UdpMode);
    rig.link->ReadScanfTime();
    const QByteArray frame = rig.tick();
    QCOMPARE(frame.left(6), QByteArray("RAuto\x01", 6));
    QVERIFY(checkCrc(frame.constData(), 6));
    QVERIFY(!rig.link->flag(SERIAL_COMM::ScanFlag));
    QCOMPARE(rig.link->pendingCommand(), 0);
    QVERIFY(rig.link->timeoutTimer().isActive());
    rig.link->ReadScanfTime();
    QCOMPARE(rig.tick().left(6), QByteArray("RAuto\x01", 6));
    QCOMPARE(rig.udp.written.size(), 2);
}

void TestSerialLink::readAllOnEthernetStopsAutoScanFirst()
{
    Rig rig(EthernetInterface);
    rig.link->ReadSensorAllDataSlots();
    QCOMPARE(rig.tcp.written.size(), 1);
    QCOMPARE(rig.tcp.written[0].left(6), QByteArray("RAuto\0", 6));
    QCOMPARE(mnemonicOf(rig.tick()), QByteArray("RPara"));
    // With a request outstanding no "RAuto" goes out.
    rig.link->WriteSensorAllDataSlots();
    QCOMPARE(rig.tcp.written.size(), 2);
}

void TestSerialLink::cloudFullScan()
{
    Rig rig(EthernetInterface);
    rig.link->SetRangeLimit(0);
    QSignalSpy scans(rig.link.get(), &SERIAL_COMM::ReceiveScanfData);
    QSignalSpy intensities(rig.link.get(), &SERIAL_COMM::ReceiveIntensityData);
    QVector<CloudPoint> points(2700, CloudPoint{1000, 9000});
    const QByteArray packet = buildCloudPacket(45, 315, points);
    rig.tcp.feed(packet.left(7));
    rig.tcp.feed(packet.mid(7, 5000));
    QCOMPARE(scans.count(), 0);
    rig.tcp.feed(packet.mid(5007));
    QCOMPARE(scans.count(), 1);
    QCOMPARE(intensities.count(), 1);
    QCOMPARE(rig.data.cloudCount, 2700);
    QCOMPARE(rig.data.cloudIndex, 0);
    // Bearings 0.1 degree apart from 90 - 45 - 0.1 = 44.9 degrees downward.
    for (int k : {0, 1000, 2699}) {
        const float degrees = 90.0f - 45.0f - float(k + 1) * 0.1f;
        const float b = degrees * 0.017453292f;
        QVERIFY(qAbs(rig.data.cloudDistX[k] - 1000.0 * std::cos(b)) <= 2.0);
        QVERIFY(qAbs(rig.data.cloudDistY[k] - 1000.0 * std::sin(b)) <= 2.0);
        // The intensity was clamped to the 6000 mm limit of model 05.
        QVERIFY(qAbs(rig.data.cloudIntensityX[k] - 6000.0 * std::cos(b)) <= 6.0);
    }
    QCOMPARE(rig.data.cloudDistX[2700], 0);
    QCOMPARE(rig.link->pendingCommand(), 0);
    QVERIFY(!rig.link->timeoutTimer().isActive());
}

// A scanner pushes its sectors faster than one read each: coalesced reads must not
// pile up in the buffer until its limit throws whole scans away.
void TestSerialLink::cloudPacketsArrivingTwoPerReadAreAllDecoded()
{
    Rig rig(EthernetInterface);
    QSignalSpy scans(rig.link.get(), &SERIAL_COMM::ReceiveScanfData);
    constexpr int Scans = 20;
    constexpr int SectorDegrees = 10;  // 27 sectors of 100 points from 45 to 315 degrees
    QList<QByteArray> sectors;
    for (int scan = 0; scan < Scans; ++scan) {
        for (int start = 45; start < 315; start += SectorDegrees)
            sectors.append(cloudPacket(start, start + SectorDegrees, 100, quint16(1000 + scan)));
    }
    for (int i = 0; i + 1 < sectors.size(); i += 2) {
        rig.tcp.feed(sectors.at(i) + sectors.at(i + 1));
        QVERIFY(rig.link->receiveBuffer().isEmpty());
    }
    QCOMPARE(scans.count(), Scans);
    QCOMPARE(rig.data.cloudCount, 2700);
    // The last scan's last point, at bearing 315 (scene angle -225 degrees).
    QVERIFY(qAbs(rig.data.cloudDistX[2699] + 1019 * 0.7071) <= 2);
}

void TestSerialLink::cloudSpanAcrossZero()
{
    Rig rig(EthernetInterface);
    QSignalSpy scans(rig.link.get(), &SERIAL_COMM::ReceiveScanfData);
    // S = 300, E = 30: span 90; N = 90 gives slot (90 * 24 / 90) * 255 / 24 = 255.
    rig.tcp.feed(cloudPacket(300, 30, 90, 2000));
    QCOMPARE(scans.count(), 0);
    QCOMPARE(rig.data.cloudIndex, 255 + 90);
    const float b = (90.0f - 300.0f - 1.0f) * 0.017453292f;
    QVERIFY(qAbs(rig.data.cloudDistX[255] - 2000.0 * std::cos(b)) <= 2.0);
    QVERIFY(qAbs(rig.data.cloudDistY[255] - 2000.0 * std::sin(b)) <= 2.0);
    QCOMPARE(rig.data.cloudDistX[254], 0);
}

void TestSerialLink::cloudInvertedBearings()
{
    Rig rig(EthernetInterface);
    rig.data.invertedMount = true;
    rig.tcp.feed(cloudPacket(45, 135, 90, 3000));
    // Bearing (k + 1) * 1 + (45 - 270) degrees: k = 0 at -224 degrees.
    const float b = (1.0f - 225.0f) * 0.017453292f;
    QVERIFY(qAbs(rig.data.cloudDistX[0] - 3000.0 * std::cos(b)) <= 3.0);
    QVERIFY(qAbs(rig.data.cloudDistY[0] - 3000.0 * std::sin(b)) <= 3.0);
}

void TestSerialLink::cloudPacketsThatDoNotFitAreDropped_data()
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

void TestSerialLink::cloudPacketsThatDoNotFitAreDropped()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, count);
    Rig rig(EthernetInterface);
    rig.data.cloudIndex = 17;
    rig.data.cloudCount = 5;
    QSignalSpy scans(rig.link.get(), &SERIAL_COMM::ReceiveScanfData);
    const QByteArray packet = cloudPacket(start, end, count);
    rig.tcp.feed(packet);
    QCOMPARE(rig.data.cloudDistX, QVector<qint32>(CloudCapacity, 0));
    QCOMPARE(rig.data.cloudIntensityY, QVector<qint32>(CloudCapacity, 0));
    QCOMPARE(rig.data.cloudDistX.size(), CloudCapacity);
    QCOMPARE(rig.data.cloudIndex, 17);
    QCOMPARE(rig.data.cloudCount, 5);
    QCOMPARE(scans.count(), 0);
    QVERIFY(rig.link->receiveBuffer().isEmpty());  // consumed, not left to block others
    rig.tcp.feed(cloudPacket(45, 315, 10));
    QCOMPARE(scans.count(), 1);
    QCOMPARE(rig.data.cloudCount, 10);
}

void TestSerialLink::cloudHugeCountDoesNotWedgeStream()
{
    Rig rig(EthernetInterface);
    QSignalSpy scans(rig.link.get(), &SERIAL_COMM::ReceiveScanfData);
    QByteArray bogus("Cloud\0\0\x2d\x01\x3b\xff\xf0", 12);
    rig.tcp.feed(bogus + cloudPacket(45, 315, 50));
    QCOMPARE(scans.count(), 1);
    QCOMPARE(rig.data.cloudCount, 50);
}

void TestSerialLink::simulationReplyEmitsPorts()
{
    Rig rig;
    rig.model.simulation.inputSimulationOn = 1;
    rig.model.simulation.simulatedInputs = 9;
    QSignalSpy ports(rig.link.get(), &SERIAL_COMM::IOPortSignals);
    rig.link->ReadSimulationTime();
    const QByteArray request = rig.tick();
    QCOMPARE(mnemonicOf(request), QByteArray("WSimu"));
    QCOMPARE(int(request[5]), 1);
    QCOMPARE(int(request[6]), 9);
    rig.serial.feed(buildWSimuReply(0x85, 0x03, 0x0021));
    QCOMPARE(ports.count(), 1);
    QCOMPARE(ports.at(0).at(0).toUInt(), 0xFFFFFF85u);
    QCOMPARE(ports.at(0).at(1).toUInt(), 3u);
    QCOMPARE(ports.at(0).at(2).toUInt(), 0x21u);
    QVERIFY(!rig.link->flag(SERIAL_COMM::SimulationFlag));
}

void TestSerialLink::noSendingWhileMessageShown()
{
    Rig rig;
    QList<int> writesDuringBox;
    rig.link->WriteSensorAllDataSlots();
    QByteArray request = rig.tick();
    rig.duringMessage = [&](const UserMessage &) {
        // Ticks and polls keep coming while the box waits for the user.
        rig.link->ReadSimulationTime();
        rig.link->ReadScanfTime();
        for (int i = 0; i < 10; ++i)
            rig.link->SerialPortSendData();
        writesDuringBox << rig.serial.written.size();
    };
    rig.serial.feed(rig.reply(request, 2));  // "FLASH Write Error"
    QCOMPARE(rig.shown.size(), 1);
    QCOMPARE(writesDuringBox, QList<int>{1});
    rig.duringMessage = nullptr;
    // After the box is closed, writing resumes with the same area.
    const QByteArray again = rig.tick();
    QCOMPARE(mnemonicOf(again), QByteArray("WArea"));
    QCOMPARE(areaIndexOf(again.constData()), 0);
}

void TestSerialLink::receiveReenteredDuringMessage()
{
    Rig rig;
    QSignalSpy received(rig.link.get(), &SERIAL_COMM::ReceiveParameters);
    QSignalSpy ports(rig.link.get(), &SERIAL_COMM::IOPortSignals);
    rig.scannerParameters[1] = 4;
    int nested = 0;
    rig.duringMessage = [&](const UserMessage &) {
        if (nested++ > 0)
            return;
        // More bytes arrive while the box is open: a frame another decoder of the
        // outer pass would look at next, a simulation reply and noise.
        rig.serial.feed(QByteArray("junk") + rig.reply("RPara") + buildWSimuReply(1, 0, 0));
    };
    rig.link->SensorRebootSlots();
    rig.tick();
    rig.serial.feed(buildAcknowledge(FrameId::RBoot, 0));
    QCOMPARE(rig.shown.size(), 1);
    QCOMPARE(received.count(), 1);
    QCOMPARE(ports.count(), 1);
    QCOMPARE(rig.parameters[1], 4u);
    QCOMPARE(rig.link->receiveBuffer(), QByteArray("junk"));
    QCOMPARE(rig.link->pendingCommand(), 0);
}

void TestSerialLink::closeAndClear()
{
    Rig rig(EthernetInterface);
    QSignalSpy closes(rig.link.get(), &SERIAL_COMM::ProgressCloseSignal);
    rig.tcp.feed(cloudPacket(45, 90, 20) + "rest");
    QCOMPARE(rig.data.cloudIndex, 20);
    rig.data.scanDistances[3] = 77;
    rig.link->WriteSensorAllDataSlots();
    rig.tcp.feed(rig.reply(rig.tick()));
    rig.tick();
    QCOMPARE(rig.link->writeAreaIndex(), 1);
    rig.link->StopOverTimer();
    rig.link->ClearCommandFlags();
    rig.link->CloseSerialPortSlots();
    QVERIFY(!rig.link->timeoutTimer().isActive());
    QCOMPARE(rig.link->pendingCommand(), 0);
    QCOMPARE(rig.link->writeAreaIndex(), 0);
    QCOMPARE(closes.count(), 1);
    for (int f = 0; f < SERIAL_COMM::RequestFlagCount; ++f)
        QVERIFY(!rig.link->flag(SERIAL_COMM::RequestFlag(f)));
    QVERIFY(rig.link->receiveBuffer().isEmpty());
    QCOMPARE(rig.data.cloudIndex, 0);
    QCOMPARE(rig.data.cloudCount, 0);
    QCOMPARE(rig.data.cloudDistX, QVector<qint32>(CloudCapacity, 0));
    QCOMPARE(int(rig.data.scanDistances[3]), 77);
    // A later write-all starts from area 0.
    rig.link->WriteSensorAllDataSlots();
    QCOMPARE(areaIndexOf(rig.tick().constData()), 0);
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
