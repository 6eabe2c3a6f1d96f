#include "emulatorprocess.h"

#include "core/link/framebuilders.h"

#include <QNetworkDatagram>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

using namespace veltrix;

namespace {

// The search request exactly as the program sends it; the vendor namespace inside
// the device URN is the program's choice, so any will do.
QByteArray searchRequest(const QByteArray &target)
{
    return "M-SEARCH * HTTP/1.1\r\n"
           "HOST: 239.255.255.250:1900\r\n"
           "MAN: \"ssdp:discover\"\r\n"
           "MX: 1\r\n"
           "ST: " + target + "\r\n";
}

const QByteArray KT10 = "urn:example-vendor:device:KT-10:1.0";

struct Reply
{
    QHostAddress sender;
    QByteArray data;
};

// Sends each request from 10.77.0.1 (the program's side of the veth pair) to
// destination port 1900 and gathers what comes back until quietMs pass without more
// (firstMs before the first reply).
QList<Reply> discover(const QList<QByteArray> &requests, const QHostAddress &destination, int quietMs = 300,
                      int firstMs = 3000)
{
    QUdpSocket socket;
    if (!socket.bind(QHostAddress(QStringLiteral("10.77.0.1")), 50000))
        return {};
    for (const QByteArray &request : requests)
        socket.writeDatagram(request, destination, 1900);
    QList<Reply> replies;
    while (socket.waitForReadyRead(replies.isEmpty() ? firstMs : quietMs)) {
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = socket.receiveDatagram();
            replies.append(Reply{datagram.senderAddress(), datagram.data()});
        }
    }
    return replies;
}

QByteArray modeOf(const QByteArray &reply)
{
    const int at = reply.indexOf("MODE:");
    return at < 0 ? QByteArray() : reply.mid(at, 9);
}

}  // namespace

class TestEmulatorDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void searchIsAnsweredWithTheMode_data();
    void searchIsAnsweredWithTheMode();
    void loopbackByDefault();
    void searchesOnOtherInterfacesAreIgnored();
    void otherDatagramsAreIgnored();
    void modeFollowsTheWrittenParameters();
    void repliesComeFromTheChosenAddress();
    void udpRepliesComeFromTheAddressAsked_data();
    void udpRepliesComeFromTheAddressAsked();
};

void TestEmulatorDiscovery::searchIsAnsweredWithTheMode_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QByteArray>("mode");
    const QStringList served{"--address", "10.77.0.2"};
    QTest::newRow("broadcast, TCP") << served << "10.77.0.255" << QByteArray("MODE: TCP");
    QTest::newRow("direct, TCP") << served << "10.77.0.2" << QByteArray("MODE: TCP");
    QTest::newRow("broadcast, UDP") << served + QStringList{"--ethernet-mode", "udp"} << "10.77.0.255"
                                    << QByteArray("MODE: UDP");
}

void TestEmulatorDiscovery::searchIsAnsweredWithTheMode()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, destination);
    QFETCH(QByteArray, mode);
    EmulatorProcess emulator(arguments);
    QVERIFY(emulator.start());
    const QList<Reply> replies = discover({searchRequest(KT10)}, QHostAddress(destination));
    QVERIFY(!replies.isEmpty());
    for (const Reply &reply : replies) {
        QCOMPARE(modeOf(reply.data), mode);
        QVERIFY(reply.data.contains("ST: " + KT10 + "\r\n"));
        QCOMPARE(reply.sender, QHostAddress(QStringLiteral("10.77.0.2")));
    }
    QVERIFY(emulator.output().contains("Discovery: UDP port 1900 on scan1 (10.77.0.2)\n"));
}

void TestEmulatorDiscovery::loopbackByDefault()
{
    // Started without an address it is out of reach of every network: searches go
    // unanswered and nothing connects from outside loopback.
    EmulatorProcess emulator({});
    QVERIFY(emulator.start());
    QVERIFY(emulator.output().contains("TCP: 127.0.0.1:8080\nUDP: 127.0.0.1:8080\n"));
    QVERIFY(emulator.output().contains("Discovery: not answered"));
    for (const char *destination : {"10.77.0.255", "10.77.0.2", "127.0.0.1"}) {
        QVERIFY2(discover({searchRequest(KT10)}, QHostAddress(QLatin1String(destination)), 300, 500).isEmpty(),
                 destination);
    }
    QTcpSocket outside;
    outside.connectToHost(QStringLiteral("10.77.0.2"), 8080);
    QVERIFY(!outside.waitForConnected(1000));
    QTcpSocket local;
    local.connectToHost(QStringLiteral("127.0.0.1"), 8080);
    QVERIFY(local.waitForConnected(3000));
}

