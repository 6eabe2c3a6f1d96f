#include "areachange.h"
#include "gui/graphics/painttable.h"
#include "core/project/devicemodels.h"
#include "windowundertest.h"

#include "gui/graphics/optionscene.h"
#include "core/link/serialcomm.h"

#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QGraphicsView>
#include <QGraphicsItem>
#include <QGroupBox>
#include <QLabel>
#include <QLCDNumber>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QSerialPort>
#include <QSlider>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QUdpSocket>
#include <QUrl>
#include <QWheelEvent>
#include <QtTest>

#ifndef VELTRIX_NO_POSIX
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

using namespace veltrix;
using veltrix::testing::WindowUnderTest;

namespace {

const QStringList SerialFields = {"Para_ControlMode", "Para_RS232BaudRate", "Para_RS232CommVerify",
                                  "Para_RS232StopBit", "Para_RS485IDAddress", "Para_RS485BaudRate",
                                  "Para_RS485CommVerify", "Para_RS485StopBit"};
const QStringList EthernetFields = {"SensorEtherMode", "SensorScanFerq", "SensorScanAngle",
                                    "Para_SensorIPAddress1", "Para_SensorIPAddress2",
                                    "Para_SensorIPAddress3", "Para_SensorIPAddress4"};

// Everything the interface switch touches, as one comparable value.
QVariantList interfaceState(WindowUnderTest &w)
{
    QVariantList state;
    state << w.action("SerialConnection")->isChecked() << w.action("EthernetConnection")->isChecked()
          << w.action("SerialSetting")->isEnabled() << w.action("EthnernetSetting")->isEnabled()
          << int(w.linkConfiguration().connectType);
    for (const QString &name : SerialFields + EthernetFields)
        state << w.findChild<QWidget *>(name)->isEnabled();
    return state;
}

// The master side of a pseudo-terminal, so that the serial port has something to open;
// no name where the system has none.
class PseudoTerminal
{
public:
#ifndef VELTRIX_NO_POSIX
    PseudoTerminal()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            m_slaveName = QString::fromLocal8Bit(ptsname(m_master));
    }
    ~PseudoTerminal()
    {
        if (m_master >= 0)
            ::close(m_master);
    }
#endif
    QString slaveName() const { return m_slaveName; }

private:
    int m_master = -1;
    QString m_slaveName;
};

}  // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dockBoxesTakeTheWheelOnlyWithFocus();

    void startState();
    void zoomSliderFollowsModel_data();
    void zoomSliderFollowsModel();
    void firstStartLayoutShowsEditorsWhole();

    void closeUnmodifiedAsksNothing();
    void closePrompt_data();
    void closePrompt();
    void closePromptTexts_data();
    void closePromptTexts();
    void quitAndSaveActions();

    void displayModeIsExclusive_data();
    void displayModeIsExclusive();

    void ethernetModeText_data();
    void ethernetModeText();
    void connectType_data();
    void connectType();
    void interfaceActions();

    void monitoringMode();
    void dockToggles_data();
    void dockToggles();
    void closingSimulationDockUnchecksGroups();
    void dockCloseButtonActsAsItsAction_data();
    void dockCloseButtonActsAsItsAction();

    void statusStripShowsReport_data();
    void statusStripShowsReport();
    void monitoringFollowsReportedArea();

    void readingNeedsOpenTransport_data();
    void readingNeedsOpenTransport();

    void manualFile_data();
    void manualFile();
};

