#include "emulatedscanner.h"
#include "scannersession.h"

#include "core/link/crc16.h"
#include "core/link/framebuilders.h"

#include <QSignalSpy>
#include <QtTest>
#include <utility>

using namespace veltrix;

namespace {

QByteArray plain(int (*builder)(FrameBuffer &))
{
    FrameBuffer buffer;
    return QByteArray(buffer.data(), builder(buffer));
}

QByteArray autoScan(bool start)
{
    FrameBuffer buffer;
    return QByteArray(buffer.data(), buildRAuto(buffer, start));
}

// Everything a session transmits, piece by piece.
struct Capture
{
    explicit Capture(ScannerSession &session)
    {
        QObject::connect(&session, &ScannerSession::transmit,
                         [this](const QByteArray &bytes) { pieces.append(bytes); });
    }
    QByteArray all() const { return pieces.join(); }
    QList<QByteArray> pieces;
};

QList<QByteArray> mnemonicsOf(const QByteArray &stream)
{
    QList<QByteArray> found;
    int at = 0;
    while (at + MnemonicLength <= stream.size()) {
        const FrameInfo *info = frameInfoFor(stream.constData() + at, stream.size() - at);
        if (!info) {
            ++at;
            continue;
        }
        found.append(stream.mid(at, MnemonicLength));
        at += info->id == FrameId::RPara ? ParameterFrameLength : info->replyLength;
    }
    return found;
}

}  // namespace

class TestScannerSession : public QObject
{
    Q_OBJECT

private slots:
    void requestsAreFoundInTheStream_data();
    void requestsAreFoundInTheStream();
    void replyFaults_data();
    void replyFaults();
    void sameSeedRepeatsTheFaults();
    void delayedRepliesKeepTheirOrder();
    void closesAfterFrames_data();
    void closesAfterFrames();
    void cloudStreamRunsUntilStopped();
};

void TestScannerSession::requestsAreFoundInTheStream_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("replies");

    const QByteArray para = plain(buildRPara);
    const QByteArray boot = plain(buildRBoot);
    QByteArray spoilt = para;
    spoilt[6] = static_cast<char>(spoilt[6] ^ 1);

    QList<QByteArray> bytewise;
    for (char c : para)
        bytewise.append(QByteArray(1, c));

    QTest::newRow("whole") << QList<QByteArray>{para} << QList<QByteArray>{"RPara"};
    QTest::newRow("byte by byte") << bytewise << QList<QByteArray>{"RPara"};
    QTest::newRow("two in one chunk") << QList<QByteArray>{para + boot}
                                      << QList<QByteArray>{"RPara", "RBoot"};
    QTest::newRow("noise before") << QList<QByteArray>{QByteArray("\x01zz\xffWA") + boot}
                                  << QList<QByteArray>{"RBoot"};
    QTest::newRow("mnemonic split") << QList<QByteArray>{"xxRPa", para.mid(3)}
                                    << QList<QByteArray>{"RPara"};
    QTest::newRow("bad checksum ignored") << QList<QByteArray>{spoilt, boot}
                                          << QList<QByteArray>{"RBoot"};
    QTest::newRow("incomplete waits") << QList<QByteArray>{para.left(6)} << QList<QByteArray>{};
}

void TestScannerSession::requestsAreFoundInTheStream()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, replies);
    EmulatedScanner scanner;
    ScannerSession session(&scanner, DeliveryFaults(), 1);
    Capture capture(session);
    for (const QByteArray &chunk : chunks)
        session.receive(chunk);
    QCOMPARE(mnemonicsOf(capture.all()), replies);
    QCOMPARE(session.framesHandled(), replies.size());
}

void TestScannerSession::replyFaults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("drop") << "drop" << plain(buildRPara);
    QTest::newRow("corrupt") << "corrupt" << plain(buildRPara);
    QTest::newRow("corrupt without checksum") << "corrupt" << plain(buildRScan);
    QTest::newRow("split") << "split" << plain(buildRPara);
    QTest::newRow("noise") << "noise" << plain(buildRPara);
}

void TestScannerSession::replyFaults()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, request);
    ScannerConfig config;
    config.objectSpeed = 0;
    EmulatedScanner scanner(config);
    const QByteArray clean = scanner.handle(request).reply;

    DeliveryFaults faults;
    if (fault == QLatin1String("drop"))
        faults.dropFraction = 1;
    else if (fault == QLatin1String("corrupt"))
        faults.corruptFraction = 1;
    else if (fault == QLatin1String("split"))
        faults.splitMaxBytes = 5;
    else
        faults.noiseFraction = 1;
    ScannerSession session(&scanner, faults, 9);
    Capture capture(session);
    for (int round = 0; round < 20; ++round)
        session.receive(request);
    QCOMPARE(session.framesHandled(), 20);

    if (fault == QLatin1String("drop")) {
        QVERIFY(capture.pieces.isEmpty());
    } else if (fault == QLatin1String("corrupt")) {
        QCOMPARE(capture.pieces.size(), 20);
        for (const QByteArray &piece : std::as_const(capture.pieces)) {
            QCOMPARE(piece.size(), clean.size());
            QCOMPARE(piece.left(clean.size() - CrcLength), clean.left(clean.size() - CrcLength));
            // Only a reply that carries a checksum can be spoilt.
            QCOMPARE(piece == clean, request.startsWith("RScan"));
        }
    } else if (fault == QLatin1String("split")) {
        QVERIFY(capture.pieces.size() >= 20 * clean.size() / 5);
        for (const QByteArray &piece : std::as_const(capture.pieces))
            QVERIFY(piece.size() >= 1 && piece.size() <= 5);
        QCOMPARE(capture.all(), clean.repeated(20));
    } else {
        QCOMPARE(capture.pieces.size(), 20);
        for (const QByteArray &piece : std::as_const(capture.pieces)) {
            QVERIFY(piece.endsWith(clean));
            const int noise = piece.size() - clean.size();
            QVERIFY(noise >= 1 && noise <= FaultInjector::MaxNoiseBytes);
        }
    }
}

