// Proof that the scanner holds the document, against the scanner in this process: a
// write-all ends by reading the scanner back and is complete only when what came back
// is identical; a verification finds exactly what was changed in the scanner's store,
// also over a line whose spoilt replies had to be asked for again; and the
// configuration checksum of a project file, of the document opened from it and of the
// scanner written with it is one number, which one moved vertex changes.

#include "linkrig.h"
#include "randomareas.h"

#include "core/link/configurationchecksum.h"
#include "core/link/configurationdifferencetext.h"
#include "core/link/configurationtravel.h"
#include "core/link/transfertexts.h"
#include "core/link/verifytransaction.h"
#include "core/project/project.h"
#include "core/project/projectstorage.h"

#include <QDate>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace veltrix;
using veltrix::testing::LinkRig;

using StoreEdit = std::function<void(EmulatedScanner &)>;
Q_DECLARE_METATYPE(StoreEdit)
Q_DECLARE_METATYPE(ConfigurationDifference)
Q_DECLARE_METATYPE(DeliveryFaults)

namespace {

constexpr int Reach = 5400;
constexpr int EditedArea = 3;

// Random areas and settings, with a known polygon as Out1 of EditedArea.
ScannerConfiguration document(bool inverted = false)
{
    ScannerConfiguration c;
    c.areas = randomareas::areas(26, Reach);
    c.parameters = randomareas::parameters(26);
    c.parameters[InstallDirectionWord] = inverted ? 1 : 0;
    AreaRecord &edited = c.areas[EditedArea];
    edited.out1Shape = Polygon;
    edited.out1Points = {QPoint(-1200, 300), QPoint(-900, 2000), QPoint(400, 2600), QPoint(1500, 900)};
    return c;
}

// Runs the transaction started on the rig to its end, answering each spoilt or lost
// reply with the time-out that asks again; the number of time-outs it took.
int runToEnd(LinkRig &rig)
{
    int timeouts = 0;
    for (int step = 0; step < 2000 && rig.link.transaction(); ++step) {
        if (rig.exchange().isEmpty() && rig.link.transaction()) {
            rig.link.ReadWriteOverTime();
            ++timeouts;
        }
    }
    return timeouts;
}

ConfigurationDifference difference(DifferenceKind kind, int area, int field, int item, qint64 document,
                                   qint64 scanner)
{
    ConfigurationDifference d{kind, area, field, item, {}, {}};
    d.document.present = d.scanner.present = true;
    d.document.number = document;
    d.scanner.number = scanner;
    return d;
}

ConfigurationDifference vertexDifference(int area, int field, int item, QPoint document, QPoint scanner)
{
    ConfigurationDifference d{DifferenceKind::Vertex, area, field, item, {}, {}};
    d.document.present = d.scanner.present = true;
    d.document.point = document;
    d.scanner.point = scanner;
    return d;
}

}  // namespace

class TestVerification : public QObject
{
    Q_OBJECT

private slots:
    void writeEndsReadBackIdentical_data();
    void writeEndsReadBackIdentical();
    void verifyFindsExactlyTheChange_data();
    void verifyFindsExactlyTheChange();
    void readBackThatDiffersFailsTheWrite();
    void whatCameBackTravelsUnchanged();
    void oneChecksumFromFileToScanner();
};

void TestVerification::writeEndsReadBackIdentical_data()
{
    QTest::addColumn<int>("connectType");
    QTest::addColumn<bool>("scannerInverted");
    QTest::addColumn<bool>("documentInverted");
    QTest::newRow("serial") << int(SerialInterface) << false << false;
    QTest::newRow("Ethernet, mounted upside down") << int(EthernetInterface) << true << true;
    // The write turns the scanner round: its areas must travel the way it will hang.
    QTest::newRow("document turns the scanner over") << int(SerialInterface) << false << true;
    QTest::newRow("document turns the scanner back") << int(EthernetInterface) << true << false;
}

