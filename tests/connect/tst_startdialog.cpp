#include "emulatorprocess.h"
#include "waituntil.h"

#include "gui/app/connectioncontrol.h"
#include "gui/app/mainwindow.h"
#include "core/areas/areamodel.h"
#include "gui/connect/create.h"
#include "core/project/projectfile.h"
#include "gui/project/projectfiles.h"
#include "windowundertest.h"

#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace veltrix;

namespace {

// The start dialog over a fresh main window, as the program shows it; message boxes
// are answered with their first button.
struct Start
{
    testing::WindowUnderTest w;
    Create *dialog = w.startDialog();

    Start() { w.ShowStartDialog(); }

    template<typename T>
    T *in(const char *name) { return dialog->findChild<T *>(QLatin1String(name)); }
    void choose(int model, int tab)
    {
        in<QComboBox>("LaserSensorType")->setCurrentIndex(model);
        in<QTabWidget>("ConnecttabWidget")->setCurrentIndex(tab);
    }
    void click(const char *button) { QTest::mouseClick(in<QPushButton>(button), Qt::LeftButton); }
};

}  // namespace

class TestStartDialog : public QObject
{
    Q_OBJECT

private slots:
    void connectsToScannerFoundOnTheNetwork();
    void createsProjectOfChosenModel();
    void opensProjectOfAnotherModel();
    void actionsSignalInOrder();
};

void TestStartDialog::connectsToScannerFoundOnTheNetwork()
{
    EmulatorProcess scanner({"--address", "10.77.0.2", "--ethernet-mode", "udp"});
    QVERIFY(scanner.start());
    Start s;
    auto *addresses = s.in<QComboBox>("comboBox_Ethernet");
    QVERIFY(testing::waitUntil([&] { return addresses->findText("10.77.0.2") >= 0; }, 5000));

    s.choose(2, 1);
    addresses->setCurrentIndex(addresses->findText("10.77.0.2"));
    s.click("Button_Connect");
    QVERIFY(!s.dialog->isVisible());
    QCOMPARE(s.w.currentModel(), 2);
    QCOMPARE(s.w.linkConfiguration().connectType, EthernetInterface);
    QCOMPARE(s.w.linkConfiguration().ethernetMode, UdpMode);  // as the scanner reported it
    QVERIFY(testing::waitUntil([&] { return s.w.connectionControl()->isConnected(); }, 3000));
}

void TestStartDialog::createsProjectOfChosenModel()
{
    Start s;
    s.choose(3, 1);
    s.click("Button_Create");
    QVERIFY(!s.dialog->isVisible());
    QCOMPARE(s.w.currentModel(), 3);
    QCOMPARE(s.w.linkConfiguration().connectType, EthernetInterface);
    QVERIFY(!s.w.anyTransportOpen());
}

void TestStartDialog::opensProjectOfAnotherModel()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hall.KT50"));
    ProjectContents saved;
    saved.modelIndex = 4;
    saved.settings = QVector<int>(ProjectSettingCount, 1);
    saved.areas = QVector<AreaRecord>(AreaCount);
    saved.areas[0].out1Points = {{-30000, 40000}};
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
    QVERIFY(WriteProject(file, saved, QDate::currentDate()));
    file.close();

    Start s;
    s.w.files << path;
    s.click("Button_Open");
    QVERIFY(!s.dialog->isVisible());
    QCOMPARE(s.w.currentModel(), 4);
    QCOMPARE(s.w.areaModel().area(0).out1Points, saved.areas[0].out1Points);
    QVERIFY(s.w.windowTitle().startsWith(QLatin1String("hall.KT50")));
}

void TestStartDialog::actionsSignalInOrder()
{
    Create dialog([] { return QList<SerialPortEntry>{{"ttyV0", "Virtual (test)"}, {"ttyV1", ""}}; });
    QStringList heard;
    connect(&dialog, &Create::CreateSignal, [&](int model) { heard << QString("create %1").arg(model); });
    connect(&dialog, &Create::CreateInterface, [&](int tab) { heard << QString("interface %1").arg(tab); });
    connect(&dialog, &Create::OpenSerialSignal, [&](const QString &port) { heard << "serial " + port; });
    connect(&dialog, &Create::OpenEthernetSignal, [&](const QString &to) { heard << "ethernet " + to; });
    connect(&dialog, &Create::QuitSignal, [&] { heard << QString("quit, shown %1").arg(dialog.isVisible()); });
    auto *type = dialog.findChild<QComboBox *>("LaserSensorType");
    auto *tabs = dialog.findChild<QTabWidget *>("ConnecttabWidget");

    dialog.show();
    type->setCurrentIndex(1);
    dialog.ConnectToLaserSensor();  // serial tab, first port
    tabs->setCurrentIndex(1);
    dialog.findChild<QComboBox *>("comboBox_Ethernet")->setEditText("10.77.0.9");
    dialog.ConnectToLaserSensor();
    dialog.CreateNewProject();
    dialog.show();
    dialog.QuitButton();
    QCOMPARE(heard, (QStringList{"create 1", "serial ttyV0", "create 1", "ethernet 10.77.0.9",
                                 "create 1", "interface 1", "quit, shown 1"}));
    QVERIFY(!dialog.isVisible());
    // Escape does not close it: one of the four actions must be chosen.
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(TestStartDialog)
#include "tst_startdialog.moc"
