// Read-all and write-all as a user meets them in the main window, against a scanner
// running in this process: the sensor dock's settings through a write and a read, the
// messages of a write the scanner refuses (one after the other), cancelling half way,
// a read that times out, a message box left open while the simulation goes on, a write
// that sends what the document held when it started, and a write asked for while the
// read after connecting runs. Whatever fails, the document is as it was.

#include "randomareas.h"
#include "waituntil.h"

#include "emulatedscanner.h"
#include "emulatorserver.h"

#include "core/link/configurationchecksum.h"
#include "core/link/serialcomm.h"
#include "core/link/transactionresult.h"
#include "gui/app/connectioncontrol.h"
#include "gui/app/mainwindow.h"
#include "gui/areas/areatable.h"
#include "gui/areas/editiondock.h"
#include "gui/link/configurationchecks.h"
#include "gui/link/differencesdialog.h"
#include "gui/link/sensorsetting.h"
#include "gui/link/transferprogress.h"
#include "gui/project/projectfiles.h"

#include <QAction>
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <functional>
#include <memory>

using namespace veltrix;
using veltrix::testing::waitUntil;

namespace {

constexpr int Reach = 5400;
const QString Restart = QStringLiteral("Do you restart?");
// The confirmation a write-all asks first (answered Write); counted, not recorded.
const QString WriteQuestion =
    QStringLiteral("Write the project to the scanner, replacing its whole configuration?");
// The write complete and read back identical, with the document's checksum.
const QString Complete = QStringLiteral("Parameters written and read back identical (configuration checksum %1). "
                                        "Please restart.");

QString completeFor(MainWindow &w)
{
    return Complete.arg(checksumText(*configurationChecksum(w.project().configuration())));
}
const QString Partial = QStringLiteral(
    "\nThe sensor may now hold a partial configuration and must be written again before use.");

// The main window in English connected to a scanner of this process, every box recorded
// and answered: "No" to the restart, the first button otherwise; `whileShown` runs
// while a box is open, as its event loop would.
struct Session
{
    std::unique_ptr<EmulatorServer> server;
    MainWindow w;
    QStringList shown;
    int writeQuestions = 0;
    QList<TransactionResult> results;
    std::function<void(const UserMessage &)> whileShown;

    Session()
    {
        w.LanguageToEnglish();
        w.messenger().setPresenter([this](const UserMessage &message) {
            if (message.text.startsWith(WriteQuestion)) {
                ++writeQuestions;
                return 0;
            }
            shown.append(message.text);
            if (whileShown)
                whileShown(message);
            return message.text == Restart ? 1 : 0;
        });
        QObject::connect(w.sensorLink(), &SERIAL_COMM::TransactionFinished,
                         [this](const TransactionResult &result) { results.append(result); });
    }

