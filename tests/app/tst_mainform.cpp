#include "gui/resources/resources.h"
#include "windowundertest.h"

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QDockWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <memory>
#include <utility>

using namespace veltrix;
using veltrix::testing::WindowUnderTest;

namespace {

// Every image the program names, with and without the leading slash and extension
// where the program uses those spellings.
QStringList imagePaths()
{
    QStringList names = {
        "openFile", "Save", "Save_as", "application-exit", "Undo", "Redot", "copy", "cut",
        "paste", "Delete", "deleteAll", "settings", "distance", "Intensity", "dataTable",
        "Edition", "monitor", "SensorSetting", "Simulation", "Usartsettingt",
        "EthernetSetting", "Serial", "Ethernet", "connected", "disconnected", "upload",
        "download", "reboot", "information", "DispGraph", "DispCloud", "DispLine", "China",
        "English", "about", "Manual", "radar", "newFile", "Refresh", "signout", "Zoom_in",
        "Zoom_out", "Polygon", "round", "Rectangle", "Straight", "Fan", "Ratio", "GrayFault",
        "GreenFault", "Yellow1", "Orange2", "Red3", "ConnectSensor"};
    for (int n = 1; n <= 6; ++n)
        names << QStringLiteral("Gray%1").arg(n) << QStringLiteral("Green%1").arg(n);
    QStringList paths;
    for (const QString &name : std::as_const(names))
        paths << QStringLiteral(":/images/%1.png").arg(name);
    paths << QStringLiteral(":images/newFile") << QStringLiteral(":images/radar")
          << QStringLiteral(":images/ConnectSensor");
    return paths;
}

bool sameImage(const QImage &a, const QImage &b)
{
    return a.convertToFormat(QImage::Format_ARGB32_Premultiplied)
           == b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool showsImage(const QIcon &icon, const QString &path)
{
    const QImage expected(path);
    return !expected.isNull() && sameImage(icon.pixmap(expected.size()).toImage(), expected);
}

QStringList entryNames(const QList<QAction *> &actions)
{
    QStringList names;
    for (QAction *action : actions) {
        if (action->isSeparator())
            names << QStringLiteral("-");
        else if (action->menu())
            names << action->menu()->objectName();
        else
            names << action->objectName();
    }
    return names;
}

int leftOf(QWidget *widget, QWidget *window)
{
    return widget->mapTo(window, QPoint(0, 0)).x();
}

int topOf(QWidget *widget, QWidget *window)
{
    return widget->mapTo(window, QPoint(0, 0)).y();
}

}  // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void window();
    void objectsHaveTheirClass_data();
    void objectsHaveTheirClass();
    void actions_data();
    void actions();
    void menus_data();
    void menus();
    void menuBarAndToolBarsInOrder();
    void toolBarContents_data();
    void toolBarContents();
    void newFileButton();
    void docks_data();
    void docks();
    void tabs_data();
    void tabs();
    void spinBoxes_data();
    void spinBoxes();
    void comboBoxes_data();
    void comboBoxes();
    void statusStrip();
    void startPictures_data();
    void startPictures();
    void simulationButtons();
    void leftToRight_data();
    void leftToRight();
    void sensorRowsTopToBottom();
    void sensorGridColumns();
    void simulationDockGrid();

    void everyImageLoads_data();
    void everyImageLoads();
    void lampColours_data();
    void lampColours();
    void shapeButtonsAreDistinct();

private:
    std::unique_ptr<WindowUnderTest> w;
};

void TestMainForm::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    w = std::make_unique<WindowUnderTest>();
    w->answer = 2;  // Cancel
    w->widget<QDockWidget>("IOSimulationDock")->show();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
}

void TestMainForm::cleanupTestCase()
{
    w.reset();
}

void TestMainForm::window()
{
    QCOMPARE(w->objectName(), QStringLiteral("MainWindow"));
    // 1234 wide, or as wide as the docks need for their texts in the fonts at hand.
    QCOMPARE(w->size(), QSize(qMax(1234, w->minimumSizeHint().width()), 752));
    QCOMPARE(w->windowTitle(), QStringLiteral("激光雷达编辑器[*]"));
    QVERIFY(w->widget<QStatusBar>("statusBar"));
    QCOMPARE(w->statusBar()->objectName(), QStringLiteral("statusBar"));
    QCOMPARE(w->centralWidget()->objectName(), QStringLiteral("centralWidget"));
}