void TestVerification::writeEndsReadBackIdentical()
{
    QFETCH(int, connectType);
    QFETCH(bool, scannerInverted);
    QFETCH(bool, documentInverted);
    ScannerConfig config;
    config.inverted = scannerInverted;
    LinkRig rig(config, connectType);
    rig.link.SetInvertedMount(scannerInverted);  // as the read-all after connecting left it
    const ScannerConfiguration sent = document(documentInverted);
    rig.link.SetConfigurationSource([sent] { return sent; });

    rig.link.WriteSensorAllDataSlots();
    runToEnd(rig);
    QCOMPARE(rig.results.size(), 1);
    const TransactionResult written = rig.lastResult();
    QCOMPARE(written.outcome, TransactionOutcome::Complete);
    QVERIFY(written.verified);
    QVERIFY(written.differences.isEmpty());
    QCOMPARE(rig.questions.size(), 1);
    QVERIFY(rig.questions[0].verified);
    QCOMPARE(configurationChecksum(written.configuration), configurationChecksum(sent));

    rig.link.VerifySensorAllDataSlots();
    runToEnd(rig);
    QCOMPARE(rig.lastResult().kind, TransactionKind::Verify);
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Complete);
    QVERIFY(rig.lastResult().differences.isEmpty());
    QCOMPARE(rig.link.configuration().invertedMount, documentInverted);
}

void TestVerification::verifyFindsExactlyTheChange_data()
{
    QTest::addColumn<StoreEdit>("edit");
    QTest::addColumn<ConfigurationDifference>("expected");
    QTest::addColumn<DeliveryFaults>("faults");
    const ScannerConfiguration sent = document();
    const QPoint vertex = randomareas::throughTheWire(sent.areas[EditedArea], EditedArea).out1Points[2];
    const QPoint moved = vertex + QPoint(0, 40);
    const qint32 delay = sent.areas[9].openDelay;
    DeliveryFaults spoiling;
    spoiling.corruptFraction = 0.25;
    spoiling.dropFraction = 0.05;
    for (const bool faulty : {false, true}) {
        const DeliveryFaults faults = faulty ? spoiling : DeliveryFaults();
        const char *line = faulty ? ", replies spoilt and asked again" : "";
        QTest::addRow("vertex moved%s", line) << StoreEdit([moved](EmulatedScanner &scanner) {
            AreaRecord area = scanner.area(EditedArea);
            area.out1Points[2] = moved;
            scanner.setArea(EditedArea, area);
        }) << vertexDifference(EditedArea, 0, 2, vertex, moved) << faults;
        QTest::addRow("open delay%s", line) << StoreEdit([delay](EmulatedScanner &scanner) {
            AreaRecord area = scanner.area(9);
            area.openDelay = delay + 1;
            scanner.setArea(9, area);
        }) << difference(DifferenceKind::Switching, 9, -1, 0, delay, delay + 1) << faults;
        QTest::addRow("scan frequency%s", line) << StoreEdit([](EmulatedScanner &scanner) {
            SensorParameters parameters = scanner.parameters();
            parameters[ScanFrequencyWord] ^= 1;
            scanner.setParameters(parameters);
        }) << difference(DifferenceKind::Parameter, -1, -1, ScanFrequencyWord, sent.parameters[ScanFrequencyWord],
                         sent.parameters[ScanFrequencyWord] ^ 1) << faults;
    }
}

void TestVerification::verifyFindsExactlyTheChange()
{
    QFETCH(StoreEdit, edit);
    QFETCH(ConfigurationDifference, expected);
    QFETCH(DeliveryFaults, faults);
    LinkRig rig(ScannerConfig(), SerialInterface, TcpMode, faults);
    const ScannerConfiguration sent = document();
    QString error;
    QVERIFY2(rig.scanner.preload(sent.areas, sent.parameters, &error), qPrintable(error));
    edit(rig.scanner);

    rig.link.startTransaction(std::make_unique<VerifyTransaction>(sent));
    const int timeouts = runToEnd(rig);
    QCOMPARE(timeouts > 0, faults.shapesReplies());
    QCOMPARE(rig.results.size(), 1);
    const TransactionResult result = rig.lastResult();
    QCOMPARE(result.outcome, TransactionOutcome::Differs);
    QCOMPARE(result.differences.size(), 1);
    const ConfigurationDifference &found = result.differences.first();
    QCOMPARE(found.kind, expected.kind);
    QCOMPARE(found.area, expected.area);
    QCOMPARE(found.field, expected.field);
    QCOMPARE(found.item, expected.item);
    QCOMPARE(found.document, expected.document);
    QCOMPARE(found.scanner, expected.scanner);
    // A verification never asks anything and says nothing of its own: the list is it.
    QVERIFY(rig.questions.isEmpty());
    QVERIFY(transfertexts::resultMessages(result).isEmpty());
}