    // Starts the scanner and connects to it as the menus do; true once the read-all
    // that connecting starts has completed, or (to spare the test its second and a
    // half) has been cancelled and said so.
    bool start(EmulatorOptions options, const QString &transport = QStringLiteral("tcp"),
               bool readFirst = false)
    {
        options.address = QHostAddress(QStringLiteral("127.0.0.5"));
        server = std::make_unique<EmulatorServer>(options);
        QString error;
        if (!server->start(&error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        if (transport == QLatin1String("serial")) {
            w.CreatOpenSerialPort(server->serialDevice());
        } else {
            w.CreatEthnertModeSignalSlot(transport == QLatin1String("udp") ? QStringLiteral("MODE: UDP")
                                                                           : QStringLiteral("MODE: TCP"));
            w.CreatEthernetPort(QStringLiteral("127.0.0.5"));
        }
        if (!waitUntil([this] { return w.connectionControl()->isConnected(); }, 3000))
            return false;
        if (readFirst)
            return finished(TransactionKind::ReadAll, 15000);
        w.sensorLink()->CancelTransfer();
        const bool told = waitUntil([this] { return !shown.isEmpty(); }, 2000);
        shown.clear();
        results.clear();
        return told;
    }

    // True once a transaction of this kind has ended complete.
    bool finished(TransactionKind kind, int timeoutMs = 15000)
    {
        return waitUntil([&] {
            for (const TransactionResult &result : results) {
                if (result.kind == kind && result.isComplete())
                    return true;
            }
            return false;
        }, timeoutMs);
    }

    void trigger(const char *action) { w.findChild<QAction *>(QLatin1String(action))->trigger(); }
    template<typename T>
    T *widget(const char *name) { return w.findChild<T *>(QLatin1String(name)); }
    QProgressDialog *progress() { return w.transferProgress()->dialog(); }
    EmulatedScanner &scanner() { return *server->scanner(); }

    // A document of its own, marked as changed and not saved.
    QVector<AreaRecord> ownDocument(quint32 seed)
    {
        const QVector<AreaRecord> areas = randomareas::areas(seed, Reach);
        w.areaModel().replaceAllAreas(areas);
        w.areaModel().setModified(true);
        widget<QComboBox>("Para_CANBaudRate")->setCurrentIndex(3);
        return areas;
    }
};

EmulatorOptions options()
{
    EmulatorOptions result;
    result.scanner.objectSpeed = 0;
    return result;
}

QVector<AreaRecord> throughTheWire(const QVector<AreaRecord> &sent)
{
    QVector<AreaRecord> received;
    for (int i = 0; i < sent.size(); ++i)
        received.append(randomareas::throughTheWire(sent.at(i), i));
    return received;
}

}  // namespace

class TestEmulatorTransfer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void dockEditSurvivesWriteAndRead_data();
    void dockEditSurvivesWriteAndRead();
    void writeAllFaults_data();
    void writeAllFaults();
    void cancelHalfWayChangesNothing_data();
    void cancelHalfWayChangesNothing();
    void readAllTimingOutChangesNothing();
    void openBoxKeepsTheSimulationGoing();
    void writeAllSendsWhatItStartedWith();
    void writeAllDuringTheFirstReadIsRefused();
    void verifyListsEveryDifference();
};

void TestEmulatorTransfer::dockEditSurvivesWriteAndRead_data()
{
    QTest::addColumn<QString>("transport");
    QTest::addColumn<bool>("udp");
    QTest::addColumn<bool>("inverted");
    QTest::newRow("tcp") << "tcp" << false << false;
    QTest::newRow("udp, inverted") << "udp" << true << true;
    QTest::newRow("serial, scanner in UDP mode") << "serial" << true << false;
}

void TestEmulatorTransfer::dockEditSurvivesWriteAndRead()
{
    QFETCH(QString, transport);
    QFETCH(bool, udp);
    QFETCH(bool, inverted);
    const bool serial = transport == QLatin1String("serial");
    EmulatorOptions scanner = options();
    scanner.scanner.ethernetMode = udp ? 1 : 0;
    scanner.scanner.inverted = inverted;
    Session s;
    QVERIFY(s.start(scanner, transport, true));
    QCOMPARE(s.widget<QComboBox>("Para_SensorInstallDir")->currentIndex(), inverted ? 1 : 0);
    // The scanner's Ethernet mode is kept and shown, greyed over the serial line.
    QCOMPARE(s.w.sensorParameters()[16], udp ? 1u : 0u);
    QCOMPARE(s.widget<QComboBox>("SensorEtherMode")->currentIndex(), udp ? 1 : 0);
    QCOMPARE(s.widget<QComboBox>("SensorEtherMode")->isEnabled(), !serial);

    // The CAN baud rate, and the last address byte, which a serial line does not take.
    SensorParameters expected = s.w.sensorParameters();
    s.widget<QComboBox>("Para_CANBaudRate")->setCurrentIndex(2);
    s.widget<QSpinBox>("Para_SensorIPAddress4")->setValue(77);
    expected[9] = 2;
    if (!serial)
        expected[IpAddressLowWord] = (expected[IpAddressLowWord] & 0xFF00) | 77;
    s.trigger("WriteAllSetting");
    QVERIFY(s.finished(TransactionKind::WriteAll));
    QVERIFY(waitUntil([&] { return s.shown.contains(Restart); }, 2000));
    QCOMPARE(s.shown, QStringList({completeFor(s.w), Restart}));
    QCOMPARE(s.writeQuestions, 1);

    s.w.sensorSettings()->ResetToDefaults();
    s.results.clear();
    s.trigger("ReadAllSetting");
    QVERIFY(s.finished(TransactionKind::ReadAll));
    QCOMPARE(s.w.sensorParameters(), expected);
    QCOMPARE(s.widget<QComboBox>("Para_CANBaudRate")->currentIndex(), 2);
}

void TestEmulatorTransfer::writeAllFaults_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("areaStatus");
    QTest::addColumn<bool>("always");
    QTest::addColumn<int>("caseStatus");
    QTest::addColumn<int>("parameterStatus");
    QTest::addColumn<QStringList>("messages");  // everything shown, in order
    const QString settingError = QStringLiteral("Parameters Setting Error.Please restart.");
    const QString flashError = QStringLiteral("FLASH Write Error");
    QTest::newRow("case data refused")
        << -1 << 0 << false << 1 << 0
        << QStringList{"Parameters Setting Error",
                       "The write did not complete; the sensor did not accept the case data "
                       "(answer: Parameters Setting Error)." + Partial};
    QTest::newRow("parameters not stored")
        << -1 << 0 << false << 0 << 2
        << QStringList{flashError, "The write did not complete; the sensor did not accept the sensor "
                                   "parameters (answer: FLASH Write Error)." + Partial};
    QTest::newRow("area refused once") << 10 << 1 << false << 0 << 0
                                       << QStringList{settingError, Complete, Restart};
    QTest::newRow("area refused every time")
        << 10 << 1 << true << 0 << 0
        << QStringList{settingError, settingError, settingError,
                       "The sensor refused area 10 (answer: Parameters Setting Error); the write "
                       "was stopped." + Partial};
    QTest::newRow("area never stored")
        << 20 << 2 << true << 0 << 0
        << QStringList{flashError, flashError, flashError,
                       "The sensor refused area 20 (answer: FLASH Write Error); the write was "
                       "stopped." + Partial};
}

