// The link engine without a window: a program of the core library alone connects to a
// scanner, writes a whole configuration (every area
// frame full) and reboots the scanner, reads it back, and closes, driving nothing but
// ScannerConnection, SERIAL_COMM and its transactions, as a command line would.

#ifdef QT_WIDGETS_LIB
#error "this program must be built without the widgets"
#endif

#include "randomareas.h"
#include "waituntil.h"

#include "emulatedscanner.h"
#include "emulatorserver.h"

#include "core/connect/scannerconnection.h"
#include "core/link/readalltransaction.h"
#include "core/link/serialcomm.h"
#include "core/link/writealltransaction.h"

#include <QSignalSpy>
#include <QtTest>

using namespace veltrix;
using veltrix::testing::waitUntil;

namespace {

// Runs one transaction to its end and answers its questions as a command line would:
// goes on after a refused area, and restarts the scanner once everything is written.
TransactionResult run(SERIAL_COMM &link, std::unique_ptr<LinkTransaction> owned)
{
    TransactionResult result;
    bool ended = false;
    LinkTransaction *transaction = owned.get();
    QObject::connect(transaction, &LinkTransaction::asks, transaction,
                     [transaction](const TransactionQuestion &) { transaction->answer(0); });
    QObject::connect(transaction, &LinkTransaction::finished, [&](const TransactionResult &r) {
        result = r;
        ended = true;
    });
    link.startTransaction(std::move(owned));
    if (!waitUntil([&] { return ended; }, 20000))
        result.outcome = TransactionOutcome::TimedOut;
    return result;
}

}  // namespace

class TestEngineAlone : public QObject
{
    Q_OBJECT

private slots:
    void writeReadAndReboot();
};

// Over TCP (the three transports of ScannerConnection are driven by the emulator tests'
// shared link rig).
void TestEngineAlone::writeReadAndReboot()
{
    EmulatorOptions options;
    options.address = QHostAddress(QStringLiteral("127.0.0.6"));
    EmulatorServer server(options);
    QString error;
    QVERIFY2(server.start(&error), qPrintable(error));
    QSignalSpy rebooted(server.scanner(), &EmulatedScanner::rebooted);

    SERIAL_COMM link;
    ScannerConnection connection(&link);
    QSignalSpy opened(&connection, &ScannerConnection::opened);
    connection.openEthernet(QStringLiteral("127.0.0.6"), TcpMode);
    QVERIFY(opened.wait(3000));
    QCOMPARE(link.device(), static_cast<QIODevice *>(connection.tcpSocket()));

    ScannerConfiguration sent;
    sent.areas = randomareas::areas(77, 5400, true);
    sent.parameters = randomareas::parameters(77);
    const TransactionResult written = run(link, std::make_unique<WriteAllTransaction>(sent));
    QCOMPARE(written.outcome, TransactionOutcome::Complete);
    QVERIFY(written.rebooted);
    QCOMPARE(rebooted.count(), 1);

    const TransactionResult read = run(link, std::make_unique<ReadAllTransaction>());
    QCOMPARE(read.outcome, TransactionOutcome::Complete);
    for (int i = 0; i < AreaCount; ++i)
        QCOMPARE(read.configuration.areas.at(i), randomareas::throughTheWire(sent.areas.at(i), i));
    for (int word = 0; word < WrittenParameterCount; ++word)
        QCOMPARE(read.configuration.parameters[word], sent.parameters[word]);

    QSignalSpy closed(&connection, &ScannerConnection::closed);
    connection.close();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!link.device());
    QVERIFY(!link.simulationTimer().isActive());
}

QTEST_GUILESS_MAIN(TestEngineAlone)
#include "tst_enginealone.moc"
