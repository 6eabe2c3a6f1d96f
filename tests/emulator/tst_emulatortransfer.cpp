#include "emulatorprocess.h"
#include "linkrig.h"
#include "randomareas.h"

#include "app/language.h"
#include "app/mainwindow.h"
#include "link/sensorsetting.h"
#include "link/transferprogress.h"

#include <QComboBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int Reach = 5400;
const char *const ScannerAddress = "10.77.0.2";
const QString ReadOk = QStringLiteral("Parameters Read OK!");
const QString Complete = QStringLiteral("Parameters Write Complete.Please restart.");
const QString RestartQuestion = QStringLiteral("Do you restart?");
const QString Partial = QStringLiteral(
    "\nThe sensor may now hold a partial configuration and must be written again before use.");

EmulatorProcess *startEmulator(QStringList arguments)
{
    arguments << "--address" << ScannerAddress;
    auto *emulator = new EmulatorProcess(arguments);
    if (!emulator->start()) {
        delete emulator;
        return nullptr;
    }
    return emulator;
}

// The whole program window, its link talking to the emulator as a connection opened
// from the menus would, and the user's answers scripted: "No" to the restart question.
struct WindowRig
{
    MainWindow w;
    QStringList shown;
    QStringList notices;

    WindowRig()
    {
        w.LanguageToEnglish();
        w.messenger().setPresenter([this](const UserMessage &message) {
            shown << message.text;
            return message.text == RestartQuestion ? 1 : 0;
        });
        QObject::connect(w.sensorLink(), &SERIAL_COMM::NoticeSignal,
                         [this](const QString &, const QString &text) { notices << text; });
    }

    bool connectTo(const QString &transport, const EmulatorProcess &emulator)
    {
        if (transport == QLatin1String("serial")) {
            w.CreatConnectTypeSignalSlot(SerialInterface);
            w.serialTransport()->setPortName(emulator.serialDevice());
            return w.serialTransport()->open(QIODevice::ReadWrite);
        }
        w.CreatConnectTypeSignalSlot(EthernetInterface);
        const QString address = QString::fromLatin1(ScannerAddress);
        if (transport == QLatin1String("udp")) {
            w.linkData().ethernetMode = UdpMode;
            w.udpTransport()->connectToHost(address, LinkRig::ScannerPort);
            return w.udpTransport()->isOpen();
        }
        w.linkData().ethernetMode = TcpMode;
        w.tcpTransport()->connectToHost(address, LinkRig::ScannerPort);
        return w.tcpTransport()->waitForConnected(3000);
    }

    bool readAll()
    {
        const int before = notices.count(ReadOk);
        w.sensorLink()->ReadSensorAllDataSlots();
        return LinkRig::waitUntil([&] { return notices.count(ReadOk) > before; }, 15000);
    }

    bool writeAll()
    {
        const int before = shown.count(RestartQuestion);
        w.sensorLink()->WriteSensorAllDataSlots();
        return LinkRig::waitUntil([&] { return shown.count(RestartQuestion) > before; }, 15000);
    }

    template<typename T>
    T *field(const char *name) { return w.findChild<T *>(QLatin1String(name)); }
};

}  // namespace

class TestEmulatorTransfer : public QObject
{
    Q_OBJECT

    LanguageSwitch languages;

private slots:
    void initTestCase() { languages.setLanguage(QString::fromLatin1(LanguageSwitch::English)); }
    void dockEditSurvivesWriteAndRead_data();
    void dockEditSurvivesWriteAndRead();
    void writeAllFaults_data();
    void writeAllFaults();
    void cancelFromTheProgressDialog_data();
    void cancelFromTheProgressDialog();
    void areaIndexAbove63IsAskedAgain();
};

void TestEmulatorTransfer::dockEditSurvivesWriteAndRead_data()
{
    QTest::addColumn<QString>("transport");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("tcp") << "tcp" << QStringList();
    QTest::newRow("udp, inverted") << "udp" << QStringList{"--ethernet-mode", "udp", "--inverted"};
    QTest::newRow("serial, scanner in UDP mode")
        << "serial" << QStringList{"--ethernet-mode", "udp", "--inverted"};
}

void TestEmulatorTransfer::dockEditSurvivesWriteAndRead()
{
    QFETCH(QString, transport);
    QFETCH(QStringList, arguments);
    const bool serial = transport == QLatin1String("serial");
    const bool inverted = arguments.contains(QStringLiteral("--inverted"));
    const bool udp = arguments.contains(QStringLiteral("udp"));
    std::unique_ptr<EmulatorProcess> emulator(startEmulator(arguments));
    QVERIFY(emulator);
    WindowRig rig;
    QVERIFY(rig.connectTo(transport, *emulator));

    QVERIFY(rig.readAll());
    SensorParameters &block = rig.w.sensorParameters();
    QCOMPARE(block[InstallDirectionWord], inverted ? 1u : 0u);
    QCOMPARE(block[16], udp ? 1u : 0u);
    QCOMPARE(rig.field<QComboBox>("Para_SensorInstallDir")->currentIndex(), inverted ? 1 : 0);
    // Over the serial line the scanner's Ethernet settings are not shown.
    QCOMPARE(rig.field<QComboBox>("SensorEtherMode")->currentIndex(), udp && !serial ? 1 : 0);
    QCOMPARE(rig.field<QSpinBox>("Para_RS485IDAddress")->value(), 127);

    // The user changes the CAN baud rate, a field of the current interface, and the
    // last address byte (which a serial line does not take).
    SensorParameters expected = block;
    rig.field<QComboBox>("Para_CANBaudRate")->setCurrentIndex(2);
    expected[9] = 2;
    if (serial) {
        rig.field<QComboBox>("Para_RS232BaudRate")->setCurrentIndex(3);
        expected[1] = 3;
    }
    rig.field<QSpinBox>("Para_SensorIPAddress4")->setValue(77);
    if (!serial)
        expected[IpAddressLowWord] = (expected[IpAddressLowWord] & 0xFF00) | 77;
    QCOMPARE(block, expected);
    QVERIFY(rig.writeAll());
    QCOMPARE(rig.shown, QStringList({Complete, RestartQuestion}));

    rig.w.sensorSettings()->ResetToDefaults();
    QVERIFY(rig.readAll());
    QCOMPARE(block, expected);
    QCOMPARE(rig.field<QComboBox>("Para_CANBaudRate")->currentIndex(), 2);
}