void TestMainWindow::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestMainWindow::startState()
{
    WindowUnderTest w;

    for (const char *name : {"ArealineText", "RegionsLineText"}) {
        auto *caption = w.widget<QLineEdit>(name);
        QVERIFY(!caption->isEnabled());
        QCOMPARE(caption->alignment(), Qt::AlignCenter);
    }
    for (const char *name : {"ReadAllSetting", "WriteAllSetting", "DisConnection", "SoftReboot",
                             "SensorInformation", "IOSimulation"})
        QVERIFY2(!w.action(name)->isEnabled(), name);
    for (const char *name : {"Connection", "SerialSetting", "EthnernetSetting", "Open", "Save"})
        QVERIFY2(w.action(name)->isEnabled(), name);
    for (const char *name : {"Edition", "SensorSetting", "DataTable", "Distance", "DispGraph"})
        QVERIFY2(w.action(name)->isChecked(), name);
    for (const char *name : {"Intensity", "IOSimulation", "DispCloud", "DispLine"})
        QVERIFY2(!w.action(name)->isChecked(), name);
    for (const char *name : {"EditionControlDock", "SensorSettingDock", "DataTableDock"})
        QVERIFY2(!w.widget<QDockWidget>(name)->isHidden(), name);
    QVERIFY(w.widget<QDockWidget>("IOSimulationDock")->isHidden());
    for (const char *name : {"ButtonTeachOut1", "ButtonTeachOut2", "ButtonTeachOut3"})
        QVERIFY2(!w.widget<QPushButton>(name)->isEnabled(), name);
    QCOMPARE(w.windowTitle(), QStringLiteral("激光雷达编辑器[*]"));

    QCOMPARE(w.monitoringMode(), 0);
    QVERIFY(!w.areaModel().isModified());
    for (const AreaRecord &area : w.areaModel().areas())
        QCOMPARE(area.detectionSize, 1);
    QCOMPARE(w.displayPreferences().DisplayMode, qint32(DisplayGraph));
    QCOMPARE(w.linkConfiguration().connectType, qint32(SerialInterface));
    QCOMPARE(w.linkConfiguration().ethernetMode, qint32(TcpMode));

    auto *slider = w.widget<QSlider>("ZoomSlider");
    QCOMPARE(slider->maximum(), 350);
    QCOMPARE(slider->minimum(), 70);
    QCOMPARE(slider->value(), 70);
    QCOMPARE(slider->tickPosition(), QSlider::TicksBelow);
    QVERIFY(w.widget<QToolButton>("ZoomIn")->autoRepeat());
    QVERIFY(w.widget<QToolButton>("ZoomOut")->autoRepeat());

    // The transports exist from the start, belong to no widget and are closed.
    QVERIFY(w.serialTransport() && w.tcpTransport() && w.udpTransport());
    QVERIFY(!w.serialTransport()->parent() && !w.tcpTransport()->parent() && !w.udpTransport()->parent());
    QVERIFY(!w.anyTransportOpen());
    // The scene is on the view.
    QVERIFY(w.widget<QGraphicsView>("graphicsView")->scene());
}

void TestMainWindow::zoomSliderFollowsModel_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("value");
    QTest::newRow("05") << 0 << 70 << 70;
    QTest::newRow("10") << 1 << 30 << 30;
    QTest::newRow("20") << 2 << -20 << -20;
    QTest::newRow("30") << 3 << -55 << -55;
    QTest::newRow("50") << 4 << -90 << -90;
    // An unknown model leaves minimum and value as they were.
    QTest::newRow("5 after 30") << 5 << -55 << 200;
    QTest::newRow("-1 after 30") << -1 << -55 << 200;
}

void TestMainWindow::zoomSliderFollowsModel()
{
    QFETCH(int, model);
    QFETCH(int, minimum);
    QFETCH(int, value);
    WindowUnderTest w;
    auto *slider = w.widget<QSlider>("ZoomSlider");
    if (model < 0 || model > 4)
        w.CreateDeviceType(3);
    // Zoomed in before the model changes: the value must come back to the minimum.
    slider->setValue(200);
    w.CreateDeviceType(model);
    QCOMPARE(slider->minimum(), minimum);
    QCOMPARE(slider->value(), value);
    QCOMPARE(slider->maximum(), 350);
    // Tick marks stay apart as marks instead of running together into a dotted line,
    // for the widest range too.
    QVERIFY(slider->tickInterval() > 0);
    QVERIFY2(slider->width() * slider->tickInterval() >= 6 * (slider->maximum() - slider->minimum()),
             qPrintable(QString::number(slider->tickInterval())));
    // The thumbnails cut straight fields at the range square of the same model.
    const DeviceModel *known = deviceModel(model);
    auto *list = w.widget<QTableWidget>("AreaTableWidget");
    auto *thumbnail = qobject_cast<PAINT_TABLE *>(list->cellWidget(0, 2));
    QVERIFY(thumbnail);
    QCOMPARE(thumbnail->RangeWidth(), double(known ? known->rangeSquare : DeviceModels[3].rangeSquare));
}

