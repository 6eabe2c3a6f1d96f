#include "emulatorprocess.h"
#include "waituntil.h"

#include "gui/app/connectioncontrol.h"
#include "gui/app/mainwindow.h"
#include "core/connect/discoveryreply.h"
#include "gui/connect/ethnertsetting.h"
#include "gui/connect/settingsdialog.h"
#include "core/link/serialcomm.h"
#include "core/link/transactionresult.h"
#include "windowundertest.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

using namespace veltrix;

namespace {

const QString ReadQuestion =
    QStringLiteral("Reading the scanner's configuration replaces the unsaved changes of this project.");

// The main window in English as a user drives it, with every message box recorded
// and answered with its first button, and the read-alls that completed counted.
struct Session
{
    testing::WindowUnderTest w;
    QList<UserMessage> &shown = w.shown;
    int readsComplete = 0;

    Session()
    {
        w.LanguageToEnglish();
        QObject::connect(w.sensorLink(), &SERIAL_COMM::TransactionFinished, [this](const TransactionResult &r) {
            readsComplete += r.kind == TransactionKind::ReadAll && r.isComplete() ? 1 : 0;
        });
    }

    QAction *action(const char *name) { return w.findChild<QAction *>(QLatin1String(name)); }
    template<typename T>
    T *in(QWidget *dialog, const char *name) { return dialog->findChild<T *>(QLatin1String(name)); }
    QString status() { return w.statusBar()->currentMessage(); }
    bool connected() { return w.connectionControl()->isConnected(); }

    bool readAllCompletes()
    {
        return testing::waitUntil([this] { return readsComplete > 0; }, 15000);
    }

    void clickEnter(QWidget *dialog)
    {
        QTest::mouseClick(in<QPushButton>(dialog, "Enter"), Qt::LeftButton);
    }

    // Disconnected, and every action as it must be to connect again.
    void verifyReadyToConnect(bool serial)
    {
        QVERIFY(!connected());
        QVERIFY(!w.anyTransportOpen());
        QVERIFY(action("Connection")->isEnabled());
        QVERIFY(action("SerialConnection")->isEnabled());
        QVERIFY(action("EthernetConnection")->isEnabled());
        QCOMPARE(action("SerialSetting")->isEnabled(), serial);
        QCOMPARE(action("EthnernetSetting")->isEnabled(), !serial);
        for (const char *name : {"DisConnection", "ReadAllSetting", "WriteAllSetting", "SoftReboot",
                                 "SensorInformation", "IOSimulation"})
            QVERIFY2(!action(name)->isEnabled(), name);
        QVERIFY(!w.sensorLink()->simulationTimer().isActive());
        QVERIFY(!w.sensorLink()->scanTimer().isActive());
    }

    void verifyConnected()
    {
        QVERIFY(connected());
        QVERIFY(!action("Connection")->isEnabled());
        QVERIFY(action("DisConnection")->isEnabled());
        QVERIFY(action("ReadAllSetting")->isEnabled());
        QVERIFY(w.sensorLink()->simulationTimer().isActive());
        // Distance is checked from the start: scan polling runs with the connection.
        QVERIFY(w.sensorLink()->scanTimer().isActive());
    }

    QString connectionLabel()
    {
        for (QLabel *label : w.statusBar()->findChildren<QLabel *>()) {
            if (!label->isHidden() && label->text().contains(QLatin1Char(':')))
                return label->text();
        }
        return QString();
    }
};

}  // namespace

class TestConnections : public QObject
{
    Q_OBJECT

private slots:
    void serialOverThePseudoTerminal();
    void twoScannersInDifferentModes();
    void faultEndsDisconnectedWithOneMessage_data();
    void faultEndsDisconnectedWithOneMessage();
    void ethernetDialogKeepsABadAddress_data();
    void ethernetDialogKeepsABadAddress();
    void dialogsFollowTheLanguage();
};

void TestConnections::ethernetDialogKeepsABadAddress_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("name") << "scanner-1";
    QTest::newRow("shortened") << "10.77.2";
    QTest::newRow("byte too large") << "10.77.0.256";
    QTest::newRow("empty") << "";
}

// Enter on an address that is not one keeps the dialog open, says why under the list
// and tries nothing; the address corrected, Enter connects.
void TestConnections::ethernetDialogKeepsABadAddress()
{
    QFETCH(QString, typed);
    Session s;
    s.action("EthernetConnection")->trigger();
    EthnertSetting *dialog = s.w.ethernetSettingsDialog();
    s.action("EthnernetSetting")->trigger();
    QVERIFY(dialog->isVisible());
    auto *list = s.in<QComboBox>(dialog, "Eth_ComboBox");
    list->setEditText(typed);
    s.clickEnter(dialog);
    QVERIFY(dialog->isVisible());
    auto *why = s.in<QLabel>(dialog, "label_AddressError");
    QVERIFY(why->isVisible());
    QCOMPARE(why->text(), typed + QStringLiteral(":8080 \u2014 not an IPv4 address"));
    QCOMPARE(s.w.connectionControl()->state(), ConnectionControl::State::Disconnected);
    QVERIFY(s.shown.isEmpty());

    list->setEditText(QStringLiteral("10.77.0.2"));
    QVERIFY(!why->isVisible());
    s.clickEnter(dialog);
    QVERIFY(!dialog->isVisible());
    // Nothing listens there: the attempt was made, and refused.
    QVERIFY(testing::waitUntil([&] { return !s.shown.isEmpty(); }, 2000));
    QVERIFY(s.shown.first().text.endsWith(QLatin1String("connection refused")));
}