void TestMainForm::objectsHaveTheirClass_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");

    auto add = [](const QString &name, const char *cls) {
        QTest::addRow("%s", qPrintable(name)) << name << QString::fromLatin1(cls);
    };

    add("graphicsView", "QGraphicsView");
    add("statusBar", "QStatusBar");
    for (const char *dock : {"EditionControlDock", "DataTableDock", "SensorSettingDock",
                             "IOSimulationDock"})
        add(dock, "QDockWidget");

    // Edition dock.
    add("dockWidgetContents", "QWidget");
    add("splitter", "QSplitter");
    add("splitter_2", "QSplitter");
    add("AreaEditContents", "QWidget");
    add("RegionsEditContents", "QWidget");
    add("ArealineText", "QLineEdit");
    add("RegionsLineText", "QLineEdit");
    add("EditionMenuLayout", "QBoxLayout");
    add("AreaTableWidget", "QTableWidget");
    add("ParametersEditTab", "QTabWidget");
    add("Parameters", "QWidget");
    add("CaseChannel", "QWidget");
    for (const char *label : {"label_OpenDelay", "label_CloseDelay", "label_Hysteresis",
                              "label_DetectionSize", "label_SteerDgreeRange",
                              "label_VehicleSpeedRange", "label_VehicleOptionMode"})
        add(label, "QLabel");
    for (const char *combo : {"Area_OpenDelay", "Area_CloseDelay", "Area_Hysteresis",
                              "Area_DetectionSize", "VehicleOptionMode"})
        add(combo, "QComboBox");
    for (const char *spin : {"SteerMinDgree", "SteerMaxDgree", "VehicleMinSpeed", "VehicleMaxSpeed"})
        add(spin, "QSpinBox");
    add("AreaEditTab", "QTabWidget");
    for (int n = 1; n <= 3; ++n) {
        auto name = [n](const char *pattern) { return QString::fromLatin1(pattern).arg(n); };
        add(name("TableAreaOut%1"), "QWidget");
        add(name("scrollAreaOut%1"), "QScrollArea");
        add(name("IndependetBox%1"), "QGroupBox");
        add(name("DependetBox%1"), "QGroupBox");
        for (const char *shape : {"Polygon", "Arc", "Rectangle", "Straight", "Fan", "Ratio"})
            add(name("Button%2Out%1").arg(QLatin1String(shape)), "QToolButton");
        add(name("TableCoordinatesOut%1"), "QTabWidget");
        add(name("CoordinatesOut%1"), "QWidget");
        add(name("CoordinatesTypeOut%1"), "QTabWidget");
        add(name("CoordXYOut%1"), "QWidget");
        add(name("CoordPolarOut%1"), "QWidget");
        add(name("CoordTableWidgetOut%1"), "QTableWidget");
        add(name("PolarTableWidgeOut%1"), "QTableWidget");
        add(name("TeachingOut%1"), "QWidget");
        add(name("RegionBoxOut%1"), "QGroupBox");
        add(name("label_Corner%1"), "QLabel");
        add(name("SpinCorner1Out%1"), "QSpinBox");
        add(name("SpinCorner2Out%1"), "QSpinBox");
        add(name("label_Size%1"), "QLabel");
        add(name("SpinSize1Out%1"), "QSpinBox");
        add(name("SpinSize2Out%1"), "QSpinBox");
        add(name("ButtonSelectOut%1"), "QToolButton");
        add(name("MethodBoxOut%1"), "QGroupBox");
        add(name("MethodOut%1"), "QComboBox");
        add(name("DistanceOffsetBoxOut%1"), "QGroupBox");
        add(name("SpinDistanceOffsetOut%1"), "QSpinBox");
        add(name("label_mm%1"), "QLabel");
        add(name("OtherBoxOut%1"), "QGroupBox");
        add(name("CheckSimplifyResultOut%1"), "QCheckBox");
        add(name("ButtonTeachOut%1"), "QPushButton");
    }

    // Data table dock.
    add("DataTableContents", "QWidget");
    add("label_Timestamp", "QLabel");
    add("DataTableWidget", "QTableWidget");

    // Sensor dock: the 28 fields and their captions.
    add("SensorSettingContents", "QWidget");
    add("SensorMenuLayout", "QBoxLayout");
    add("scrollArea_3", "QScrollArea");
    for (const char *combo : {"Para_ControlMode", "Para_RS232BaudRate", "Para_RS232CommVerify",
                              "Para_RS232StopBit", "Para_RS485BaudRate", "Para_RS485CommVerify",
                              "Para_RS485StopBit", "Para_CANBaudRate", "Para_SensorOutputLogic",
                              "Para_ScanfMotorSyncMode", "Para_ScanfMotorSyncAngle",
                              "Para_SensorInstallDir", "SensorEtherMode", "SensorScanFerq",
                              "SensorScanAngle", "ScanFilterLevel", "SensorMultipleEcho",
                              "TrailiFilterLevel"})
        add(combo, "QComboBox");
    for (const char *spin : {"Para_RS485IDAddress", "Para_CANIDAddress", "Para_ScanfMotorSpeed",
                             "Para_SensorZeroValue", "Para_SensorIPAddress1",
                             "Para_SensorIPAddress2", "Para_SensorIPAddress3",
                             "Para_SensorIPAddress4", "DirtyReceDistance", "DirtyReceStrength"})
        add(spin, "QSpinBox");
    add("SensorIPAddressDisp", "QLineEdit");
    for (const char *label : {"label_ControlMode", "label_RS232BaudRate", "label_RS232CommVerify",
                              "label_RS232StopBit", "label_RS485IDAddress", "label_RS485BaudRate",
                              "label_RS485CommVerify", "label_RS485StopBit", "label_CANIDAddress",
                              "label_CANBaudRate", "label_SensorOutputLogic",
                              "label_ScanfMotorSpeed", "label_ScanfMotorSyncMode",
                              "label_ScanfMotorSyncAngle", "label_SensorInstallDir",
                              "label_SensorZeroValue", "label_SensorEtherMode",
                              "label_SensorScanFerq", "label_SensorScanAngle",
                              "label_ScanFilterLevel", "label_SensorMultipleEcho",
                              "label_DirtyReceDistance", "label_DirtyReceStrength",
                              "label_TrailiFilterLevel", "label_SensorIPAddress"})
        add(label, "QLabel");

    // IO simulation dock.
    add("IOSimulationContents", "QWidget");
    for (const char *group : {"InportGrouptBox", "OutportGrouptBox", "FaultGroupBox",
                              "CaseSimulationBox"})
        add(group, "QGroupBox");
    for (int n = 1; n <= 6; ++n)
        add(QStringLiteral("InputButton%1").arg(n), "QAbstractButton");
    for (int n = 1; n <= 3; ++n)
        add(QStringLiteral("OutputButton%1").arg(n), "QAbstractButton");
    add("FaultSimuButton", "QAbstractButton");
    for (const char *spin : {"InputspinBox", "OutputspinBox", "SimDgreeSpinBox", "SimSpeedSpinBox"})
        add(spin, "QSpinBox");
    add("SimDgreeSlider", "QSlider");
    add("SimSpeedSlider", "QSlider");
    add("SimOptionMode", "QComboBox");
    for (const char *label : {"label_SimDgree", "label_SimSpeed", "label_SimOptionMode"})
        add(label, "QLabel");

    // Status strip.
    for (const char *label : {"label_dir", "label_dirValue", "label_Status", "label_StatusValue",
                              "label_Inputs", "label_Outputs"})
        add(label, "QLabel");
    for (int n = 1; n <= 6; ++n)
        add(QStringLiteral("InputPort%1").arg(n), "QLabel");
    for (int n = 1; n <= 3; ++n)
        add(QStringLiteral("OutputPort%1").arg(n), "QLabel");
    add("InputlcdNum", "QLCDNumber");
    add("ZoomIn", "QToolButton");
    add("ZoomOut", "QToolButton");
    add("ZoomSlider", "QSlider");

    // Extra tool bars made at start-up.
    add("AreaToolBar", "QToolBar");
    add("SensorToolBar", "QToolBar");
    add("NewFileButton", "QToolButton");
}

void TestMainForm::objectsHaveTheirClass()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    const QList<QObject *> found = w->findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QVERIFY2(found.first()->inherits(qPrintable(className)),
             qPrintable(QStringLiteral("%1 is a %2").arg(name, found.first()->metaObject()->className())));
}