// At the first start the editors of the edition dock are whole: the shape buttons and
// the coordinate tables of each output field fit the width of their page, so that no
// horizontal scrolling is needed to reach the last column.
void TestMainWindow::firstStartLayoutShowsEditorsWhole()
{
    WindowUnderTest w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), QSize(qMax(1234, w.minimumSizeHint().width()), 752));
    auto *tabs = w.widget<QTabWidget>("AreaEditTab");
    for (int field = 1; field <= 3; ++field) {
        tabs->setCurrentIndex(field - 1);
        QCoreApplication::processEvents();
        const QByteArray area = "scrollAreaOut" + QByteArray::number(field);
        auto *scroll = w.widget<QScrollArea>(area.constData());
        QVERIFY2(scroll->widget()->width() <= scroll->viewport()->width(), area.constData());
        QVERIFY2(!scroll->horizontalScrollBar()->isVisible(), area.constData());
        const QByteArray table = "CoordTableWidgetOut" + QByteArray::number(field);
        auto *coords = w.widget<QTableWidget>(table.constData());
        const QRect shown = QRect(coords->mapTo(scroll->viewport(), QPoint(0, 0)), coords->size());
        QVERIFY2(scroll->viewport()->rect().left() <= shown.left()
                     && shown.right() <= scroll->viewport()->rect().right(),
                 table.constData());
    }
    // The area tool bar keeps all five buttons in sight (none folded behind an arrow).
    auto *areaBar = w.widget<QToolBar>("AreaToolBar");
    for (QAction *action : areaBar->actions())
        QVERIFY2(areaBar->widgetForAction(action)->isVisible(), qPrintable(action->objectName()));
}

void TestMainWindow::closeUnmodifiedAsksNothing()
{
    WindowUnderTest s;
    s.answer = 2;  // Cancel, unless a test says otherwise
    s.show();
    QVERIFY(s.close());
    QVERIFY(s.shown.isEmpty());
    QCOMPARE(s.saveCalls, 0);
    QVERIFY(!s.isVisible());
}

void TestMainWindow::closePrompt_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saveWrites");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("saveCalls");
    QTest::addColumn<int>("prompts");

    QTest::newRow("save") << 0 << 0 << true << true << 1 << 1;
    QTest::newRow("save, English") << 1 << 0 << true << true << 1 << 1;
    QTest::newRow("save cancelled or failed keeps the window") << 0 << 0 << false << false << 1 << 1;
    QTest::newRow("close") << 0 << 1 << true << true << 0 << 1;
    QTest::newRow("close, English") << 1 << 1 << true << true << 0 << 1;
    QTest::newRow("cancel") << 0 << 2 << true << false << 0 << 1;
    QTest::newRow("cancel, English") << 1 << 2 << true << false << 0 << 1;
    QTest::newRow("box dismissed") << 0 << -1 << true << false << 0 << 1;
}

void TestMainWindow::closePrompt()
{
    QFETCH(int, language);
    QFETCH(int, answer);
    QFETCH(bool, saveWrites);
    QFETCH(bool, closes);
    QFETCH(int, saveCalls);
    QFETCH(int, prompts);

    WindowUnderTest s;
    s.answer = 2;  // Cancel, unless a test says otherwise
    s.answer = answer;
    s.setLanguage(language);
    s.saving = saveWrites ? WindowUnderTest::Saving::PretendWritten
                         : WindowUnderTest::Saving::PretendFailed;
    changeArea(s.areaModel(), 5,
               [](AreaRecord &area) { area.out1Points = {QPoint(100, 200), QPoint(-300, 400)}; });
    s.areaModel().setModified(true);
    const QVector<AreaRecord> before = s.areaModel().areas();
    s.show();

    QCOMPARE(s.close(), closes);
    QCOMPARE(s.isVisible(), !closes);
    QCOMPARE(s.shown.size(), prompts);
    QCOMPARE(s.saveCalls, saveCalls);
    // Nothing but a save touches the document.
    QCOMPARE(s.areaModel().areas(), before);
    if (!closes)
        QVERIFY(s.areaModel().isModified());
}

void TestMainWindow::closePromptTexts_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("Chinese") << 0 << "警告" << "关于应用程序\n您修改了数据直接退出而不保存？"
                             << QStringList{"保存", "关闭", "取消"};
    QTest::newRow("English") << 1 << "Warning" << "The application\nDo you want to discart your changes?"
                             << QStringList{"Save", "Close", "Cancel"};
}