void TestEmulatorTransfer::writeAllFaults()
{
    QFETCH(int, area);
    QFETCH(int, areaStatus);
    QFETCH(bool, always);
    QFETCH(int, caseStatus);
    QFETCH(int, parameterStatus);
    QFETCH(QStringList, messages);
    EmulatorOptions scanner = options();
    scanner.scanner.areaStatusArea = area;
    scanner.scanner.areaStatusValue = areaStatus;
    scanner.scanner.areaStatusAlways = always;
    scanner.scanner.caseStatus = caseStatus;
    scanner.scanner.parameterStatus = parameterStatus;
    Session s;
    QVERIFY(s.start(scanner));
    s.ownDocument(51);
    s.trigger("WriteAllSetting");
    messages.replaceInStrings(Complete, completeFor(s.w));
    QVERIFY(waitUntil([&] { return s.shown.contains(messages.last()); }, 20000));
    QTest::qWait(300);  // nothing more may follow
    QCOMPARE(s.shown, messages);
    QVERIFY(!s.progress()->isVisible());
}

void TestEmulatorTransfer::cancelHalfWayChangesNothing_data()
{
    QTest::addColumn<bool>("writing");
    QTest::newRow("read-all") << false;
    QTest::newRow("write-all") << true;
}

// Cancel in the progress window: the areas, the sensor settings and the unsaved-changes
// mark are exactly as before, and the user is told what that means.
void TestEmulatorTransfer::cancelHalfWayChangesNothing()
{
    QFETCH(bool, writing);
    Session s;
    QVERIFY(s.start(options()));
    QString error;
    QVERIFY(s.scanner().preload(randomareas::areas(3, Reach), randomareas::parameters(3), &error));
    const QVector<AreaRecord> document = s.ownDocument(4);
    const SensorParameters settings = s.w.sensorParameters();
    QProgressDialog *dialog = s.progress();
    s.trigger(writing ? "WriteAllSetting" : "ReadAllSetting");
    QVERIFY(waitUntil([&] { return dialog->isVisible() && dialog->value() >= 20; }, 10000));
    QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(waitUntil([&] { return !s.shown.isEmpty(); }, 2000));
    QTest::qWait(300);
    QCOMPARE(s.shown.size(), 1);
    QVERIFY(s.shown.first().startsWith(writing ? QStringLiteral("The write was cancelled.")
                                               : QStringLiteral("The read was cancelled; areas and parameters are")));
    QVERIFY(!s.w.transferProgress()->notice());
    QCOMPARE(s.w.areaModel().areas(), document);
    QCOMPARE(s.w.sensorParameters(), settings);
    QVERIFY(s.w.areaModel().isModified());
    QCOMPARE(s.w.sensorLink()->pendingCommand(), 0);

    // Ready for the next transfer, which reads everything.
    s.trigger("ReadAllSetting");
    QVERIFY(s.finished(TransactionKind::ReadAll));
    QCOMPARE(s.w.areaModel().area(63), s.scanner().area(63));
}