void TestMainForm::actions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<bool>("checkable");

    auto add = [](const char *name, const char *text, const char *shortcut, const char *icon,
                  bool checkable) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(text)
                            << QString::fromLatin1(shortcut)
                            << (icon[0] ? QStringLiteral(":/images/%1").arg(QLatin1String(icon)) : QString())
                            << checkable;
    };
    add("Open", "打开文件", "Ctrl+O", "openFile.png", false);
    add("Save", "保存文件", "Ctrl+S", "Save.png", false);
    add("SaveAs", "另存为", "Ctrl+Shift+S", "Save_as.png", false);
    add("Quit", "退出", "Ctrl+Q", "application-exit.png", false);
    add("Undo", "撤销", "Ctrl+Z", "Undo.png", false);
    add("Redo", "重做", "Ctrl+Y", "Redot.png", false);
    add("Copy", "复制", "Ctrl+C", "copy.png", false);
    add("Cut", "剪贴", "Ctrl+X", "cut.png", false);
    add("Paste", "粘贴", "Ctrl+V", "paste.png", false);
    add("Delete", "删除", "Ctrl+D", "Delete.png", false);
    add("DeleteAll", "全部删除", "", "deleteAll.png", false);
    add("AppSettings", "应用设置", "", "settings.png", false);
    add("Distance", "距离", "Ctrl+L", "distance.png", true);
    add("Intensity", "强度", "Ctrl+I", "Intensity.png", true);
    add("DataTable", "数据列表", "Ctrl+T", "dataTable.png", true);
    add("Edition", "编辑", "Ctrl+Alt+E", "Edition.png", true);
    add("Monitoring", "监控", "Ctrl+Alt+M", "monitor.png", false);
    add("SensorSetting", "传感器设定", "Ctrl+Alt+S", "SensorSetting.png", true);
    add("IOSimulation", "输入输出仿真", "Ctrl+Alt+I", "Simulation.png", true);
    add("SerialSetting", "串口设置", "", "Usartsettingt.png", false);
    add("EthnernetSetting", "以太网设置", "", "EthernetSetting.png", false);
    add("SerialConnection", "串口", "", "Serial.png", true);
    add("EthernetConnection", "以太网", "", "Ethernet.png", true);
    add("Connection", "连接设备", "Ctrl+Alt+C", "connected.png", false);
    add("DisConnection", "断开设备", "Ctrl+Alt+D", "disconnected.png", false);
    add("ReadAllSetting", "上传数据", "Ctrl+Shift+R", "upload.png", false);
    add("WriteAllSetting", "下载数据", "Ctrl+Shift+W", "download.png", false);
    add("VerifySetting", "校验", "Ctrl+Shift+V", "verify.png", false);
    add("SoftReboot", "重启设备", "Ctrl+Alt+R", "reboot.png", false);
    add("SensorInformation", "传感器信息", "Ctrl+Shift+I", "information.png", false);
    // The graph display is the start-up mode, so only its action starts checkable.
    add("DispGraph", "图形显示", "", "DispGraph.png", true);
    add("DispCloud", "点云显示", "", "DispCloud.png", false);
    add("DispLine", "线条显示", "", "DispLine.png", false);
    add("Chinese", "简体中文", "", "China.png", false);
    add("English", "English", "", "English.png", false);
    add("About", "关于", "Ctrl+A", "about.png", false);
    add("Manual", "指南", "Ctrl+M", "Manual.png", false);
    add("Laser05", "05XX", "", "radar.png", false);
    add("Laser10", "10XX", "", "", false);
    add("Laser20", "20XX", "", "", false);
    add("Laser30", "30XX", "", "", false);
    add("Laser50", "50XX", "", "", false);
    add("OpenRecording", "打开录制", "", "openRecording.png", false);
    add("RecordScan", "录制扫描", "", "recordScan.png", true);
    add("CheckRecording", "对照录制检查", "", "checkRecording.png", false);
}

void TestMainForm::actions()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, shortcut);
    QFETCH(QString, icon);
    QFETCH(bool, checkable);

    QAction *action = w->findChild<QAction *>(name);
    QVERIFY(action);
    QCOMPARE(action->parent(), w.get());
    QCOMPARE(action->text(), text);
    QCOMPARE(action->shortcut(), QKeySequence(shortcut));
    QCOMPARE(action->isCheckable(), checkable);
    if (icon.isEmpty())
        QVERIFY(action->icon().isNull());
    else
        QVERIFY2(showsImage(action->icon(), icon), qPrintable(icon));
    if (name.startsWith(QLatin1String("Laser")))
        QCOMPARE(action->toolTip(), text);
}

void TestMainForm::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("File") << "menuFile" << "文件"
                          << QStringList{"menuNew", "Open", "OpenRecording", "Save", "SaveAs", "ExportReport", "-", "Quit"};
    QTest::newRow("New") << "menuNew" << "新建文件"
                         << QStringList{"Laser05", "Laser10", "Laser20", "Laser30", "Laser50"};
    QTest::newRow("Edit") << "menuEdit" << "编辑"
                          << QStringList{"Undo", "Redo", "-", "Copy", "Cut", "Paste", "-", "Delete",
                                         "DeleteAll", "-", "AppSettings"};
    QTest::newRow("View") << "menuView" << "视窗"
                          << QStringList{"menuMode", "Distance", "Intensity", "DataTable", "RecordScan",
                                         "CheckRecording"};
    QTest::newRow("Mode") << "menuMode" << "视图"
                          << QStringList{"Edition", "Monitoring", "SensorSetting", "IOSimulation"};
    QTest::newRow("Setting") << "menuSetting" << "设置"
                             << QStringList{"SerialSetting", "EthnernetSetting"};
    QTest::newRow("Connections")
        << "menuConnections" << "连接"
        << QStringList{"menuInterfaces", "-", "Connection", "DisConnection", "-", "ReadAllSetting",
                       "WriteAllSetting", "VerifySetting", "-", "SoftReboot", "-", "SensorInformation"};
    QTest::newRow("Interfaces") << "menuInterfaces" << "接口"
                                << QStringList{"SerialConnection", "EthernetConnection"};
    QTest::newRow("Display") << "menuDisplay" << "显示"
                             << QStringList{"DispGraph", "DispCloud", "DispLine"};
    QTest::newRow("Language") << "menuLanguage" << "语言" << QStringList{"Chinese", "English"};
    QTest::newRow("Help") << "menuHelp" << "帮助" << QStringList{"About", "Manual"};
}

void TestMainForm::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, entries);

    QMenu *found = w->findChild<QMenu *>(menu);
    QVERIFY(found);
    QCOMPARE(found->title(), title);
    QCOMPARE(entryNames(found->actions()), entries);
}