void TestMainWindow::closePromptTexts()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QStringList, buttons);

    WindowUnderTest s;
    s.answer = 2;  // Cancel, unless a test says otherwise
    s.setLanguage(language);
    s.areaModel().setModified(true);
    s.show();
    s.close();
    QCOMPARE(s.shown.size(), 1);
    const UserMessage &message = s.shown.first();
    QCOMPARE(message.icon, MessageIcon::Warning);
    QCOMPARE(message.title, title);
    QCOMPARE(message.text, text);
    QCOMPARE(message.buttons, buttons);
    QCOMPARE(message.defaultButton, 0);
    QCOMPARE(message.escapeButton, -1);
}

void TestMainWindow::quitAndSaveActions()
{
    WindowUnderTest s;
    s.answer = 2;  // Cancel, unless a test says otherwise
    s.show();
    s.action("Save")->trigger();
    QCOMPARE(s.saveCalls, 1);

    s.areaModel().setModified(true);
    s.answer = 2;
    s.action("Quit")->trigger();
    QCOMPARE(s.shown.size(), 1);
    QVERIFY(s.isVisible());

    s.answer = 1;
    s.action("Quit")->trigger();
    QCOMPARE(s.shown.size(), 2);
    QVERIFY(!s.isVisible());
}

void TestMainWindow::displayModeIsExclusive_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("mode");
    const QStringList actions = {"DispGraph", "DispCloud", "DispLine"};
    for (const QString &from : actions) {
        for (int mode = 0; mode < actions.size(); ++mode) {
            QTest::addRow("%s to %s", qPrintable(from), qPrintable(actions.at(mode)))
                << from << actions.at(mode) << mode;
        }
    }
}

void TestMainWindow::displayModeIsExclusive()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, mode);
    WindowUnderTest w;
    w.findChild<QAction *>(from)->trigger();
    // Choosing the mode already shown must not leave it unchecked.
    w.findChild<QAction *>(to)->trigger();

    QCOMPARE(w.displayPreferences().DisplayMode, mode);
    for (const char *name : {"DispGraph", "DispCloud", "DispLine"}) {
        QAction *action = w.action(name);
        const bool chosen = to == QLatin1String(name);
        QCOMPARE(action->isCheckable(), chosen);
        QCOMPARE(action->isChecked(), chosen);
    }
}

void TestMainWindow::ethernetModeText_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("after");

    QTest::newRow("TCP") << 1 << "MODE: TCP" << 0;
    QTest::newRow("UDP") << 0 << "MODE: UDP" << 1;
    QTest::newRow("TCP again") << 0 << "MODE: TCP" << 0;
    QTest::newRow("lower case") << 1 << "mode: tcp" << 1;
    QTest::newRow("lower case udp") << 0 << "MODE: udp" << 0;
    QTest::newRow("trailing space") << 1 << "MODE: TCP " << 1;
    QTest::newRow("leading space") << 0 << " MODE: UDP" << 0;
    QTest::newRow("no space") << 1 << "MODE:TCP" << 1;
    QTest::newRow("line end") << 0 << "MODE: UDP\n" << 0;
    QTest::newRow("empty") << 1 << "" << 1;
    QTest::newRow("other") << 0 << "MODE: RTU" << 0;
}

void TestMainWindow::ethernetModeText()
{
    QFETCH(int, before);
    QFETCH(QString, text);
    QFETCH(int, after);
    WindowUnderTest w;
    w.sensorLink()->SetEthernetMode(before);
    w.CreatEthnertModeSignalSlot(text);
    QCOMPARE(w.linkConfiguration().ethernetMode, after);
}

void TestMainWindow::connectType_data()
{
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expected");  // -1: nothing may change

    QTest::newRow("serial after Ethernet") << 1 << 0 << 0;
    QTest::newRow("Ethernet after serial") << 0 << 1 << 1;
    QTest::newRow("serial again") << 0 << 0 << 0;
    QTest::newRow("2 after serial") << 0 << 2 << -1;
    QTest::newRow("2 after Ethernet") << 1 << 2 << -1;
    QTest::newRow("-1 after Ethernet") << 1 << -1 << -1;
}