// A scanner that stops answering half way through a read-all: after the fourth time-out
// the user is warned, and the document is exactly as it was.
void TestEmulatorTransfer::readAllTimingOutChangesNothing()
{
    Session s;
    QVERIFY(s.start(options()));
    const QVector<AreaRecord> document = s.ownDocument(6);
    const SensorParameters settings = s.w.sensorParameters();
    SERIAL_COMM *link = s.w.sensorLink();
    // A reply not come within 300 ms never will (the scanner is in this process): the
    // reply time-out runs then instead of after 2 s.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [link] {
        const QTimer &timer = link->timeoutTimer();
        if (timer.isActive() && timer.interval() - timer.remainingTime() > 300) {
            link->StopOverTimer();
            link->ReadWriteOverTime();
        }
    });
    watchdog.start(25);
    s.trigger("ReadAllSetting");
    QVERIFY(waitUntil([&] { return s.progress()->value() >= 30; }, 10000));
    DeliveryFaults silent;
    silent.dropFraction = 1.0;
    s.server->setFaults(silent);
    QVERIFY(waitUntil([&] { return !s.shown.isEmpty(); }, 10000));
    QTest::qWait(300);
    QCOMPARE(s.shown, QStringList{"Connect OverTimer, Check Connect"});
    QCOMPARE(s.results.last().outcome, TransactionOutcome::TimedOut);
    QVERIFY(!s.progress()->isVisible());
    QCOMPARE(s.w.areaModel().areas(), document);
    QCOMPARE(s.w.sensorParameters(), settings);
    QVERIFY(s.w.areaModel().isModified());
}

// With the IO simulation on and a message box open (here the product information, left
// open for a second), the simulation exchange keeps running: the scanner keeps
// reporting the inputs simulated.
void TestEmulatorTransfer::openBoxKeepsTheSimulationGoing()
{
    Session s;
    QVERIFY(s.start(options()));
    s.trigger("IOSimulation");
    QTest::keyClick(s.widget<QGroupBox>("InportGrouptBox"), Qt::Key_Space);
    s.widget<QSpinBox>("InputspinBox")->setValue(37);
    QList<uint> reports;
    QObject::connect(s.w.sensorLink(), &SERIAL_COMM::IOPortSignals,
                     [&reports](uint inport, uint, uint) { reports.append(inport); });
    int reportsWhileOpen = -1;
    s.whileShown = [&](const UserMessage &) {
        const int before = reports.size();
        QEventLoop box;
        QTimer::singleShot(1000, &box, &QEventLoop::quit);
        box.exec();
        reportsWhileOpen = reports.size() - before;
    };
    s.trigger("SensorInformation");
    QVERIFY(waitUntil([&] { return reportsWhileOpen >= 0; }, 5000));
    QVERIFY(s.shown.first().startsWith(QStringLiteral("Product Name:  ZD-XXXX")));
    // One exchange every 200 ms: about five in the second the box was open.
    QVERIFY2(reportsWhileOpen >= 3, qPrintable(QString::number(reportsWhileOpen)));
    QCOMPARE(reports.last(), 37u);
}

// The configuration is taken when Write is chosen: areas and settings changed while the
// write runs are not sent.
void TestEmulatorTransfer::writeAllSendsWhatItStartedWith()
{
    Session s;
    QVERIFY(s.start(options()));
    const QVector<AreaRecord> pressed = s.ownDocument(8);
    const SensorParameters pressedSettings = s.w.sensorParameters();
    s.trigger("WriteAllSetting");
    QVERIFY(waitUntil([&] { return s.progress()->isVisible() && s.progress()->value() >= 5; }, 10000));
    AreaRecord edited;
    edited.out1Points = {QPoint(-100, 900), QPoint(100, 900)};
    s.w.areaModel().replaceArea(40, edited);
    s.w.areaModel().replaceArea(2, edited);
    s.widget<QComboBox>("Para_CANBaudRate")->setCurrentIndex(1);
    QVERIFY(s.finished(TransactionKind::WriteAll));
    for (int i = 0; i < AreaCount; ++i)
        QCOMPARE(s.scanner().area(i), throughTheWire(pressed).at(i));
    QCOMPARE(s.scanner().parameters()[9], pressedSettings[9]);
    QCOMPARE(s.w.areaModel().area(40), edited);  // the document keeps its edits
}