void TestMainForm::menuBarAndToolBarsInOrder()
{
    QCOMPARE(entryNames(w->menuBar()->actions()),
             (QStringList{"menuFile", "menuEdit", "menuView", "menuSetting", "menuConnections",
                          "menuDisplay", "menuLanguage", "menuHelp"}));

    const QStringList order = {"FileToolBar", "EditToolBar", "ViewToolBar", "ConnectToolBar",
                               "HelpToolBar", "ConnTypeToolBar", "DispToolBar"};
    int previousRight = -1;
    int row = -1;
    for (const QString &name : order) {
        auto *bar = w->findChild<QToolBar *>(name);
        QVERIFY2(bar, qPrintable(name));
        QCOMPARE(w->toolBarArea(bar), Qt::TopToolBarArea);
        QVERIFY(!w->toolBarBreak(bar));
        if (row < 0)
            row = bar->y();
        QCOMPARE(bar->y(), row);
        QVERIFY2(bar->x() > previousRight, qPrintable(name));
        previousRight = bar->x();
    }
    // The seven of the top area and the two built into docks, nothing else.
    QCOMPARE(w->findChildren<QToolBar *>().size(), order.size() + 2);
}

void TestMainForm::toolBarContents_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QStringList>("entries");

    // The new-file button sits in front of Open as a widget action without a name.
    QTest::newRow("File") << "FileToolBar" << QStringList{"", "Open", "Save", "SaveAs"};
    QTest::newRow("Edit") << "EditToolBar" << QStringList{"Undo", "Redo"};
    QTest::newRow("View") << "ViewToolBar"
                          << QStringList{"Distance", "Intensity", "Monitoring", "Edition",
                                         "DataTable", "RecordScan", "SensorSetting", "IOSimulation"};
    QTest::newRow("Connect") << "ConnectToolBar"
                             << QStringList{"EthnernetSetting", "SerialSetting", "Connection",
                                            "DisConnection", "ReadAllSetting", "WriteAllSetting",
                                            "VerifySetting", "SoftReboot", "SensorInformation"};
    QTest::newRow("Help") << "HelpToolBar" << QStringList{"About", "Manual"};
    QTest::newRow("ConnType") << "ConnTypeToolBar"
                              << QStringList{"EthernetConnection", "SerialConnection"};
    QTest::newRow("Disp") << "DispToolBar" << QStringList{"DispGraph", "DispCloud", "DispLine"};
    QTest::newRow("area") << "AreaToolBar"
                          << QStringList{"Copy", "Cut", "Paste", "Delete", "DeleteAll"};
    QTest::newRow("sensor") << "SensorToolBar" << QStringList{"ReadAllSetting", "WriteAllSetting"};
}

void TestMainForm::toolBarContents()
{
    QFETCH(QString, bar);
    QFETCH(QStringList, entries);
    auto *toolBar = w->findChild<QToolBar *>(bar);
    QVERIFY(toolBar);
    QCOMPARE(entryNames(toolBar->actions()), entries);
}

void TestMainForm::newFileButton()
{
    auto *fileBar = w->findChild<QToolBar *>("FileToolBar");
    auto *button = qobject_cast<QToolButton *>(fileBar->widgetForAction(fileBar->actions().first()));
    QVERIFY(button);
    QCOMPARE(button->objectName(), QStringLiteral("NewFileButton"));
    QCOMPARE(button->popupMode(), QToolButton::MenuButtonPopup);
    QCOMPARE(button->menu(), w->findChild<QMenu *>("menuNew"));
    QCOMPARE(button->iconSize(), QSize(24, 24));
    QVERIFY(showsImage(button->icon(), QStringLiteral(":images/newFile")));

    // The dock tool bars live in the boxes made for them.
    auto *areaBox = w->findChild<QBoxLayout *>("EditionMenuLayout");
    QVERIFY(areaBox->indexOf(w->findChild<QToolBar *>("AreaToolBar")) >= 0);
    auto *sensorBox = w->findChild<QBoxLayout *>("SensorMenuLayout");
    QVERIFY(sensorBox->indexOf(w->findChild<QToolBar *>("SensorToolBar")) >= 0);
}

void TestMainForm::docks_data()
{
    QTest::addColumn<QString>("dock");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("area");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QString>("contents");

    QTest::newRow("edition") << "EditionControlDock" << "编辑控制" << int(Qt::LeftDockWidgetArea)
                             << QSize() << "dockWidgetContents";
    QTest::newRow("data table") << "DataTableDock" << "数据列表" << int(Qt::RightDockWidgetArea)
                                << QSize(93, 146) << "DataTableContents";
    QTest::newRow("sensor") << "SensorSettingDock" << "传感器设定" << int(Qt::RightDockWidgetArea)
                            << QSize(109, 143) << "SensorSettingContents";
    QTest::newRow("io simulation") << "IOSimulationDock" << "IO端口仿真"
                                   << int(Qt::RightDockWidgetArea) << QSize(294, 247)
                                   << "IOSimulationContents";
}

void TestMainForm::docks()
{
    QFETCH(QString, dock);
    QFETCH(QString, title);
    QFETCH(int, area);
    QFETCH(QSize, minimum);
    QFETCH(QString, contents);

    auto *found = w->findChild<QDockWidget *>(dock);
    QVERIFY(found);
    QCOMPARE(found->parent(), w.get());
    QCOMPARE(found->windowTitle(), title);
    QCOMPARE(int(w->dockWidgetArea(found)), area);
    // The form's minimum; a dock whose contents need more keeps the larger one.
    QCOMPARE(found->minimumSize().expandedTo(minimum), found->minimumSize());
    QCOMPARE(found->widget()->objectName(), contents);
}

void TestMainForm::tabs_data()
{
    QTest::addColumn<QString>("tabWidget");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("ParametersEditTab") << "ParametersEditTab" << QStringList{"Parameters", "CaseChannel"}
                                       << QStringList{"通道参数", "智能选择"};
    QTest::newRow("AreaEditTab") << "AreaEditTab"
                                 << QStringList{"TableAreaOut1", "TableAreaOut2", "TableAreaOut3"}
                                 << QStringList{"输出1", "输出2", "输出3"};
    for (int n = 1; n <= 3; ++n) {
        const QString coordinates = QStringLiteral("TableCoordinatesOut%1").arg(n);
        QTest::addRow("%s", qPrintable(coordinates))
            << coordinates
            << QStringList{QStringLiteral("CoordinatesOut%1").arg(n), QStringLiteral("TeachingOut%1").arg(n)}
            << QStringList{"坐标", "自学习"};
        const QString type = QStringLiteral("CoordinatesTypeOut%1").arg(n);
        QTest::addRow("%s", qPrintable(type))
            << type
            << QStringList{QStringLiteral("CoordXYOut%1").arg(n), QStringLiteral("CoordPolarOut%1").arg(n)}
            << QStringList{"X/Y坐标", "角度距离"};
    }
}

