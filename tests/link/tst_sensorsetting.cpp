#include "gui/app/mainwindow.h"
#include "gui/link/sensorsetting.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>

using namespace veltrix;

namespace {

// What a scanner might report: word 2 beyond its list, the RS485 address beyond its
// range, scan frequency and filter level beyond theirs, and its network settings.
SensorParameters scannerBlock()
{
    SensorParameters block;
    block[0] = 2;
    block[1] = 4;
    block[2] = 9;
    block[4] = 200;
    block[InstallDirectionWord] = 1;
    block[16] = 1;
    block[ScanFrequencyWord] = 5;
    block[18] = 1;
    block[FilterLevelWord] = 7;
    block[IpAddressHighWord] = 0x0A05;  // 10.5
    block[IpAddressLowWord] = 0x0102;   // 1.2
    block[23] = 777;
    return block;
}

// A read-all that brought these parameters, applied as the window applies it.
void readParameters(MainWindow &w, const SensorParameters &parameters)
{
    ScannerConfiguration read;
    read.areas = w.areaModel().areas();
    read.parameters = parameters;
    w.applyReadConfiguration(read);
}

QStringList itemTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

}  // namespace

class TestSensorSetting : public QObject
{
    Q_OBJECT

private slots:
    void receivedBlockIsShownAndEditedWordByWord_data();
    void receivedBlockIsShownAndEditedWordByWord();
    void textsInBothLanguages();
};

void TestSensorSetting::receivedBlockIsShownAndEditedWordByWord_data()
{
    QTest::addColumn<int>("connectType");
    QTest::newRow("serial") << int(SerialInterface);
    QTest::newRow("ethernet") << int(EthernetInterface);
}

void TestSensorSetting::receivedBlockIsShownAndEditedWordByWord()
{
    QFETCH(int, connectType);
    const bool ethernet = connectType == EthernetInterface;
    MainWindow w;
    w.CreatConnectTypeSignalSlot(connectType);
    auto combo = [&](const char *name) { return w.findChild<QComboBox *>(QLatin1String(name)); };
    auto spin = [&](const char *name) { return w.findChild<QSpinBox *>(QLatin1String(name)); };

    SensorParameters &block = w.sensorParameters();
    QSignalSpy edits(w.sensorSettings(), &SENSOR_SETTING::ParametersEdited);
    readParameters(w, scannerBlock());

    // Shown without writing back: only scan frequency and filter level, beyond their
    // lists, start again at their first item.
    SensorParameters expected = scannerBlock();
    expected[ScanFrequencyWord] = 0;
    expected[FilterLevelWord] = 0;
    QCOMPARE(block, expected);
    QCOMPARE(edits.count(), 0);
    // The scanner's block is not the new project's: there is something to save.
    QVERIFY(w.areaModel().isModified());
    QCOMPARE(combo("Para_RS232CommVerify")->currentText(), QStringLiteral("值 9"));
    // Every setting shows what a write-all sends; those of the other interface greyed.
    QCOMPARE(combo("SensorEtherMode")->currentIndex(), 1);
    QCOMPARE(spin("Para_SensorIPAddress4")->value(), 2);
    QCOMPARE(spin("Para_SensorIPAddress4")->isEnabled(), ethernet);

    // An edit stores its own word: the value the list cannot show stays as it was.
    w.areaModel().setModified(false);
    combo("Para_RS232BaudRate")->setCurrentIndex(1);
    expected[1] = 1;
    QCOMPARE(block, expected);
    QCOMPARE(edits.count(), 1);
    QVERIFY(w.areaModel().isModified());
    combo("Para_RS232CommVerify")->setCurrentIndex(2);
    combo("Para_RS232CommVerify")->setCurrentIndex(3);  // back to "value 9"
    QCOMPARE(block, expected);
    spin("Para_SensorIPAddress4")->setValue(99);
    if (ethernet)
        expected[IpAddressLowWord] = 0x0163;
    QCOMPARE(block, expected);

    w.sensorSettings()->ResetToDefaults();
    QCOMPARE(block, SensorParameters());
    QCOMPARE(itemTexts(combo("Para_RS232CommVerify")).size(), 3);
}

void TestSensorSetting::textsInBothLanguages()
{
    MainWindow w;
    auto combo = [&](const char *name) { return w.findChild<QComboBox *>(QLatin1String(name)); };
    SensorParameters read;
    read[2] = 9;
    readParameters(w, read);
    combo("Para_SensorOutputLogic")->setCurrentIndex(1);

    w.LanguageToEnglish();
    QCoreApplication::processEvents();
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("label_SensorEtherMode"))->text(),
             QStringLiteral("Ethernet Mode"));
    QCOMPARE(itemTexts(combo("Para_SensorOutputLogic")),
             QStringList({"Normally closed mode", "Normally open mode"}));
    QCOMPARE(combo("Para_SensorOutputLogic")->currentIndex(), 1);
    QCOMPARE(combo("Para_RS232CommVerify")->currentText(), QStringLiteral("value 9"));

    w.LanguageToChinese();
    QCoreApplication::processEvents();
    QCOMPARE(itemTexts(combo("Para_SensorOutputLogic")), QStringList({"常闭方式", "常开方式"}));
    QCOMPARE(combo("Para_RS232CommVerify")->currentText(), QStringLiteral("值 9"));
}

QTEST_MAIN(TestSensorSetting)
#include "tst_sensorsetting.moc"