void TestMainWindow::connectType()
{
    QFETCH(int, startIndex);
    QFETCH(int, index);
    QFETCH(int, expected);
    WindowUnderTest w;
    w.CreatConnectTypeSignalSlot(startIndex);
    const QVariantList before = interfaceState(w);

    w.CreatConnectTypeSignalSlot(index);
    if (expected < 0) {
        QCOMPARE(interfaceState(w), before);
        return;
    }
    const bool serial = expected == 0;
    QCOMPARE(w.linkConfiguration().connectType, expected);
    QCOMPARE(w.action("SerialConnection")->isChecked(), serial);
    QCOMPARE(w.action("EthernetConnection")->isChecked(), !serial);
    QCOMPARE(w.action("SerialSetting")->isEnabled(), serial);
    QCOMPARE(w.action("EthnernetSetting")->isEnabled(), !serial);
    for (const QString &name : SerialFields)
        QVERIFY2(w.findChild<QWidget *>(name)->isEnabled() == serial, qPrintable(name));
    for (const QString &name : EthernetFields)
        QVERIFY2(w.findChild<QWidget *>(name)->isEnabled() == !serial, qPrintable(name));
    // Fields of neither interface are left alone.
    QVERIFY(w.widget<QComboBox>("Para_CANBaudRate")->isEnabled());
    QVERIFY(!w.widget<QSpinBox>("Para_SensorZeroValue")->isEnabled());
}

void TestMainWindow::interfaceActions()
{
    WindowUnderTest w;
    w.action("EthernetConnection")->trigger();
    QCOMPARE(w.linkConfiguration().connectType, qint32(EthernetInterface));
    QVERIFY(w.action("EthernetConnection")->isChecked());
    // Picking the chosen interface again keeps it chosen.
    w.action("EthernetConnection")->trigger();
    QVERIFY(w.action("EthernetConnection")->isChecked());
    QVERIFY(!w.action("SerialConnection")->isChecked());

    w.action("SerialConnection")->trigger();
    QCOMPARE(w.linkConfiguration().connectType, qint32(SerialInterface));
    QVERIFY(w.action("SerialConnection")->isChecked());
    QVERIFY(!w.action("EthernetConnection")->isChecked());
}

void TestMainWindow::monitoringMode()
{
    WindowUnderTest w;
    w.show();
    w.action("DataTable")->trigger();
    QVERIFY(w.widget<QDockWidget>("DataTableDock")->isHidden());

    w.action("Monitoring")->trigger();
    QCOMPARE(w.monitoringMode(), 1);
    QVERIFY(!w.widget<QDockWidget>("DataTableDock")->isHidden());
    QVERIFY(w.widget<QDockWidget>("SensorSettingDock")->isHidden());
    QVERIFY(w.widget<QDockWidget>("EditionControlDock")->isHidden());
    QVERIFY(w.action("DataTable")->isChecked());
    QVERIFY(!w.action("Edition")->isChecked());
    QVERIFY(!w.action("SensorSetting")->isChecked());

    // Opening the edition dock again leaves monitoring mode.
    w.action("Edition")->trigger();
    QCOMPARE(w.monitoringMode(), 0);
    QVERIFY(!w.widget<QDockWidget>("EditionControlDock")->isHidden());
}

void TestMainWindow::dockToggles_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("dock");
    QTest::addColumn<bool>("monitors");  // whether closing the dock means monitoring
    QTest::newRow("edition") << "Edition" << "EditionControlDock" << true;
    QTest::newRow("sensor") << "SensorSetting" << "SensorSettingDock" << false;
    QTest::newRow("data table") << "DataTable" << "DataTableDock" << false;
}

void TestMainWindow::dockToggles()
{
    QFETCH(QString, action);
    QFETCH(QString, dock);
    QFETCH(bool, monitors);
    WindowUnderTest w;
    w.show();
    QAction *toggle = w.findChild<QAction *>(action);
    auto *panel = w.findChild<QDockWidget *>(dock);

    toggle->trigger();
    QVERIFY(!toggle->isChecked());
    QVERIFY(panel->isHidden());
    QCOMPARE(w.monitoringMode(), monitors ? 1 : 0);

    toggle->trigger();
    QVERIFY(toggle->isChecked());
    QVERIFY(!panel->isHidden());
    QCOMPARE(w.monitoringMode(), 0);
}