void TestMainForm::tabs()
{
    QFETCH(QString, tabWidget);
    QFETCH(QStringList, pages);
    QFETCH(QStringList, texts);

    auto *tabs = w->findChild<QTabWidget *>(tabWidget);
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), pages.size());
    QCOMPARE(tabs->currentIndex(), 0);
    for (int i = 0; i < pages.size(); ++i) {
        QCOMPARE(tabs->widget(i)->objectName(), pages.at(i));
        QCOMPARE(tabs->tabText(i), texts.at(i));
    }
    if (tabWidget.startsWith(QLatin1String("CoordinatesType")))
        QCOMPARE(tabs->tabPosition(), QTabWidget::South);
    // As high as its rows need, whatever the language and the fonts, never lower than
    // the form made it.
    if (tabWidget == QLatin1String("ParametersEditTab"))
        QVERIFY(tabs->maximumHeight() >= 130);
}

void TestMainForm::spinBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");

    QTest::newRow("SteerMinDgree") << "SteerMinDgree" << -180 << 180 << 0;
    QTest::newRow("SteerMaxDgree") << "SteerMaxDgree" << -180 << 180 << 0;
    QTest::newRow("VehicleMinSpeed") << "VehicleMinSpeed" << -300 << 300 << 0;
    QTest::newRow("VehicleMaxSpeed") << "VehicleMaxSpeed" << -300 << 300 << 0;
    QTest::newRow("Para_RS485IDAddress") << "Para_RS485IDAddress" << 1 << 127 << 127;
    QTest::newRow("Para_CANIDAddress") << "Para_CANIDAddress" << 1 << 127 << 127;
    QTest::newRow("Para_ScanfMotorSpeed") << "Para_ScanfMotorSpeed" << 1200 << 2400 << 1200;
    QTest::newRow("Para_SensorZeroValue") << "Para_SensorZeroValue" << 1000 << 3000 << 1780;
    QTest::newRow("DirtyReceDistance") << "DirtyReceDistance" << 0 << 2000 << 0;
    QTest::newRow("DirtyReceStrength") << "DirtyReceStrength" << 0 << 2000 << 0;
    QTest::newRow("Para_SensorIPAddress1") << "Para_SensorIPAddress1" << 10 << 223 << 192;
    QTest::newRow("Para_SensorIPAddress2") << "Para_SensorIPAddress2" << 0 << 255 << 168;
    QTest::newRow("Para_SensorIPAddress3") << "Para_SensorIPAddress3" << 0 << 255 << 1;
    QTest::newRow("Para_SensorIPAddress4") << "Para_SensorIPAddress4" << 0 << 255 << 88;
    QTest::newRow("InputspinBox") << "InputspinBox" << 0 << 63 << 0;
    QTest::newRow("OutputspinBox") << "OutputspinBox" << 0 << 7 << 0;
    QTest::newRow("SimDgreeSpinBox") << "SimDgreeSpinBox" << -180 << 180 << 0;
    QTest::newRow("SimSpeedSpinBox") << "SimSpeedSpinBox" << -300 << 300 << 0;
}

void TestMainForm::spinBoxes()
{
    QFETCH(QString, name);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, value);
    auto *spin = w->findChild<QSpinBox *>(name);
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), minimum);
    QCOMPARE(spin->maximum(), maximum);
    QCOMPARE(spin->value(), value);

    // Sliders paired with a spin box share its range.
    const QString sliderName = QString(name).replace(QLatin1String("SpinBox"), QLatin1String("Slider"));
    if (auto *slider = w->findChild<QSlider *>(sliderName); slider && sliderName != name) {
        QCOMPARE(slider->minimum(), minimum);
        QCOMPARE(slider->maximum(), maximum);
        QCOMPARE(slider->orientation(), Qt::Horizontal);
    }
}

void TestMainForm::comboBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");

    QStringList delays;
    for (int ms = 0; ms <= 500; ms += 20)
        delays << QStringLiteral("%1ms").arg(ms);
    QStringList hysteresis{"关闭"};
    for (int percent = 1; percent <= 10; ++percent)
        hysteresis << QStringLiteral("%1%").arg(percent);
    QStringList detection;
    for (int half = 1; half <= 10; ++half)
        detection << QStringLiteral("%1°").arg(half * 0.5, 0, 'f', 1);
    const QStringList bauds{"9600", "19200", "38400", "57600", "115200", "460800"};
    const QStringList parity{"无校验", "奇校验", "偶校验"};
    const QStringList stop{"停止位1Bit", "停止位1.5Bit", "停止位2Bit"};
    const QStringList filters{"关闭", "简单", "中等", "严格"};

    QTest::newRow("Area_OpenDelay") << "Area_OpenDelay" << delays;
    QTest::newRow("Area_CloseDelay") << "Area_CloseDelay" << delays;
    QTest::newRow("Area_Hysteresis") << "Area_Hysteresis" << hysteresis;
    QTest::newRow("Area_DetectionSize") << "Area_DetectionSize" << detection;
    QTest::newRow("VehicleOptionMode")
        << "VehicleOptionMode" << QStringList{"通道组0", "通道组1", "通道组2", "通道组3", "通道组4"};
    for (int n = 1; n <= 3; ++n) {
        const QString method = QStringLiteral("MethodOut%1").arg(n);
        QTest::addRow("%s", qPrintable(method)) << method << QStringList{"平均值", "最小值"};
    }
    QTest::newRow("Para_ControlMode")
        << "Para_ControlMode"
        << QStringList{"IO接口控制", "RS232通信控制", "RS485通信控制", "CAN总线控制", "Modbus协议控制"};
    QTest::newRow("Para_RS232BaudRate") << "Para_RS232BaudRate" << bauds;
    QTest::newRow("Para_RS232CommVerify") << "Para_RS232CommVerify" << parity;
    QTest::newRow("Para_RS232StopBit") << "Para_RS232StopBit" << stop;
    QTest::newRow("Para_RS485BaudRate") << "Para_RS485BaudRate" << bauds;
    QTest::newRow("Para_RS485CommVerify") << "Para_RS485CommVerify" << parity;
    QTest::newRow("Para_RS485StopBit") << "Para_RS485StopBit" << stop;
    QTest::newRow("Para_CANBaudRate") << "Para_CANBaudRate" << QStringList{"125K", "250K", "500K", "1000K"};
    QTest::newRow("Para_SensorOutputLogic") << "Para_SensorOutputLogic" << QStringList{"常闭方式", "常开方式"};
    QTest::newRow("Para_ScanfMotorSyncMode")
        << "Para_ScanfMotorSyncMode" << QStringList{"独立模式", "主机模式", "从机模式"};
    QTest::newRow("Para_ScanfMotorSyncAngle")
        << "Para_ScanfMotorSyncAngle" << QStringList{"0度", "90度", "180度", "270度"};
    QTest::newRow("Para_SensorInstallDir") << "Para_SensorInstallDir" << QStringList{"正向安装", "倒立安装"};
    QTest::newRow("SensorEtherMode") << "SensorEtherMode" << QStringList{"TCP服务器", "UDP模式"};
    QTest::newRow("SensorScanFerq") << "SensorScanFerq" << QStringList{"72KHz", "144KHz"};
    QTest::newRow("SensorScanAngle") << "SensorScanAngle" << QStringList{"0.1度", "0.2度"};
    QTest::newRow("ScanFilterLevel") << "ScanFilterLevel" << filters;
    QTest::newRow("SensorMultipleEcho")
        << "SensorMultipleEcho" << QStringList{"第一次", "第二次", "最后一次", "能量最大"};
    QTest::newRow("TrailiFilterLevel") << "TrailiFilterLevel" << filters;
    QTest::newRow("SimOptionMode")
        << "SimOptionMode" << QStringList{"操作模式0", "操作模式1", "操作模式2", "操作模式3", "操作模式4"};
}