void TestConnections::serialOverThePseudoTerminal()
{
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("scanner"));
    EmulatorProcess emulator({"--address", "127.0.0.1", "--pty-link", device});
    QVERIFY(emulator.start());
    // The way a user offers a virtual port that the system does not list.
    struct ExtraPorts
    {
        explicit ExtraPorts(const QString &path) { qputenv(ExtraSerialPortsVariable, path.toLocal8Bit()); }
        ~ExtraPorts() { qunsetenv(ExtraSerialPortsVariable); }
    } extraPorts(device);
    Session s;

    s.action("SerialConnection")->trigger();
    s.action("SerialSetting")->trigger();
    SettingsDialog *dialog = s.w.serialSettingsDialog();
    QVERIFY(dialog->isVisible());
    auto *ports = s.in<QComboBox>(dialog, "serialPortInfoListBox");
    QVERIFY(ports->findText(device) >= 0);
    ports->setCurrentIndex(ports->findText(device));
    s.clickEnter(dialog);
    QVERIFY(!dialog->isVisible());

    s.verifyConnected();
    QCOMPARE(s.status(), QStringLiteral("Connected to %1 : 576000, 8, None, 1, None").arg(device));
    QCOMPARE(s.connectionLabel(), QStringLiteral("COM:%1 ").arg(device));
    QVERIFY(s.readAllCompletes());

    s.action("DisConnection")->trigger();
    s.verifyReadyToConnect(true);
    QCOMPARE(s.status(), QStringLiteral("Disconnected"));
    QVERIFY(s.connectionLabel().isEmpty());

    // Connection connects again with the same choice: what was read is not saved, so
    // reading again asks first (answered Read). Then the adapter is pulled out.
    s.action("Connection")->trigger();
    s.verifyConnected();
    QVERIFY(testing::waitUntil([&] { return !s.shown.isEmpty(); }, 2000));
    QCOMPARE(s.shown.first().text, ReadQuestion);
    QVERIFY(emulator.stop());
    QVERIFY(testing::waitUntil([&] { return s.shown.size() > 1; }, 2000));
    QCOMPARE(s.shown.at(1).title, QStringLiteral("Critical Error"));
    QVERIFY2(s.shown.at(1).text.startsWith(device + QStringLiteral(" \u2014 the serial adapter was unplugged")),
             qPrintable(s.shown.at(1).text));
    QCOMPARE(s.status(), QStringLiteral("Serial port disconnected"));
    s.verifyReadyToConnect(true);
    QTest::qWait(200);
    QCOMPARE(s.shown.size(), 2);
}

void TestConnections::twoScannersInDifferentModes()
{
    EmulatorProcess tcpScanner({"--address", "10.77.0.2"});
    EmulatorProcess udpScanner({"--address", "10.77.0.1", "--ethernet-mode", "udp"});
    QVERIFY(tcpScanner.start());
    QVERIFY(udpScanner.start());
    Session s;
    s.action("EthernetConnection")->trigger();
    EthnertSetting *dialog = s.w.ethernetSettingsDialog();
    auto *addresses = s.in<QComboBox>(dialog, "Eth_ComboBox");

    // Each scanner is connected to in its own mode, whichever answered last.
    const QList<QPair<QString, int>> scanners = {{QStringLiteral("10.77.0.1"), UdpMode},
                                                 {QStringLiteral("10.77.0.2"), TcpMode}};
    for (const auto &scanner : scanners) {
        s.readsComplete = 0;
        s.action("EthnernetSetting")->trigger();
        QVERIFY(dialog->isVisible());
        QVERIFY(testing::waitUntil([&] { return addresses->count() == 2; }, 5000));
        QTest::qWait(200);  // the remaining replies
        QCOMPARE(addresses->count(), 2);
        addresses->setCurrentIndex(addresses->findText(scanner.first));
        s.clickEnter(dialog);
        QVERIFY(!dialog->isVisible());

        QVERIFY(testing::waitUntil([&] { return s.connected(); }, 2000));
        s.verifyConnected();
        QCOMPARE(s.w.linkConfiguration().ethernetMode, scanner.second);
        const bool udp = scanner.second == UdpMode;
        QCOMPARE(s.w.udpTransport()->isOpen(), udp);
        QCOMPARE(s.w.tcpTransport()->state() == QAbstractSocket::ConnectedState, !udp);
        QCOMPARE(s.status(), QStringLiteral("Connect%1:8080").arg(scanner.first));
        QCOMPARE(s.connectionLabel(), QStringLiteral("IPAddress:%1 ").arg(scanner.first));
        QVERIFY(s.readAllCompletes());
        // The other scanner answering a search late changes nothing while connected.
        emit dialog->OpenEthernetMode(QLatin1String(udp ? ReplyModeTcp : ReplyModeUdp));
        QCOMPARE(s.w.linkConfiguration().ethernetMode, scanner.second);

        s.action("DisConnection")->trigger();
        s.verifyReadyToConnect(false);
    }
    // The second connection asked before reading over what the first one read.
    QCOMPARE(s.shown.size(), 1);
    QCOMPARE(s.shown.first().text, ReadQuestion);
}

