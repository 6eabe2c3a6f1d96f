#include "emulatorprocess.h"
#include "linkrig.h"
#include "randomareas.h"

#include "core/app/language.h"
#include "gui/link/sensorsetting.h"
#include "gui/link/transferprogress.h"

#include <QComboBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int Reach = 5400;
const char *const ScannerAddress = "10.77.0.2";
const QString Complete = QStringLiteral("Parameters Write Complete.Please restart.");
const QString Partial = QStringLiteral(
    "\nThe sensor may now hold a partial configuration and must be written again before use.");

// The program's link, its progress window and a sensor dock with the form's fields
// (lists as long as the form's, number fields with its ranges), against the emulator.
struct TransferRig : LinkRig
{
    std::unique_ptr<EmulatorProcess> emulator;
    QWidget dock;
    SensorSettingWidgets fields{};
    std::unique_ptr<SENSOR_SETTING> settings;
    TransferProgress progress;

    bool start(QStringList arguments, const QString &transport = QStringLiteral("tcp"))
    {
        const int listLengths[] = {5, 6, 3, 3, 0, 6, 3, 3, 0, 4, 2, 0, 3, 4, 2, 0, 2, 2, 2, 4};
        for (int field = 0; field < BoundSettingCount; ++field) {
            const int items = field < 20 ? listLengths[field] : 0;
            if (items > 0) {
                auto *combo = new QComboBox(&dock);
                for (int i = 0; i < items; ++i)
                    combo->addItem(QString::number(i));
                fields[size_t(field)] = combo;
            } else {
                auto *spin = new QSpinBox(&dock);
                spin->setRange(field == 20 ? 10 : 0, field == 20 ? 223 : 255);
                fields[size_t(field)] = spin;
            }
        }
        settings = std::make_unique<SENSOR_SETTING>(&parameters, &data, fields);
        QObject::connect(link.get(), &SERIAL_COMM::ReceiveParameters, settings.get(),
                         &SENSOR_SETTING::UpdateParametersToDock);
        progress.attach(link.get());

        emulator = std::make_unique<EmulatorProcess>(arguments << "--address" << ScannerAddress);
        if (!emulator->start())
            return false;
        const QString address = QString::fromLatin1(ScannerAddress);
        if (transport == QLatin1String("serial"))
            return openSerial(emulator->serialDevice());
        return transport == QLatin1String("udp") ? connectUdp(address) : connectTcp(address);
    }

    int shownIndex(int field) const { return static_cast<QComboBox *>(fields[size_t(field)])->currentIndex(); }
    QStringList texts() const
    {
        QStringList result;
        for (const UserMessage &message : shown)
            result << message.text;
        return result;
    }
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
    QTest::newRow("serial, scanner in UDP mode") << "serial" << QStringList{"--ethernet-mode", "udp"};
}

void TestEmulatorTransfer::dockEditSurvivesWriteAndRead()
{
    QFETCH(QString, transport);
    QFETCH(QStringList, arguments);
    const bool serial = transport == QLatin1String("serial");
    const bool inverted = arguments.contains(QStringLiteral("--inverted"));
    const bool udp = arguments.contains(QStringLiteral("udp"));
    TransferRig rig;
    QVERIFY(rig.start(arguments, transport));
    QVERIFY(rig.readAll());
    QCOMPARE(rig.shownIndex(InstallDirectionWord), inverted ? 1 : 0);
    // Over the serial line the scanner's Ethernet mode is kept but not shown.
    QCOMPARE(rig.parameters[16], udp ? 1u : 0u);
    QCOMPARE(rig.shownIndex(16), udp && !serial ? 1 : 0);

    // The CAN baud rate, and the last address byte, which a serial line does not take.
    SensorParameters expected = rig.parameters;
    static_cast<QComboBox *>(rig.fields[9])->setCurrentIndex(2);
    static_cast<QSpinBox *>(rig.fields[23])->setValue(77);
    expected[9] = 2;
    if (!serial)
        expected[IpAddressLowWord] = (expected[IpAddressLowWord] & 0xFF00) | 77;
    QVERIFY(rig.writeAll());
    QCOMPARE(rig.countShown(Complete), 1);

    rig.settings->ResetToDefaults();
    QVERIFY(rig.readAll());
    QCOMPARE(rig.parameters, expected);
    QCOMPARE(rig.shownIndex(9), 2);
}