void TestMainForm::comboBoxes()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    auto *combo = w->findChild<QComboBox *>(name);
    QVERIFY(combo);
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    QCOMPARE(texts, items);
    // The edit controls show area 0 from the start, whose detection size is 1.0°.
    QCOMPARE(combo->currentIndex(), name == QLatin1String("Area_DetectionSize") ? 1 : 0);
}

void TestMainForm::statusStrip()
{
    for (int n = 1; n <= 6; ++n) {
        auto *lamp = w->findChild<QLabel *>(QStringLiteral("InputPort%1").arg(n));
        QCOMPARE(lamp->size(), QSize(28, 28));
        QVERIFY(lamp->hasScaledContents());
    }
    for (int n = 1; n <= 3; ++n) {
        auto *lamp = w->findChild<QLabel *>(QStringLiteral("OutputPort%1").arg(n));
        QCOMPARE(lamp->size(), QSize(28, 28));
        QVERIFY(lamp->hasScaledContents());
    }
    auto *lcd = w->findChild<QLCDNumber *>("InputlcdNum");
    QCOMPARE(lcd->digitCount(), 2);
    QCOMPARE(lcd->size(), QSize(32, 32));
    QCOMPARE(lcd->intValue(), 0);

    auto *slider = w->findChild<QSlider *>("ZoomSlider");
    QCOMPARE(slider->orientation(), Qt::Horizontal);
    QCOMPARE(slider->size(), QSize(100, 28));
    for (const char *name : {"ZoomIn", "ZoomOut"})
        QCOMPARE(w->findChild<QToolButton *>(name)->size(), QSize(28, 28));
    QVERIFY(showsImage(w->findChild<QToolButton *>("ZoomIn")->icon(), ":/images/Zoom_in.png"));
    QVERIFY(showsImage(w->findChild<QToolButton *>("ZoomOut")->icon(), ":/images/Zoom_out.png"));

    const QMap<QString, QString> captions{{"label_dir", "安装方式"}, {"label_Status", "状态"},
                                          {"label_dirValue", ""}, {"label_StatusValue", ""},
                                          {"label_Inputs", "输入"}, {"label_Outputs", "输出"}};
    for (auto it = captions.cbegin(); it != captions.cend(); ++it) {
        auto *label = w->findChild<QLabel *>(it.key());
        QCOMPARE(label->text(), it.value());
        QCOMPARE(label->alignment(), Qt::AlignCenter);
    }
    // The strip sits below the view.
    auto *view = w->findChild<QWidget *>("graphicsView");
    QVERIFY(topOf(lcd, w.get()) > topOf(view, w.get()) + view->height() - 1);
    QVERIFY(topOf(w->findChild<QLabel *>("label_dirValue"), w.get())
            > topOf(w->findChild<QLabel *>("label_dir"), w.get()));
}

void TestMainForm::startPictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("picture");
    for (int n = 1; n <= 6; ++n)
        QTest::addRow("InputPort%d", n) << QStringLiteral("InputPort%1").arg(n)
                                        << QStringLiteral(":/images/Gray%1.png").arg(n);
    for (int n = 1; n <= 3; ++n)
        QTest::addRow("OutputPort%d", n) << QStringLiteral("OutputPort%1").arg(n)
                                         << QStringLiteral(":/images/Gray%1.png").arg(n);
}

void TestMainForm::startPictures()
{
    QFETCH(QString, name);
    QFETCH(QString, picture);
    auto *lamp = w->findChild<QLabel *>(name);
    QVERIFY(lamp && !lamp->pixmap().isNull());
    QVERIFY(sameImage(lamp->pixmap().toImage(), QImage(picture)));
}