void TestConnections::faultEndsDisconnectedWithOneMessage_data()
{
    QTest::addColumn<bool>("serial");
    QTest::addColumn<QString>("target");  // port or typed address; "pty": the emulator's
    QTest::addColumn<QString>("customRate");  // typed with "Custom"; null: not chosen
    QTest::addColumn<QStringList>("emulator");  // empty: none runs
    QTest::addColumn<QString>("message");

    // %1: the port or address the user gave.
    const QString serialError = QStringLiteral("Serial Open error\n%1 \u2014 ");
    const QString ethernetError = QStringLiteral("Ethernet Open error\n%1:8080 \u2014 ");
    QTest::newRow("port that does not exist") << true << "/dev/veltrix-no-such-port" << QString()
                                              << QStringList() << serialError + "no such serial port";
    QTest::newRow("custom rate left empty") << true << "pty" << "" << QStringList{"--address", "127.0.0.1"}
                                            << serialError + "no baud rate set";
    QTest::newRow("custom rate 0") << true << "pty" << "0" << QStringList{"--address", "127.0.0.1"}
                                   << serialError + "no baud rate set";
    QTest::newRow("nothing listens") << false << "10.77.0.2" << QString() << QStringList()
                                     << ethernetError + "connection refused";
    QTest::newRow("scanner closes the connection")
        << false << "10.77.0.2" << QString() << QStringList{"--address", "10.77.0.2", "--close-after", "3"}
        << QStringLiteral("Ethernet connection lost\n%1:8080 \u2014 the scanner closed the connection");
}

void TestConnections::faultEndsDisconnectedWithOneMessage()
{
    QFETCH(bool, serial);
    QFETCH(QString, target);
    QFETCH(QString, customRate);
    QFETCH(QStringList, emulator);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("scanner"));
    EmulatorProcess scanner(emulator + QStringList{"--pty-link", device});
    if (!emulator.isEmpty())
        QVERIFY(scanner.start());
    if (target == QLatin1String("pty"))
        target = device;
    Session s;
    if (serial) {
        s.action("SerialConnection")->trigger();
        SettingsDialog *dialog = s.w.serialSettingsDialog();
        dialog->setPortLister([target] { return QList<SerialPortEntry>{{target, QString()}}; });
        s.action("SerialSetting")->trigger();
        if (!customRate.isNull()) {
            auto *rates = s.in<QComboBox>(dialog, "baudRateBox");
            rates->setCurrentIndex(rates->findText(QStringLiteral("Custom")));
            QVERIFY(rates->isEditable());
            rates->lineEdit()->setText(customRate);
        }
        s.clickEnter(dialog);
    } else {
        s.action("EthernetConnection")->trigger();
        EthnertSetting *dialog = s.w.ethernetSettingsDialog();
        s.action("EthnernetSetting")->trigger();
        s.in<QComboBox>(dialog, "Eth_ComboBox")->setEditText(target);
        s.clickEnter(dialog);
        // An address being connected to is not a connection yet.
        QVERIFY(!s.connected());
        QVERIFY(!s.action("ReadAllSetting")->isEnabled());
    }

    QVERIFY(testing::waitUntil([&] { return !s.shown.isEmpty(); }, 2000));
    QCOMPARE(s.shown.first().text, message.arg(target));
    QCOMPARE(s.shown.first().icon, MessageIcon::Critical);
    s.verifyReadyToConnect(serial);
    QTest::qWait(200);
    QCOMPARE(s.shown.size(), 1);
}

void TestConnections::dialogsFollowTheLanguage()
{
    Session s;
    QCoreApplication::processEvents();
    SettingsDialog *serialDialog = s.w.serialSettingsDialog();
    EthnertSetting *ethernetDialog = s.w.ethernetSettingsDialog();
    QCOMPARE(serialDialog->windowTitle(), QStringLiteral("Serial Setting"));
    QCOMPARE(s.in<QPushButton>(serialDialog, "Enter")->text(), QStringLiteral("Enter"));
    QCOMPARE(ethernetDialog->windowTitle(), QStringLiteral("Ethnert Setting"));
    QCOMPARE(s.in<QPushButton>(ethernetDialog, "Enter")->text(), QStringLiteral("OK"));

    s.w.LanguageToChinese();
    QCoreApplication::processEvents();
    QCOMPARE(serialDialog->windowTitle(), QStringLiteral("串口设置"));
    QCOMPARE(ethernetDialog->windowTitle(), QStringLiteral("以太网设置"));
    QCOMPARE(s.in<QPushButton>(ethernetDialog, "Enter")->text(), QStringLiteral("确定"));
}

QTEST_MAIN(TestConnections)
#include "tst_connections.moc"