void TestEmulatorTransfer::writeAllFaults_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("messages");  // everything shown, in order
    const QString settingError = QStringLiteral("Parameters Setting Error.Please restart.");
    QTest::newRow("case data refused")
        << QStringList{"--case-status", "1"}
        << QStringList{"Parameters Setting Error",
                       "The write did not complete; the sensor did not accept the case data "
                       "(answer: Parameters Setting Error)." + Partial};
    QTest::newRow("parameters not stored")
        << QStringList{"--para-status", "2"}
        << QStringList{"FLASH Write Error",
                       "The write did not complete; the sensor did not accept the sensor "
                       "parameters (answer: FLASH Write Error)." + Partial};
    QTest::newRow("area refused once")
        << QStringList{"--area-status", "10:1"} << QStringList{settingError, Complete, RestartQuestion};
    QTest::newRow("area refused every time")
        << QStringList{"--area-status", "10:1", "--area-status-always"}
        << QStringList{settingError, settingError, settingError,
                       "The sensor refused area 10 (answer: Parameters Setting Error); the write "
                       "was stopped." + Partial};
    QTest::newRow("area never stored")
        << QStringList{"--area-status", "20:2", "--area-status-always"}
        << QStringList{"FLASH Write Error", "FLASH Write Error", "FLASH Write Error",
                       "The sensor refused area 20 (answer: FLASH Write Error); the write was "
                       "stopped." + Partial};
}

void TestEmulatorTransfer::writeAllFaults()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, messages);
    std::unique_ptr<EmulatorProcess> emulator(startEmulator(arguments));
    QVERIFY(emulator);
    LinkRig rig;
    QVERIFY(rig.connectTcp(QString::fromLatin1(ScannerAddress)));
    rig.model.areas = randomareas::areas(51, Reach);
    rig.link->WriteSensorAllDataSlots();
    QVERIFY(LinkRig::waitUntil([&] { return rig.countShown(messages.last()) > 0; }, 20000));
    QTest::qWait(300);  // nothing more may follow
    QStringList shown;
    for (const UserMessage &message : rig.shown)
        shown << message.text;
    QCOMPARE(shown, messages);
    for (int f = 0; f < SERIAL_COMM::RequestFlagCount; ++f)
        QVERIFY(!rig.link->flag(SERIAL_COMM::RequestFlag(f)));
}

void TestEmulatorTransfer::cancelFromTheProgressDialog_data()
{
    QTest::addColumn<bool>("writing");
    QTest::newRow("read-all") << false;
    QTest::newRow("write-all") << true;
}

void TestEmulatorTransfer::cancelFromTheProgressDialog()
{
    QFETCH(bool, writing);
    std::unique_ptr<EmulatorProcess> emulator(startEmulator({}));
    QVERIFY(emulator);
    WindowRig rig;
    QVERIFY(rig.connectTo(QStringLiteral("tcp"), *emulator));
    QProgressDialog *dialog = rig.w.transferProgress()->dialog();
    if (writing)
        rig.w.sensorLink()->WriteSensorAllDataSlots();
    else
        rig.w.sensorLink()->ReadSensorAllDataSlots();
    QVERIFY(LinkRig::waitUntil([&] { return dialog->isVisible() && dialog->value() >= 8; }, 10000));
    QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);

    QVERIFY(!dialog->isVisible());
    QCOMPARE(rig.shown.size(), 1);
    QCOMPARE(rig.shown.first().startsWith(QStringLiteral("The write was cancelled.")), writing);
    QTest::qWait(300);
    QCOMPARE(rig.shown.size(), 1);
    QVERIFY(rig.notices.isEmpty());
    QCOMPARE(rig.w.sensorLink()->pendingCommand(), 0);
    // The link is ready for the next transfer.
    QVERIFY(rig.readAll());
}

void TestEmulatorTransfer::areaIndexAbove63IsAskedAgain()
{
    std::unique_ptr<EmulatorProcess> emulator(startEmulator({"--wrong-area-index", "63"}));
    QVERIFY(emulator);
    LinkRig rig;
    QVERIFY(rig.connectTcp(QString::fromLatin1(ScannerAddress)));
    const QVector<AreaRecord> sent = randomareas::areas(61, Reach);
    rig.model.areas = sent;
    QVERIFY(rig.writeAll());
    rig.forget();
    QVERIFY(rig.readAll());
    QCOMPARE(rig.model.areas.at(63), randomareas::throughTheWire(sent.at(63), 63));
    QCOMPARE(rig.notices.count(ReadOk), 1);
}

QTEST_MAIN(TestEmulatorTransfer)
#include "tst_emulatortransfer.moc"