void TestMainForm::simulationButtons()
{
    struct Expected { QString name; QString picture; bool focusable; };
    QVector<Expected> buttons;
    for (int n = 1; n <= 6; ++n)
        buttons.append({QStringLiteral("InputButton%1").arg(n), QStringLiteral(":/images/Gray%1.png").arg(n), false});
    for (int n = 1; n <= 3; ++n)
        buttons.append({QStringLiteral("OutputButton%1").arg(n), QStringLiteral(":/images/Gray%1.png").arg(n), false});
    buttons.append({QStringLiteral("FaultSimuButton"), QStringLiteral(":/images/GrayFault.png"), true});
    for (const Expected &e : std::as_const(buttons)) {
        auto *button = w->findChild<QAbstractButton *>(e.name);
        QVERIFY2(button, qPrintable(e.name));
        QVERIFY(button->isCheckable());
        QVERIFY(!button->isChecked());
        QCOMPARE(button->iconSize(), QSize(25, 25));
        QVERIFY2(showsImage(button->icon(), e.picture), qPrintable(e.name));
        if (!e.focusable)
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
    for (const char *name : {"InportGrouptBox", "OutportGrouptBox", "FaultGroupBox", "CaseSimulationBox"}) {
        auto *group = w->findChild<QGroupBox *>(name);
        QVERIFY(group->isCheckable());
        QVERIFY(!group->isChecked());
    }
    const QMap<QString, QString> titles{{"InportGrouptBox", "输入端口仿真"},
                                        {"OutportGrouptBox", "输出端口仿真"},
                                        {"FaultGroupBox", "异常状态仿真"},
                                        {"CaseSimulationBox", "智能选择仿真"}};
    for (auto it = titles.cbegin(); it != titles.cend(); ++it)
        QCOMPARE(w->findChild<QGroupBox *>(it.key())->title(), it.value());

    for (int n = 1; n <= 3; ++n) {
        for (const char *shape : {"Polygon", "Arc", "Rectangle", "Straight", "Fan", "Ratio"}) {
            auto *button = w->findChild<QToolButton *>(QStringLiteral("Button%1Out%2").arg(QLatin1String(shape)).arg(n));
            QCOMPARE(button->iconSize(), QSize(50, 50));
        }
    }
}

void TestMainForm::leftToRight_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("status strip")
        << QStringList{"label_dir", "label_Status", "InputPort6", "InputPort5", "InputPort4",
                       "InputPort3", "InputPort2", "InputPort1", "InputlcdNum", "OutputPort3",
                       "OutputPort2", "OutputPort1", "ZoomOut", "ZoomSlider", "ZoomIn"};
    QTest::newRow("input simulation")
        << QStringList{"InputspinBox", "InputButton6", "InputButton5", "InputButton4",
                       "InputButton3", "InputButton2", "InputButton1"};
    QTest::newRow("output simulation")
        << QStringList{"OutputspinBox", "OutputButton3", "OutputButton2", "OutputButton1"};
    QTest::newRow("output and fault groups") << QStringList{"OutportGrouptBox", "FaultGroupBox"};
    QTest::newRow("steering") << QStringList{"label_SimDgree", "SimDgreeSpinBox", "SimDgreeSlider"};
    QTest::newRow("speed") << QStringList{"label_SimSpeed", "SimSpeedSpinBox", "SimSpeedSlider"};
    QTest::newRow("operation") << QStringList{"label_SimOptionMode", "SimOptionMode"};
    QTest::newRow("independent shapes")
        << QStringList{"ButtonPolygonOut1", "ButtonArcOut1", "ButtonRectangleOut1"};
    QTest::newRow("dependent shapes")
        << QStringList{"ButtonStraightOut1", "ButtonFanOut1", "ButtonRatioOut1"};
    QTest::newRow("steer range") << QStringList{"label_SteerDgreeRange", "SteerMinDgree", "SteerMaxDgree"};
    QTest::newRow("ip address")
        << QStringList{"Para_SensorIPAddress1", "Para_SensorIPAddress2", "Para_SensorIPAddress3",
                       "Para_SensorIPAddress4"};
    QTest::newRow("edition panes") << QStringList{"AreaEditContents", "RegionsEditContents"};
    QTest::newRow("docks") << QStringList{"EditionControlDock", "graphicsView", "SensorSettingDock"};
}

void TestMainForm::leftToRight()
{
    QFETCH(QStringList, names);
    int previous = std::numeric_limits<int>::min();
    for (const QString &name : std::as_const(names)) {
        auto *widget = w->findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        const int x = leftOf(widget, w.get());
        QVERIFY2(x > previous, qPrintable(name));
        previous = x;
    }
}

void TestMainForm::sensorRowsTopToBottom()
{
    const QStringList fields = {
        "Para_ControlMode", "Para_RS232BaudRate", "Para_RS232CommVerify", "Para_RS232StopBit",
        "Para_RS485IDAddress", "Para_RS485BaudRate", "Para_RS485CommVerify", "Para_RS485StopBit",
        "Para_CANIDAddress", "Para_CANBaudRate", "Para_SensorOutputLogic", "Para_ScanfMotorSpeed",
        "Para_ScanfMotorSyncMode", "Para_ScanfMotorSyncAngle", "Para_SensorInstallDir",
        "Para_SensorZeroValue", "SensorEtherMode", "SensorScanFerq", "SensorScanAngle",
        "ScanFilterLevel", "SensorMultipleEcho", "DirtyReceDistance", "DirtyReceStrength",
        "TrailiFilterLevel", "SensorIPAddressDisp", "Para_SensorIPAddress1"};
    auto *contents = w->findChild<QWidget *>("scrollAreaWidgetContents_3");
    QVERIFY(contents);
    int previous = -1;
    for (const QString &name : fields) {
        auto *field = contents->findChild<QWidget *>(name);
        QVERIFY2(field, qPrintable(name));
        const int y = topOf(field, contents);
        QVERIFY2(y > previous, qPrintable(name));
        previous = y;
    }
    QVERIFY(!w->findChild<QLineEdit *>("SensorIPAddressDisp")->isEnabled());
}

// Where a widget sits in the grid layout that holds it: row, column, row span, column span.
static QVector<int> gridCell(QGridLayout *grid, QWidget *widget)
{
    const int index = grid ? grid->indexOf(widget) : -1;
    if (index < 0)
        return {};
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    return {row, column, rowSpan, columnSpan};
}

void TestMainForm::sensorGridColumns()
{
    // Captions take columns 0-1 and fields columns 2-3; the four address boxes share the
    // last row, one column each.
    auto *grid = qobject_cast<QGridLayout *>(
        w->findChild<QWidget *>("scrollAreaWidgetContents_3")->layout());
    QVERIFY(grid);
    const QStringList captions = {
        "label_ControlMode", "label_RS232BaudRate", "label_RS232CommVerify",
        "label_RS232StopBit", "label_RS485IDAddress", "label_RS485BaudRate",
        "label_RS485CommVerify", "label_RS485StopBit", "label_CANIDAddress",
        "label_CANBaudRate", "label_SensorOutputLogic", "label_ScanfMotorSpeed",
        "label_ScanfMotorSyncMode", "label_ScanfMotorSyncAngle", "label_SensorInstallDir",
        "label_SensorZeroValue", "label_SensorEtherMode", "label_SensorScanFerq",
        "label_SensorScanAngle", "label_ScanFilterLevel", "label_SensorMultipleEcho",
        "label_DirtyReceDistance", "label_DirtyReceStrength", "label_TrailiFilterLevel",
        "label_SensorIPAddress"};
    const QStringList fields = {
        "Para_ControlMode", "Para_RS232BaudRate", "Para_RS232CommVerify", "Para_RS232StopBit",
        "Para_RS485IDAddress", "Para_RS485BaudRate", "Para_RS485CommVerify", "Para_RS485StopBit",
        "Para_CANIDAddress", "Para_CANBaudRate", "Para_SensorOutputLogic", "Para_ScanfMotorSpeed",
        "Para_ScanfMotorSyncMode", "Para_ScanfMotorSyncAngle", "Para_SensorInstallDir",
        "Para_SensorZeroValue", "SensorEtherMode", "SensorScanFerq", "SensorScanAngle",
        "ScanFilterLevel", "SensorMultipleEcho", "DirtyReceDistance", "DirtyReceStrength",
        "TrailiFilterLevel", "SensorIPAddressDisp"};
    for (int row = 0; row < captions.size(); ++row) {
        QCOMPARE(gridCell(grid, w->findChild<QWidget *>(captions.at(row))),
                 (QVector<int>{row, 0, 1, 2}));
        QCOMPARE(gridCell(grid, w->findChild<QWidget *>(fields.at(row))),
                 (QVector<int>{row, 2, 1, 2}));
    }
    for (int octet = 0; octet < 4; ++octet)
        QCOMPARE(gridCell(grid, w->findChild<QWidget *>(QStringLiteral("Para_SensorIPAddress%1").arg(octet + 1))),
                 (QVector<int>{int(captions.size()), octet, 1, 1}));
}