void TestEmulatorDiscovery::searchesOnOtherInterfacesAreIgnored()
{
    // Serving 10.77.0.2 (scan1), a search sent to the other interface's address is not
    // for this scanner.
    EmulatorProcess emulator({"--address", "10.77.0.2"});
    QVERIFY(emulator.start());
    QVERIFY(discover({searchRequest(KT10)}, QHostAddress(QStringLiteral("10.77.0.1")), 300, 500).isEmpty());
    QVERIFY(!discover({searchRequest(KT10)}, QHostAddress(QStringLiteral("10.77.0.2"))).isEmpty());
}

void TestEmulatorDiscovery::otherDatagramsAreIgnored()
{
    EmulatorProcess emulator({"--address", "10.77.0.2"});
    QVERIFY(emulator.start());
    const QByteArray otherDevice = "urn:example-vendor:device:KT-20:1.0";
    QByteArray notify = searchRequest(KT10);
    notify.replace("M-SEARCH", "NOTIFY");
    // Only the last of these is a search for this device; every reply names its target.
    const QList<Reply> replies = discover({searchRequest(otherDevice), notify, "RPara\x12\x34",
                                           searchRequest("uuid:1234:device:KT-10:1.0"), searchRequest(KT10)},
                                          QHostAddress(QStringLiteral("10.77.0.2")));
    QCOMPARE(replies.size(), 1);
    QVERIFY(replies.first().data.contains("ST: " + KT10 + "\r\n"));
}

void TestEmulatorDiscovery::modeFollowsTheWrittenParameters()
{
    EmulatorProcess emulator({"--address", "10.77.0.2"});
    QVERIFY(emulator.start());
    QList<Reply> replies = discover({searchRequest(KT10)}, QHostAddress(QStringLiteral("10.77.0.2")));
    QVERIFY(!replies.isEmpty());
    QCOMPARE(modeOf(replies.first().data), QByteArray("MODE: TCP"));

    // Word 16 written as 1 switches the scanner to UDP mode.
    SensorParameters parameters;
    parameters[16] = 1;
    FrameBuffer buffer;
    const QByteArray write(buffer.data(), buildWPara(buffer, parameters));
    QTcpSocket tcp;
    tcp.connectToHost(QStringLiteral("10.77.0.2"), 8080);
    QVERIFY(tcp.waitForConnected(3000));
    tcp.write(write);
    QByteArray ack;
    QVERIFY(QTest::qWaitFor([&] { ack += tcp.readAll(); return ack.size() >= AcknowledgeLength; }, 3000));
    QCOMPARE(ack, buildAcknowledge(FrameId::WPara, 0));

    replies = discover({searchRequest(KT10)}, QHostAddress(QStringLiteral("10.77.0.255")));
    QVERIFY(!replies.isEmpty());
    QCOMPARE(modeOf(replies.first().data), QByteArray("MODE: UDP"));
}

void TestEmulatorDiscovery::repliesComeFromTheChosenAddress()
{
    EmulatorProcess emulator({"--address", "10.77.0.2"});
    QVERIFY(emulator.start());
    const QList<Reply> replies = discover({searchRequest(KT10)}, QHostAddress(QStringLiteral("10.77.0.255")));
    QVERIFY(!replies.isEmpty());
    for (const Reply &reply : replies)
        QCOMPARE(reply.sender, QHostAddress(QStringLiteral("10.77.0.2")));
}

void TestEmulatorDiscovery::udpRepliesComeFromTheAddressAsked_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("10.77.0.1 to 10.77.0.2") << "10.77.0.1" << "10.77.0.2";
    QTest::newRow("10.77.0.2 to 10.77.0.1") << "10.77.0.2" << "10.77.0.1";
    QTest::newRow("loopback") << "127.0.0.1" << "127.0.0.1";
}

void TestEmulatorDiscovery::udpRepliesComeFromTheAddressAsked()
{
    // The program's UDP socket is connected to the scanner's address and takes only
    // datagrams from there; a reply from another address of the same machine is lost.
    QFETCH(QString, from);
    QFETCH(QString, to);
    EmulatorProcess emulator({"--address", to});
    QVERIFY(emulator.start());
    QUdpSocket socket;
    QVERIFY(socket.bind(QHostAddress(from), 0));
    FrameBuffer buffer;
    socket.writeDatagram(buffer.data(), buildRPara(buffer), QHostAddress(to), 8080);
    QVERIFY(socket.waitForReadyRead(3000));
    const QNetworkDatagram reply = socket.receiveDatagram();
    QCOMPARE(reply.data().size(), ParameterFrameLength);
    QCOMPARE(reply.senderAddress(), QHostAddress(to));
    QCOMPARE(reply.senderPort(), 8080);
}

QTEST_GUILESS_MAIN(TestEmulatorDiscovery)
#include "tst_emulatordiscovery.moc"