// The user simulates inputs, outputs, a fault and vehicle data from the dock; the
// block the link sends follows, input and case simulation exclude each other, and
// closing the dock leaves nothing simulated.
void TestMainWindow::closingSimulationDockUnchecksGroups()
{
    WindowUnderTest w;
    w.show();
    QAction *toggle = w.action("IOSimulation");
    auto *dock = w.widget<QDockWidget>("IOSimulationDock");
    toggle->setEnabled(true);  // as a successful connection does
    toggle->trigger();
    QVERIFY(!dock->isHidden());
    auto group = [&w](const char *name) { return w.widget<QGroupBox>(name); };
    auto check = [](QGroupBox *box) { QTest::keyClick(box, Qt::Key_Space); };  // its check box
    const SimulationBlock &block = w.simulationBlock();

    check(group("InportGrouptBox"));
    w.widget<QSpinBox>("InputspinBox")->setValue(37);  // inputs 1, 3 and 6
    QVERIFY(w.widget<QToolButton>("InputButton6")->isChecked());
    QVERIFY(!w.widget<QToolButton>("InputButton2")->isChecked());
    QTest::mouseClick(w.widget<QToolButton>("InputButton2"), Qt::LeftButton);
    QCOMPARE(w.widget<QSpinBox>("InputspinBox")->value(), 39);
    QCOMPARE(block.inputSimulationOn, quint8(1));
    QCOMPARE(block.simulatedInputs, 39);
    check(group("CaseSimulationBox"));
    QVERIFY(!group("InportGrouptBox")->isChecked());
    QCOMPARE(block.inputSimulationOn, quint8(0));
    QCOMPARE(block.caseSimulationOn, quint8(1));
    QCOMPARE(block.simulatedInputs, 39);  // kept for the next time inputs are simulated

    check(group("OutportGrouptBox"));
    QTest::mouseClick(w.widget<QToolButton>("OutputButton3"), Qt::LeftButton);
    QCOMPARE(block.simulatedOutputs, 4);
    check(group("FaultGroupBox"));
    QTest::mouseClick(w.widget<QToolButton>("FaultSimuButton"), Qt::LeftButton);
    QCOMPARE(block.simulatedFault, 1);
    w.widget<QSlider>("SimDgreeSlider")->setValue(-180);
    QCOMPARE(w.widget<QSpinBox>("SimDgreeSpinBox")->value(), -180);
    w.widget<QSpinBox>("SimSpeedSpinBox")->setValue(250);
    QCOMPARE(w.widget<QSlider>("SimSpeedSlider")->value(), 250);
    QCOMPARE(block.steeringAngle, -180);
    QCOMPARE(block.vehicleSpeed, 250);

    toggle->trigger();
    QVERIFY(dock->isHidden());
    for (const char *name : {"InportGrouptBox", "OutportGrouptBox", "FaultGroupBox", "CaseSimulationBox"})
        QVERIFY2(!group(name)->isChecked(), name);
    // What the link sends from now on simulates nothing.
    QCOMPARE(block.inputSimulationOn + block.outputSimulationOn + block.faultSimulationOn
                 + block.caseSimulationOn, 0);
    QCOMPARE(block.simulatedFault, 0);
}

void TestMainWindow::statusStripShowsReport_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<uint>("inport");
    QTest::addColumn<uint>("status");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<QString>("directionText");
    QTest::newRow("no fault") << 0 << 0u << 0u << "正常(0)" << "倒立安装";
    QTest::newRow("two faults, Chinese") << 0 << 37u << 0x21u << "旋转异常(1)过温异常(6)" << "倒立安装";
    QTest::newRow("two faults, English") << 1 << 37u << 0x21u
                                          << "Revolve Abnormal(1)Temperature Abnormal(6)" << "Reverse Set";
    // A fault the table names no text for is still shown.
    QTest::newRow("unnamed fault, Chinese") << 0 << 0u << 0x80u << "未知异常(0x80)" << "倒立安装";
    QTest::newRow("unnamed fault, English") << 1 << 0u << 0x81u
                                             << "Revolve Abnormal(1)Unknown fault (0x80)" << "Reverse Set";
    // An input byte with bit 7 set arrives widened negative.
    QTest::newRow("negative inputs") << 1 << uint(-123) << 0u << "Normal(0)" << "Reverse Set";
}

void TestMainWindow::statusStripShowsReport()
{
    QFETCH(int, language);
    QFETCH(uint, inport);
    QFETCH(uint, status);
    QFETCH(QString, statusText);
    QFETCH(QString, directionText);
    WindowUnderTest w;
    w.setLanguage(language);
    QCoreApplication::processEvents();
    emit w.sensorLink()->IOPortSignals(inport, 0, status);
    emit w.sensorLink()->DirChangeSignals(true);

    QCOMPARE(w.widget<QLabel>("label_StatusValue")->text(), statusText);
    QCOMPARE(w.widget<QLabel>("label_dirValue")->text(), directionText);
    QCOMPARE(w.widget<QLCDNumber>("InputlcdNum")->intValue(), int(inport));
    // (How the shown report follows a language switch: tst_languages.)
}