void TestScannerSession::sameSeedRepeatsTheFaults()
{
    DeliveryFaults faults;
    faults.dropFraction = 0.3;
    faults.corruptFraction = 0.3;
    faults.noiseFraction = 0.5;
    faults.splitMaxBytes = 4;
    EmulatedScanner scanner;
    auto run = [&](quint64 seed) {
        ScannerSession session(&scanner, faults, seed);
        Capture capture(session);
        for (int i = 0; i < 50; ++i)
            session.receive(plain(buildRPara));
        return capture.pieces;
    };
    const QList<QByteArray> first = run(42);
    QCOMPARE(run(42), first);
    QVERIFY(run(43) != first);
    // With these fractions some replies arrive whole and correct, and some do not.
    const QByteArray clean = scanner.handle(plain(buildRPara)).reply;
    const QByteArray stream = first.join();
    QVERIFY(stream.count(clean) > 0);
    QVERIFY(stream.count(clean) < 50);
}

void TestScannerSession::delayedRepliesKeepTheirOrder()
{
    DeliveryFaults faults;
    faults.delayMinMs = 30;
    faults.delayMaxMs = 30;
    EmulatedScanner scanner;
    ScannerSession session(&scanner, faults, 1);
    Capture capture(session);
    session.receive(plain(buildRPara) + plain(buildRBoot));
    QCOMPARE(session.pendingOutput(), 2);
    session.deliverDue();  // not due yet
    QVERIFY(capture.pieces.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(capture.pieces.size(), 2, 2000);
    QCOMPARE(mnemonicsOf(capture.all()), (QList<QByteArray>{"RPara", "RBoot"}));
}

void TestScannerSession::closesAfterFrames_data()
{
    QTest::addColumn<bool>("closable");
    QTest::newRow("TCP connection") << true;
    QTest::newRow("UDP or serial") << false;
}

void TestScannerSession::closesAfterFrames()
{
    QFETCH(bool, closable);
    DeliveryFaults faults;
    faults.closeAfterFrames = 3;
    EmulatedScanner scanner;
    ScannerSession session(&scanner, faults, 1);
    session.setClosable(closable);
    QSignalSpy closing(&session, &ScannerSession::closeRequested);
    Capture capture(session);
    for (int i = 0; i < 5; ++i)
        session.receive(plain(buildRPara));
    QCOMPARE(closing.count(), closable ? 1 : 0);
    QCOMPARE(session.framesHandled(), closable ? 3 : 5);
    QCOMPARE(mnemonicsOf(capture.all()).size(), closable ? 3 : 5);
}

void TestScannerSession::cloudStreamRunsUntilStopped()
{
    EmulatedScanner scanner;
    ScannerSession session(&scanner, DeliveryFaults(), 1);
    Capture capture(session);
    auto startOf = [&](int piece) { return decodeCloudHeader(capture.pieces.at(piece).constData()).startBearing; };

    session.receive(autoScan(true));
    QVERIFY(session.cloudRunning());
    QVERIFY(capture.pieces.isEmpty());  // "RAuto" itself has no reply
    for (int i = 0; i < 11; ++i)
        session.pushCloudSector();
    QCOMPARE(capture.pieces.size(), 11);
    for (int i = 0; i < 9; ++i)
        QCOMPARE(startOf(i), 45 + 30 * i);
    QCOMPARE(decodeCloudHeader(capture.pieces.at(8).constData()).endBearing, 315);
    QCOMPARE(startOf(9), 45);   // the next scan
    QCOMPARE(startOf(10), 75);

    // A second start keeps the running scan; a reboot begins a fresh one.
    session.receive(autoScan(true));
    session.pushCloudSector();
    QCOMPARE(startOf(11), 105);
    session.receive(plain(buildRBoot));
    QCOMPARE(capture.pieces.at(12).left(MnemonicLength), QByteArray("RBoot"));
    session.pushCloudSector();
    QCOMPARE(startOf(13), 45);

    session.receive(autoScan(false));
    QVERIFY(!session.cloudRunning());
}

QTEST_GUILESS_MAIN(TestScannerSession)
#include "tst_scannersession.moc"
