#include "emulatorprocess.h"
#include "linkrig.h"
#include "randomareas.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace veltrix;
using veltrix::testing::LinkRig;

// A write-all followed by a read-all of 64 areas whose three fields carry 100
// vertices each (every area frame full), between the program's link and the running
// emulator. The write-all reads the scanner back before it is complete, so 66 requests
// go out three times; the link sends one request per 20 ms tick and waits for its
// reply, so they cannot take less than 3 x 66 x 20 ms = 3.96 s. Each transfer counts
// as finished when its result comes, whatever language the program speaks.
class BenchEmulatorTransfer : public QObject
{
    Q_OBJECT

private slots:
    void writeAllReadAll_data();
    void writeAllReadAll();
};

void BenchEmulatorTransfer::writeAllReadAll_data()
{
    QTest::addColumn<QString>("transport");
    QTest::newRow("tcp") << "tcp";
    QTest::newRow("udp") << "udp";
    QTest::newRow("serial") << "serial";
}

void BenchEmulatorTransfer::writeAllReadAll()
{
    QFETCH(QString, transport);
    constexpr int Requests = 3 * (AreaCount + 2);
    constexpr qint64 FloorMs = Requests * SERIAL_COMM::SendInterval;

    // Loopback only (the default): the benchmark needs no network and offers none.
    EmulatorProcess emulator({});
    QVERIFY(emulator.start());
    LinkRig rig;
    if (transport == QLatin1String("tcp"))
        QVERIFY(rig.connectTcp(QStringLiteral("127.0.0.1")));
    else if (transport == QLatin1String("udp"))
        QVERIFY(rig.connectUdp(QStringLiteral("127.0.0.1")));
    else
        QVERIFY(rig.openSerial(emulator.serialDevice()));

    ScannerConfiguration sent;
    sent.areas = randomareas::areas(7, 5400, true);
    qint64 elapsed = 0;
    QBENCHMARK_ONCE {
        QElapsedTimer clock;
        clock.start();
        QVERIFY(rig.writeAll(sent));
        QVERIFY(rig.readAll());
        elapsed = clock.elapsed();
    }
    for (int i = 0; i < AreaCount; ++i)
        QVERIFY(rig.lastRead().areas.at(i) == randomareas::throughTheWire(sent.areas.at(i), i));
    qInfo("%s: %lld ms for %d requests, floor %lld ms, %.1f%% above it", qPrintable(transport), elapsed,
          Requests, FloorMs, 100.0 * double(elapsed - FloorMs) / double(FloorMs));
}

QTEST_GUILESS_MAIN(BenchEmulatorTransfer)
#include "bench_emulatortransfer.moc"