// The scanner stores something else than it acknowledged (a flash cell that does not
// keep its bits): the write fails, and no restart into it is offered.
void TestVerification::readBackThatDiffersFailsTheWrite()
{
    LinkRig rig;
    const ScannerConfiguration sent = document();
    rig.link.startTransaction(std::make_unique<WriteAllTransaction>(sent));
    auto *writing = qobject_cast<WriteAllTransaction *>(rig.link.transaction());
    while (!writing->isReadingBack())
        rig.exchange();
    AreaRecord stored = rig.scanner.area(40);
    stored.closeDelay += 2;
    rig.scanner.setArea(40, stored);
    runToEnd(rig);

    const TransactionResult result = rig.lastResult();
    QCOMPARE(result.outcome, TransactionOutcome::Differs);
    QCOMPARE(result.differences.size(), 1);
    QCOMPARE(result.differences[0].area, 40);
    QVERIFY(rig.questions.isEmpty());
    const QList<UserMessage> messages = transfertexts::resultMessages(result);
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].text.startsWith(transfertexts::writeDiffersText(1)));
}

// A configuration read from a scanner travels again exactly as it came: otherwise a
// scanner holding precisely what was written would show differences (arcs whose two
// points a neighbouring radius rebuilt differently used to move by a millimetre).
void TestVerification::whatCameBackTravelsUnchanged()
{
    for (quint32 seed = 1; seed <= 40; ++seed) {
        for (const bool inverted : {false, true}) {
            ScannerConfiguration c;
            c.areas = randomareas::areas(seed, Reach, seed % 2);
            c.parameters[InstallDirectionWord] = inverted ? 1 : 0;
            const ScannerConfiguration cameBack = afterTravel(c).configuration;
            const QVector<ConfigurationDifference> differences = compareConfigurations(c, cameBack);
            if (!differences.isEmpty())
                QFAIL(qPrintable(QStringLiteral("seed %1, %2: %3").arg(seed).arg(inverted ? "inverted" : "forward",
                                                                             ConfigurationDifferenceText::line(differences[0]))));
        }
    }
}

void TestVerification::oneChecksumFromFileToScanner()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("plant.KT05"));
    Project source;
    source.applyConfiguration(document());
    QVERIFY(SaveProjectFile(source, path, QDate(2024, 5, 6)));
    const std::optional<quint32> ofDocument = configurationChecksum(source.configuration());
    QVERIFY(ofDocument);

    Project opened;
    QCOMPARE(OpenProjectFile(opened, path, AnyProjectModel), ProjectFileStatus::Done);
    QCOMPARE(configurationChecksum(opened.configuration()), ofDocument);

    LinkRig rig;
    rig.link.SetConfigurationSource([&opened] { return opened.configuration(); });
    rig.link.WriteSensorAllDataSlots();
    runToEnd(rig);
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Complete);
    QCOMPARE(configurationChecksum(rig.lastResult().configuration), ofDocument);

    // One vertex one millimetre further out in the file: another checksum.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QString text = QString::fromLatin1(file.readAll());
    file.close();
    QVERIFY(text.contains(QStringLiteral("\n400,2600\n")));
    text.replace(QStringLiteral("\n400,2600\n"), QStringLiteral("\n400,2601\n"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
    file.write(text.toLatin1());
    file.close();
    Project changed;
    QCOMPARE(OpenProjectFile(changed, path, AnyProjectModel), ProjectFileStatus::Done);
    QVERIFY(configurationChecksum(changed.configuration()));
    QVERIFY(configurationChecksum(changed.configuration()) != ofDocument);
}

QTEST_GUILESS_MAIN(TestVerification)
#include "tst_verification.moc"