// In monitoring mode the area the scanner reports becomes the current area for every
// editor and the view; while editing, reports change nothing.
void TestMainWindow::monitoringFollowsReportedArea()
{
    WindowUnderTest w;
    w.show();
    AreaModel &model = w.areaModel();
    AreaRecord area;
    area.out1Points = {QPoint(100, 2000), QPoint(1500, 2500), QPoint(-800, 1800)};
    model.replaceArea(5, area);
    SERIAL_COMM *link = w.sensorLink();

    emit link->IOPortSignals(5, 0, 0);
    QCOMPARE(model.currentArea(), 0);

    w.action("Monitoring")->trigger();
    emit link->IOPortSignals(5, 0, 0);
    QCOMPARE(model.currentArea(), 5);
    auto *areaList = w.widget<QTableWidget>("AreaTableWidget");
    QCOMPARE(areaList->currentRow(), 5);
    QCOMPARE(w.sceneController()->PointItems().at(1)->pos(), QPointF(1500, -2500));

    // Inputs beyond the six, or widened negative, are bounded to the 64 areas.
    emit link->IOPortSignals(200, 0, 0);
    QCOMPARE(model.currentArea(), 63);
    emit link->IOPortSignals(uint(-123), 0, 0);
    QCOMPARE(model.currentArea(), 0);

    // An area chosen in the list meanwhile is replaced by the next report of the same one.
    w.action("Edition")->trigger();
    emit areaList->cellClicked(7, 0);
    QCOMPARE(model.currentArea(), 7);
    w.action("Monitoring")->trigger();
    emit link->IOPortSignals(0, 0, 0);
    QCOMPARE(model.currentArea(), 0);
}

void TestMainWindow::dockCloseButtonActsAsItsAction_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("dock");
    QTest::addColumn<bool>("monitors");
    QTest::newRow("edition") << "Edition" << "EditionControlDock" << true;
    QTest::newRow("sensor") << "SensorSetting" << "SensorSettingDock" << false;
    QTest::newRow("data table") << "DataTable" << "DataTableDock" << false;
    QTest::newRow("io simulation") << "IOSimulation" << "IOSimulationDock" << false;
}

// The close button in a dock's title bar closes the dock as unchecking its action
// does: the action follows, the edition dock means monitoring, and the simulation dock
// stops every simulation instead of leaving it running out of sight.
void TestMainWindow::dockCloseButtonActsAsItsAction()
{
    QFETCH(QString, action);
    QFETCH(QString, dock);
    QFETCH(bool, monitors);
    WindowUnderTest w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QAction *toggle = w.action(qPrintable(action));
    auto *panel = w.widget<QDockWidget>(qPrintable(dock));
    toggle->setEnabled(true);  // the simulation action needs a connection first
    if (!toggle->isChecked())
        toggle->trigger();
    QVERIFY(toggle->isChecked());
    QVERIFY(panel->isVisible());
    const QStringList groups = {"InportGrouptBox", "OutportGrouptBox", "FaultGroupBox",
                                "CaseSimulationBox"};
    for (const QString &name : groups)
        w.findChild<QGroupBox *>(name)->setChecked(true);

    auto *closeButton = panel->findChild<QAbstractButton *>(QStringLiteral("qt_dockwidget_closebutton"));
    QVERIFY(closeButton);
    QVERIFY(closeButton->isVisible());
    QTest::mouseClick(closeButton, Qt::LeftButton);

    QVERIFY(panel->isHidden());
    QVERIFY(!toggle->isChecked());
    QCOMPARE(w.monitoringMode(), monitors ? 1 : 0);
    for (const QString &name : groups) {
        QCOMPARE(w.findChild<QGroupBox *>(name)->isChecked(),
                 dock != QLatin1String("IOSimulationDock"));
    }

    // The action brings the dock back with one click.
    toggle->trigger();
    QVERIFY(toggle->isChecked());
    QVERIFY(panel->isVisible());
    QCOMPARE(w.monitoringMode(), 0);
}

void TestMainWindow::readingNeedsOpenTransport_data()
{
    QTest::addColumn<QString>("transport");
    QTest::addColumn<bool>("open");
    QTest::newRow("none") << "none" << false;
    QTest::newRow("serial") << "serial" << true;
    QTest::newRow("tcp") << "tcp" << true;
    QTest::newRow("udp") << "udp" << true;
}