void TestEmulatorTransfer::writeAllFaults_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("messages");  // everything shown, in order
    const QString settingError = QStringLiteral("Parameters Setting Error.Please restart.");
    const QString flashError = QStringLiteral("FLASH Write Error");
    QTest::newRow("case data refused")
        << QStringList{"--case-status", "1"}
        << QStringList{"Parameters Setting Error",
                       "The write did not complete; the sensor did not accept the case data "
                       "(answer: Parameters Setting Error)." + Partial};
    QTest::newRow("parameters not stored")
        << QStringList{"--para-status", "2"}
        << QStringList{flashError, "The write did not complete; the sensor did not accept the sensor "
                                   "parameters (answer: FLASH Write Error)." + Partial};
    QTest::newRow("area refused once")
        << QStringList{"--area-status", "10:1"} << QStringList{settingError, Complete, "Do you restart?"};
    QTest::newRow("area refused every time")
        << QStringList{"--area-status", "10:1", "--area-status-always"}
        << QStringList{settingError, settingError, settingError,
                       "The sensor refused area 10 (answer: Parameters Setting Error); the write "
                       "was stopped." + Partial};
    QTest::newRow("area never stored")
        << QStringList{"--area-status", "20:2", "--area-status-always"}
        << QStringList{flashError, flashError, flashError,
                       "The sensor refused area 20 (answer: FLASH Write Error); the write was "
                       "stopped." + Partial};
}

void TestEmulatorTransfer::writeAllFaults()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, messages);
    TransferRig rig;
    QVERIFY(rig.start(arguments));
    QVERIFY(rig.model.replaceAllAreas(randomareas::areas(51, Reach)));
    rig.link->WriteSensorAllDataSlots();
    QVERIFY(LinkRig::waitUntil([&] { return rig.countShown(messages.last()) > 0; }, 20000));
    QTest::qWait(300);  // nothing more may follow
    QCOMPARE(rig.texts(), messages);
    QVERIFY(!rig.progress.dialog()->isVisible());
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
    TransferRig rig;
    QVERIFY(rig.start({}));
    QProgressDialog *dialog = rig.progress.dialog();
    if (writing)
        rig.link->WriteSensorAllDataSlots();
    else
        rig.link->ReadSensorAllDataSlots();
    QVERIFY(LinkRig::waitUntil([&] { return dialog->isVisible() && dialog->value() >= 8; }, 10000));
    QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QTest::qWait(300);
    QCOMPARE(rig.shown.size(), 1);
    QCOMPARE(rig.shown.first().text.startsWith(QStringLiteral("The write was cancelled.")), writing);
    QVERIFY(rig.notices.isEmpty());
    QCOMPARE(rig.link->pendingCommand(), 0);
    QVERIFY(rig.readAll());  // ready for the next transfer
}

void TestEmulatorTransfer::areaIndexAbove63IsAskedAgain()
{
    TransferRig rig;
    QVERIFY(rig.start({"--wrong-area-index", "63"}));
    const QVector<AreaRecord> sent = randomareas::areas(61, Reach);
    QVERIFY(rig.model.replaceAllAreas(sent));
    QVERIFY(rig.writeAll());
    rig.forget();
    QVERIFY(rig.readAll());
    QCOMPARE(rig.model.area(63), randomareas::throughTheWire(sent.at(63), 63));
    QCOMPARE(rig.notices.count(QStringLiteral("Parameters Read OK!")), 1);
}

QTEST_MAIN(TestEmulatorTransfer)
#include "tst_emulatortransfer.moc"