// Right after connecting, the read-all runs; a write-all chosen meanwhile is refused with
// a message and sends nothing.
void TestEmulatorTransfer::writeAllDuringTheFirstReadIsRefused()
{
    EmulatorOptions scanner = options();
    scanner.address = QHostAddress(QStringLiteral("127.0.0.5"));
    Session s;
    s.server = std::make_unique<EmulatorServer>(scanner);
    QString error;
    QVERIFY2(s.server->start(&error), qPrintable(error));
    QStringList requests;
    QObject::connect(s.server.get(), &EmulatorServer::traffic, [&requests](const QString &line) {
        requests.append(line.section(QLatin1String(": "), 1).left(5));
    });
    s.w.CreatEthnertModeSignalSlot(QStringLiteral("MODE: TCP"));
    s.w.CreatEthernetPort(QStringLiteral("127.0.0.5"));
    QVERIFY(waitUntil([&] { return requests.contains(QStringLiteral("RCase")); }, 3000));
    s.trigger("WriteAllSetting");
    QVERIFY(s.finished(TransactionKind::ReadAll));
    QVERIFY(waitUntil([&] { return !s.shown.isEmpty(); }, 2000));
    QCOMPARE(s.shown, QStringList{"A read or write with the sensor is still running; try again when it "
                                  "has finished."});
    QVERIFY(!requests.contains(QStringLiteral("WArea")));
    QCOMPARE(requests.count(QStringLiteral("RArea")), AreaCount);
}

QTEST_MAIN(TestEmulatorTransfer)
// Written, the scanner holds the document and a verification says so; two values
// changed in the scanner are then listed, each with both values, and a double-click
// goes to the area. The status bar names the checksum of whatever was read or saved
// last, and the area list each area's own.
void TestEmulatorTransfer::verifyListsEveryDifference()
{
    Session s;
    QVERIFY(s.start(options()));
    auto *verify = s.w.findChild<QAction *>(QStringLiteral("VerifySetting"));
    QVERIFY(verify->isEnabled());
    QLabel *checksum = s.w.configurationChecks()->checksumLabel();
    QVERIFY(!checksum->isVisible());
    s.ownDocument(51);
    const ScannerConfiguration document = s.w.project().configuration();
    const QString documentSum = checksumText(*configurationChecksum(document));

    s.trigger("WriteAllSetting");
    QVERIFY(s.finished(TransactionKind::WriteAll));
    s.shown.clear();
    s.trigger("VerifySetting");
    QVERIFY(s.finished(TransactionKind::Verify));
    QVERIFY(waitUntil([&] { return !s.shown.isEmpty(); }, 2000));
    QCOMPARE(s.shown, QStringList{"The sensor holds exactly the document.\nConfiguration checksum: " + documentSum});
    QCOMPARE(checksum->text(), "Checksum " + documentSum);
    QVERIFY(checksum->toolTip().contains("sensor"));

    const qint32 delay = s.scanner().area(12).openDelay;
    AreaRecord area = s.scanner().area(12);
    area.openDelay = delay + 3;
    s.scanner().setArea(12, area);
    SensorParameters parameters = s.scanner().parameters();
    parameters[ScanFrequencyWord] ^= 1;
    s.scanner().setParameters(parameters);
    s.results.clear();
    s.trigger("VerifySetting");
    DifferencesDialog *dialog = s.w.configurationChecks()->differencesDialog();
    QVERIFY(waitUntil([&] { return dialog->isVisible(); }, 15000));
    QCOMPARE(dialog->summary(), QStringLiteral("The sensor differs from the document in 2 place(s):"));
    QTableWidget *table = dialog->table();
    QCOMPARE(table->rowCount(), 2);
    const auto row = [table](int r) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << table->item(r, column)->text();
        return cells;
    };
    QCOMPARE(row(0).mid(0, 3), QStringList({"Parameter", "", "Sensor Scan frequency"}));
    QCOMPARE(row(1), QStringList({"Area 12", "", "On Delay", QStringLiteral("%1 ms").arg(delay * 20),
                                  QStringLiteral("%1 ms").arg((delay + 3) * 20)}));
    QVERIFY(checksum->text() != "Checksum " + documentSum);

    QCOMPARE(s.w.areaModel().currentArea(), 0);
    // Press, release, the double click and its release, as a user's double click.
    const QPoint cell = table->visualItemRect(table->item(1, 0)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    QCOMPARE(s.w.areaModel().currentArea(), 12);

    // Saved, the status bar shows the document's checksum again, and names the file.
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("plant.KT05"));
    s.w.projectFiles()->setFileChooser([file](const FileDialogRequest &) { return file; });
    QVERIFY(s.w.projectFiles()->saveAs());
    QCOMPARE(checksum->text(), "Checksum " + documentSum);
    QVERIFY(checksum->toolTip().contains("plant.KT05"));
    QCOMPARE(s.w.editionDock()->areaTable()->areaToolTip(12),
             "Area 12  checksum " + checksumText(*areaChecksum(document, 12)));
}

#include "tst_emulatortransfer.moc"