void TestMainWindow::readingNeedsOpenTransport()
{
    QFETCH(QString, transport);
    QFETCH(bool, open);
    WindowUnderTest w;

    PseudoTerminal terminal;
    QTcpServer server;
    if (transport == QLatin1String("serial")) {
        if (terminal.slaveName().isEmpty())
            QSKIP("no pseudo-terminal available");
        w.serialTransport()->setPortName(terminal.slaveName());
        QVERIFY2(w.serialTransport()->open(QIODevice::ReadWrite),
                 qPrintable(w.serialTransport()->errorString()));
    } else if (transport == QLatin1String("tcp")) {
        QVERIFY(server.listen(QHostAddress::LocalHost));
        w.tcpTransport()->connectToHost(QHostAddress::LocalHost, server.serverPort());
        // A connection still being tried is not open for reading.
        QVERIFY(!w.anyTransportOpen());
        QVERIFY(w.tcpTransport()->waitForConnected(3000));
    } else if (transport == QLatin1String("udp")) {
        w.udpTransport()->connectToHost(QHostAddress::LocalHost, 8080);
    }
    QCOMPARE(w.anyTransportOpen(), open);

    // Either way the actions keep the user's choice.
    QAction *distance = w.action("Distance");
    QAction *intensity = w.action("Intensity");
    intensity->trigger();
    QVERIFY(intensity->isChecked());
    distance->trigger();
    QVERIFY(!distance->isChecked());
    distance->trigger();
    QVERIFY(distance->isChecked());
    QCOMPARE(w.anyTransportOpen(), open);
}

void TestMainWindow::manualFile_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("file");
    QTest::newRow("Chinese") << 0 << true << "manual_cn.pdf";
    QTest::newRow("English") << 1 << true << "manual_en.pdf";
    QTest::newRow("English, missing") << 1 << false << "manual_en.pdf";
}

// The manual of the language shown is opened from the first folder that holds it; a
// missing manual is said in a message naming it and where it was looked for.
void TestMainWindow::manualFile()
{
    QFETCH(int, language);
    QFETCH(bool, present);
    QFETCH(QString, file);
    WindowUnderTest w;
    QList<QUrl> opened;
    w.setUrlOpener([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    w.setLanguage(language);

    QTemporaryDir empty;
    QTemporaryDir installed;
    QVERIFY(empty.isValid() && installed.isValid());
    if (present) {
        for (const char *name : {"manual_cn.pdf", "manual_en.pdf"}) {
            QFile pdf(installed.filePath(QLatin1String(name)));
            QVERIFY(pdf.open(QIODevice::WriteOnly));
            pdf.write("%PDF-1.4\n");
        }
    }
    w.setManualFolders({empty.path(), installed.path()});
    w.action("Manual")->trigger();

    if (!present) {
        QVERIFY(opened.isEmpty());
        QCOMPARE(w.shown.size(), 1);
        QVERIFY(w.shown.first().text.contains(file));
        QVERIFY(w.shown.first().text.contains(QDir::toNativeSeparators(installed.path())));
        return;
    }
    QVERIFY(w.shown.isEmpty());
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().toLocalFile(), QFileInfo(installed.filePath(file)).absoluteFilePath());
}

// A wheel turned over an area's hysteresis while scrolling the dock leaves it as it is;
// once the box has the focus (a click, or Tab) the wheel changes it.
void TestMainWindow::dockBoxesTakeTheWheelOnlyWithFocus()
{
    WindowUnderTest w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *box = w.widget<QComboBox>("Area_Hysteresis");
    QVERIFY(box->isVisible());
    const int before = box->currentIndex();
    const qint32 stored = w.areaModel().area(0).hysteresis;
    auto turn = [box] {
        const QPoint at = box->rect().center();
        QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &wheel);
    };
    w.widget<QWidget>("AreaTableWidget")->setFocus();
    turn();
    QCOMPARE(box->currentIndex(), before);
    QCOMPARE(w.areaModel().area(0).hysteresis, stored);
    box->setFocus();
    QVERIFY(QTest::qWaitFor([box] { return box->hasFocus(); }));
    turn();
    QVERIFY(box->currentIndex() != before);
    QVERIFY(w.areaModel().area(0).hysteresis != stored);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
