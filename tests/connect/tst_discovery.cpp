#include "emulatorprocess.h"
#include "waituntil.h"

#include "core/connect/discoveryreply.h"
#include "core/connect/scannerdiscovery.h"

#include <QPointer>
#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace veltrix;

// The discovery against real emulators inside the test's network namespace, where this
// machine has the two local networks' addresses 10.77.0.1 and 10.77.0.2.
class TestDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void modeOfReply_data();
    void modeOfReply();
    void scannersListedOnceEachWithItsOwnMode();
    void newSearchStartsEmptyAndFreesTheOldSockets();
    void busyLocalPortIsPassedOver();
};

void TestDiscovery::modeOfReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("mode");
    QTest::newRow("reply with TCP") << QByteArray("HTTP/1.1 200 OK\r\nST: x\r\nMODE: TCP\r\n\r\n")
                                    << QByteArray("MODE: TCP");
    QTest::newRow("UDP and more bytes") << QByteArray("MODE: UDPX and more") << QByteArray("MODE: UDP");
    QTest::newRow("no blank") << QByteArray("MODE:UDP\r\n") << QByteArray();
    QTest::newRow("lower case") << QByteArray("mode: tcp\r\n") << QByteArray();
    QTest::newRow("cut at the end") << QByteArray("xx MODE: UD") << QByteArray();
    QTest::newRow("NUL inside") << QByteArray("MODE: T\0CP", 10) << QByteArray();
    QTest::newRow("first marker counts") << QByteArray("MODE: ABC MODE: TCP") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestDiscovery::modeOfReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, mode);
    // The datagram is copied to a buffer of its own size (a QByteArray would have a NUL
    // after its end), so that a read past its end is a read outside (and shows under
    // the sanitizers).
    const std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(reply.size())]);
    std::copy(reply.cbegin(), reply.cend(), buffer.get());
    QCOMPARE(EthernetModeOfReply(QByteArray::fromRawData(buffer.get(), reply.size())), mode);
}

void TestDiscovery::scannersListedOnceEachWithItsOwnMode()
{
    EmulatorProcess tcpScanner({"--address", "10.77.0.2"});
    EmulatorProcess udpScanner({"--address", "10.77.0.1", "--ethernet-mode", "udp"});
    QVERIFY(tcpScanner.start());
    QVERIFY(udpScanner.start());

    ScannerDiscovery discovery;
    QSignalSpy found(&discovery, &ScannerDiscovery::scannerFound);
    discovery.start();
    // One socket per local network, each search sent twice (the network's broadcast and
    // the limited broadcast) and answered by both scanners: several replies from each.
    QCOMPARE(discovery.sockets().size(), 2);
    QVERIFY(testing::waitUntil([&] { return discovery.addresses().size() == 2; }, 5000));
    QTest::qWait(300);  // the later replies
    QStringList order;
    for (const QList<QVariant> &arguments : std::as_const(found))
        order << arguments.at(0).toString();
    QCOMPARE(order, discovery.addresses());
    QCOMPARE(QSet<QString>(order.begin(), order.end()),
             (QSet<QString>{QStringLiteral("10.77.0.1"), QStringLiteral("10.77.0.2")}));
    QCOMPARE(discovery.modeOf(QStringLiteral("10.77.0.2")), QStringLiteral("MODE: TCP"));
    QCOMPARE(discovery.modeOf(QStringLiteral("10.77.0.1")), QStringLiteral("MODE: UDP"));
}

void TestDiscovery::newSearchStartsEmptyAndFreesTheOldSockets()
{
    EmulatorProcess scanner({"--address", "10.77.0.2"});
    QVERIFY(scanner.start());
    ScannerDiscovery discovery;
    discovery.start();
    QVERIFY(testing::waitUntil([&] { return !discovery.addresses().isEmpty(); }, 5000));
    QList<QPointer<QUdpSocket>> first;
    for (QUdpSocket *socket : discovery.sockets())
        first << socket;
    QCOMPARE(first.size(), 2);

    QSignalSpy started(&discovery, &ScannerDiscovery::searchStarted);
    discovery.start();
    QCOMPARE(started.size(), 1);
    QVERIFY(discovery.addresses().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const QPointer<QUdpSocket> &socket : first)
        QVERIFY(socket.isNull());
    QCOMPARE(discovery.findChildren<QUdpSocket *>().size(), 2);
    QVERIFY(testing::waitUntil([&] { return discovery.addresses() == QStringList{"10.77.0.2"}; }, 5000));

    discovery.DelteclientSocket();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(discovery.findChildren<QUdpSocket *>().isEmpty());
    // What was found stays known, for the connection that follows.
    QCOMPARE(discovery.modeOf(QStringLiteral("10.77.0.2")), QStringLiteral("MODE: TCP"));
}

void TestDiscovery::busyLocalPortIsPassedOver()
{
    // Another program holds the first local port on both networks. (Ports of their
    // own: other tests' windows search from the usual ones at the same time.)
    constexpr quint16 FirstPort = 51000;
    QUdpSocket holders[2];
    const QHostAddress local[2] = {QHostAddress(QStringLiteral("10.77.0.1")),
                                   QHostAddress(QStringLiteral("10.77.0.2"))};
    for (int i = 0; i < 2; ++i)
        QVERIFY(holders[i].bind(local[i], FirstPort));
    EmulatorProcess scanner({"--address", "10.77.0.2"});
    QVERIFY(scanner.start());

    ScannerDiscovery discovery;
    discovery.setFirstLocalPort(FirstPort);
    discovery.start();
    // Every network still has its socket, none of them on the busy port, and no
    // socket that failed to bind is left behind.
    QCOMPARE(discovery.sockets().size(), 2);
    QCOMPARE(discovery.findChildren<QUdpSocket *>().size(), 2);
    for (QUdpSocket *socket : discovery.sockets()) {
        QCOMPARE(socket->state(), QAbstractSocket::BoundState);
        QVERIFY(socket->localPort() > FirstPort);
    }
    QVERIFY(testing::waitUntil([&] { return discovery.addresses() == QStringList{"10.77.0.2"}; }, 5000));
}

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