void TestMainForm::simulationDockGrid()
{
    // Three rows of groups; the stretch that closes the case group lives inside it.
    auto *dockGrid = qobject_cast<QGridLayout *>(w->findChild<QWidget *>("IOSimulationContents")->layout());
    QVERIFY(dockGrid);
    QCOMPARE(dockGrid->rowCount(), 3);
    QCOMPARE(gridCell(dockGrid, w->findChild<QGroupBox *>("InportGrouptBox")), (QVector<int>{0, 0, 1, 2}));
    QCOMPARE(gridCell(dockGrid, w->findChild<QGroupBox *>("OutportGrouptBox")), (QVector<int>{1, 0, 1, 1}));
    QCOMPARE(gridCell(dockGrid, w->findChild<QGroupBox *>("FaultGroupBox")), (QVector<int>{1, 1, 1, 1}));
    QCOMPARE(gridCell(dockGrid, w->findChild<QGroupBox *>("CaseSimulationBox")), (QVector<int>{2, 0, 1, 2}));

    auto *caseGrid = qobject_cast<QGridLayout *>(w->findChild<QGroupBox *>("CaseSimulationBox")->layout());
    QVERIFY(caseGrid);
    QCOMPARE(gridCell(caseGrid, w->findChild<QWidget *>("label_SimDgree")), (QVector<int>{0, 0, 1, 1}));
    QCOMPARE(gridCell(caseGrid, w->findChild<QWidget *>("SimDgreeSpinBox")), (QVector<int>{0, 1, 1, 1}));
    QCOMPARE(gridCell(caseGrid, w->findChild<QWidget *>("SimDgreeSlider")), (QVector<int>{0, 2, 1, 1}));
    QCOMPARE(gridCell(caseGrid, w->findChild<QWidget *>("label_SimSpeed")), (QVector<int>{1, 0, 1, 1}));
    QCOMPARE(gridCell(caseGrid, w->findChild<QWidget *>("SimSpeedSpinBox")), (QVector<int>{1, 1, 1, 1}));
    QCOMPARE(gridCell(caseGrid, w->findChild<QWidget *>("SimSpeedSlider")), (QVector<int>{1, 2, 1, 1}));
    QCOMPARE(gridCell(caseGrid, w->findChild<QWidget *>("label_SimOptionMode")), (QVector<int>{2, 0, 1, 2}));
    QCOMPARE(gridCell(caseGrid, w->findChild<QWidget *>("SimOptionMode")), (QVector<int>{2, 2, 1, 1}));
    QCOMPARE(caseGrid->rowCount(), 4);
    QLayoutItem *stretch = caseGrid->itemAtPosition(3, 0);
    QVERIFY(stretch && stretch->spacerItem());
    QVERIFY(stretch->expandingDirections() & Qt::Vertical);

    // The fault button sits centred between its two stretches.
    auto *fault = w->findChild<QAbstractButton *>("FaultSimuButton");
    auto *faultGroup = w->findChild<QGroupBox *>("FaultGroupBox");
    QVERIFY(qAbs(fault->geometry().center().x() - faultGroup->rect().center().x()) <= 2);
}

void TestMainForm::everyImageLoads_data()
{
    QTest::addColumn<QString>("path");
    const QStringList paths = imagePaths();
    for (const QString &path : paths)
        QTest::addRow("%s", qPrintable(path)) << path;
}

void TestMainForm::everyImageLoads()
{
    QFETCH(QString, path);
    initResources();
    const QImage image(path);
    QVERIFY(!image.isNull());
    // Large enough to stay crisp in a 50 pixel shape button.
    QVERIFY(image.width() >= 50 && image.height() >= 50);
}

void TestMainForm::lampColours_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("minimumHue");  // -1: a grey lamp
    QTest::addColumn<int>("maximumHue");
    for (int n = 1; n <= 6; ++n) {
        QTest::addRow("Gray%d", n) << QStringLiteral(":/images/Gray%1.png").arg(n) << -1 << -1;
        QTest::addRow("Green%d", n) << QStringLiteral(":/images/Green%1.png").arg(n) << 100 << 150;
    }
    QTest::newRow("GrayFault") << ":/images/GrayFault.png" << -1 << -1;
    QTest::newRow("GreenFault") << ":/images/GreenFault.png" << 100 << 150;
    QTest::newRow("Yellow1") << ":/images/Yellow1.png" << 45 << 65;
    QTest::newRow("Orange2") << ":/images/Orange2.png" << 20 << 40;
    QTest::newRow("Red3") << ":/images/Red3.png" << 0 << 10;
}

void TestMainForm::lampColours()
{
    QFETCH(QString, path);
    QFETCH(int, minimumHue);
    QFETCH(int, maximumHue);
    const QImage lamp(path);
    // Left of the digit, inside the lamp's face.
    const QColor face = lamp.pixelColor(lamp.width() / 4, lamp.height() * 3 / 5);
    QCOMPARE(face.alpha(), 255);
    if (minimumHue < 0) {
        QVERIFY2(face.hsvSaturation() < 40, qPrintable(face.name()));
    } else {
        QVERIFY2(face.hsvSaturation() > 120, qPrintable(face.name()));
        QVERIFY2(face.hsvHue() >= minimumHue && face.hsvHue() <= maximumHue, qPrintable(face.name()));
    }
}

void TestMainForm::shapeButtonsAreDistinct()
{
    const QStringList shapes = {"Polygon", "round", "Rectangle", "Straight", "Fan", "Ratio"};
    for (int i = 0; i < shapes.size(); ++i) {
        for (int j = i + 1; j < shapes.size(); ++j) {
            const QImage a(QStringLiteral(":/images/%1.png").arg(shapes.at(i)));
            const QImage b(QStringLiteral(":/images/%1.png").arg(shapes.at(j)));
            QVERIFY2(!sameImage(a, b), qPrintable(shapes.at(i) + " vs " + shapes.at(j)));
        }
    }
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
