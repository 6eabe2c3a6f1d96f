#include "app/mainwindow.h"

#include "app/about.h"
#include "app/messagebox.h"
#include "app/storedsettings.h"
#include "areas/areatable.h"
#include "areas/coordtable.h"
#include "areas/editcontrol.h"
#include "graphics/coordtext.h"
#include "graphics/optionscene.h"
#include "graphics/paintoutline.h"
#include "graphics/paintstrength.h"
#include "graphics/viewwindow.h"
#include "link/serialcomm.h"
#include "link/transferprogress.h"
#include "project/devicemodels.h"
#include "resources/resources.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QGraphicsScene>
#include <QIcon>
#include <QLabel>
#include <QStatusBar>
#include <QSerialPort>
#include <QTcpSocket>
#include <QToolBar>
#include <QToolButton>
#include <QUdpSocket>
#include <QUrl>

namespace veltrix {

namespace {

constexpr int MaximumZoomLevel = 350;
// Zoom levels between two tick marks: on the 100-pixel slider the marks stay apart
// for every model's range instead of running together into a dotted line.
constexpr int ZoomTickInterval = 50;

const char *const ManualChinese = "./manual/manual_cn.pdf";
const char *const ManualEnglish = "./manual/manual_en.pdf";

const char *const EthernetModeTcpText = "MODE: TCP";
const char *const EthernetModeUdpText = "MODE: UDP";

const QSize NewFileIconSize(24, 24);

const QSize DockToolBarIconSize(20, 20);

// Built-in layout of a first start, before any saved layout exists: wide enough for the
// shape buttons of the edition dock and the fields of the sensor dock.
constexpr int EditionDockWidth = 410;
constexpr int AreaListWidth = 170;
constexpr int RightDockWidth = 290;
constexpr int DataTableDockHeight = 200;

// Buttons of the unsaved-changes prompt, left to right.
enum CloseChoice { SaveAndClose = 0, CloseWithoutSaving = 1, CancelClosing = 2 };

UserMessage unsavedChangesPrompt()
{
    UserMessage message;
    message.icon = MessageIcon::Warning;
    message.title = MainWindow::tr("警告");
    message.text = MainWindow::tr("关于应用程序\n您修改了数据直接退出而不保存？");
    message.buttons = QStringList{MainWindow::tr("保存"), MainWindow::tr("关闭"),
                                  MainWindow::tr("取消")};
    message.defaultButton = SaveAndClose;
    message.escapeButton = -1;
    return message;
}

}  // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent),
      ui(new Ui::MainWindow),
      m_urlOpener([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    initResources();
    ui->setupUi(this);
    m_messenger.setPresenter(messageBoxPresenter(this));

    createDialogs();
    createScene();
    createTransports();
    createLink();
    createControllers();
    applyInitialState();
    buildExtraToolBars();
    wireSignals();
    finishStartup();
    LoadSettings();
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::createDialogs()
{
    about = std::make_unique<About>();
}

void MainWindow::createScene()
{
    scene = std::make_unique<QGraphicsScene>();
    ui->graphicsView->setScene(scene.get());
    ui->graphicsView->centerOn(0, 0);
    ui->graphicsView->SetDeviceType(&modelIndex);
    optionScene = std::make_unique<OPTION_SCENE>(&modelIndex, scene.get(), &m_areaModel,
                                                 &m_linkData,
                                                 ui->graphicsView->BackgroundItems());
}

void MainWindow::createTransports()
{
    serialPort = std::make_unique<QSerialPort>();
    tcpSocket = std::make_unique<QTcpSocket>();
    udpSocket = std::make_unique<QUdpSocket>();
}

void MainWindow::createLink()
{
    link = std::make_unique<SERIAL_COMM>(serialPort.get(), &m_linkData, &m_areaModel,
                                         &m_sensorParameters, tcpSocket.get(), udpSocket.get(),
                                         &m_messenger);
    link->SetRangeLimit(modelIndex);
    m_transferProgress = std::make_unique<TransferProgress>();
    m_transferProgress->attach(link.get());
}

void MainWindow::createControllers()
{
    areaTable = std::make_unique<AREA_TABLE>(&m_areaModel, ui->AreaTableWidget, ui->Copy,
                                             ui->Cut, ui->Paste, ui->Delete);
    coordTable = std::make_unique<COORD_TABLE>(
        &m_areaModel, ui->CoordTableWidgetOut1, ui->CoordTableWidgetOut2,
        ui->CoordTableWidgetOut3, ui->PolarTableWidgeOut1, ui->PolarTableWidgeOut2,
        ui->PolarTableWidgeOut3);

    EditControlWidgets widgets;
    widgets.areaEditTab = ui->AreaEditTab;
    widgets.openDelay = ui->Area_OpenDelay;
    widgets.closeDelay = ui->Area_CloseDelay;
    widgets.hysteresis = ui->Area_Hysteresis;
    widgets.detectionSize = ui->Area_DetectionSize;
    widgets.steerMinDgree = ui->SteerMinDgree;
    widgets.steerMaxDgree = ui->SteerMaxDgree;
    widgets.vehicleMinSpeed = ui->VehicleMinSpeed;
    widgets.vehicleMaxSpeed = ui->VehicleMaxSpeed;
    widgets.vehicleOptionMode = ui->VehicleOptionMode;
    widgets.shapeButtons = {{
        {ui->ButtonPolygonOut1, ui->ButtonArcOut1, ui->ButtonRectangleOut1,
         ui->ButtonStraightOut1, ui->ButtonFanOut1, ui->ButtonRatioOut1},
        {ui->ButtonPolygonOut2, ui->ButtonArcOut2, ui->ButtonRectangleOut2,
         ui->ButtonStraightOut2, ui->ButtonFanOut2, ui->ButtonRatioOut2},
        {ui->ButtonPolygonOut3, ui->ButtonArcOut3, ui->ButtonRectangleOut3,
         ui->ButtonStraightOut3, ui->ButtonFanOut3, ui->ButtonRatioOut3},
    }};
    editControl = std::make_unique<EDIT_CONTROL>(&m_areaModel, widgets);
    // The form's first entries are not area 0's values (its detection size is 1.0°).
    editControl->EditControlUpdateEditData();
}

void MainWindow::applyInitialState()
{
    for (QLineEdit *caption : {ui->ArealineText, ui->RegionsLineText}) {
        caption->setEnabled(false);
        caption->setAlignment(Qt::AlignCenter);
    }
    // These need a connection; a successful open enables them.
    for (QAction *action : {ui->ReadAllSetting, ui->WriteAllSetting, ui->DisConnection,
                            ui->SoftReboot, ui->SensorInformation})
        action->setEnabled(false);

    ui->Edition->setChecked(true);
    ui->EditionControlDock->show();
    ui->SensorSetting->setChecked(true);
    ui->SensorSettingDock->show();
    ui->DataTable->setChecked(true);
    ui->DataTableDock->show();
    ui->Distance->setChecked(true);
    ui->IOSimulation->setEnabled(false);
    ui->Intensity->setChecked(false);
}

void MainWindow::buildExtraToolBars()
{
    auto *areaToolBar = new QToolBar(ui->AreaEditContents);
    areaToolBar->setObjectName(QStringLiteral("AreaToolBar"));
    areaToolBar->setIconSize(DockToolBarIconSize);
    areaToolBar->addActions({ui->Copy, ui->Cut, ui->Paste, ui->Delete, ui->DeleteAll});
    ui->EditionMenuLayout->addWidget(areaToolBar);

    auto *sensorToolBar = new QToolBar(ui->SensorSettingContents);
    sensorToolBar->setObjectName(QStringLiteral("SensorToolBar"));
    sensorToolBar->setIconSize(DockToolBarIconSize);
    sensorToolBar->addActions({ui->ReadAllSetting, ui->WriteAllSetting});
    ui->SensorMenuLayout->addWidget(sensorToolBar);

    ui->ZoomIn->setAutoRepeat(true);
    ui->ZoomOut->setAutoRepeat(true);
    applyZoomSliderRange();

    auto *newFileButton = new QToolButton(ui->FileToolBar);
    newFileButton->setObjectName(QStringLiteral("NewFileButton"));
    newFileButton->setIcon(QIcon(QStringLiteral(":images/newFile")));
    newFileButton->setIconSize(NewFileIconSize);
    newFileButton->setMenu(ui->menuNew);
    newFileButton->setPopupMode(QToolButton::MenuButtonPopup);
    // The button has no action of its own; a click on its face opens the model list
    // too instead of doing nothing.
    connect(newFileButton, &QToolButton::clicked, newFileButton, &QToolButton::showMenu);
    ui->FileToolBar->insertWidget(ui->Open, newFileButton);
}

void MainWindow::wireSignals()
{
    connect(ui->Save, &QAction::triggered, this, &MainWindow::savefile);
    connect(ui->Quit, &QAction::triggered, this, &QWidget::close);

    connect(ui->Distance, &QAction::triggered, this, &MainWindow::OpenCloseReadScanf);
    connect(ui->Intensity, &QAction::triggered, this, &MainWindow::OpenCloseReadIntensity);
    connect(ui->DataTable, &QAction::triggered, this, &MainWindow::OpenCloseDataTableDock);
    connect(ui->Edition, &QAction::triggered, this, &MainWindow::OpenCloseEditionDock);
    connect(ui->Monitoring, &QAction::triggered, this, &MainWindow::OpenMonitoringMode);
    connect(ui->SensorSetting, &QAction::triggered, this, &MainWindow::OpenCloseSensorDock);
    connect(ui->IOSimulation, &QAction::triggered, this, &MainWindow::OpenCloseIOSimulationDock);

    connect(ui->SerialConnection, &QAction::triggered, this,
            &MainWindow::ConnectChangeUSARTModeSlot);
    connect(ui->EthernetConnection, &QAction::triggered, this,
            &MainWindow::ConnectChangeEthernetModeSlot);

    connect(ui->DispGraph, &QAction::triggered, this, &MainWindow::OpenDispGraphSlot);
    connect(ui->DispCloud, &QAction::triggered, this, &MainWindow::OpenDispCloudSlot);
    connect(ui->DispLine, &QAction::triggered, this, &MainWindow::OpenDispLineSlot);

    connect(ui->Manual, &QAction::triggered, this, &MainWindow::OpenManualFile);
    connect(ui->Chinese, &QAction::triggered, this, &MainWindow::LanguageToChinese);
    connect(ui->English, &QAction::triggered, this, &MainWindow::LanguageToEnglish);
    addTranslatedLanguages();
    connect(ui->About, &QAction::triggered, about.get(), &QWidget::show);

    for (QDockWidget *dock : {ui->EditionControlDock, ui->DataTableDock, ui->SensorSettingDock,
                              ui->IOSimulationDock})
        dock->installEventFilter(this);

    ViewWindow *view = ui->graphicsView;
    OPTION_SCENE *sceneControl = optionScene.get();
    connect(ui->AreaEditTab, &QTabWidget::tabBarClicked, sceneControl,
            &OPTION_SCENE::UpdataPaintOutline);
    connect(ui->AreaEditTab, &QTabWidget::tabBarClicked, sceneControl,
            &OPTION_SCENE::CoordTableUpdatePointItem);
    connect(view, &ViewWindow::AddCenterPointItem, sceneControl,
            &OPTION_SCENE::AddCenterPointItemSlots);
    connect(view, &ViewWindow::MovePointItem, sceneControl, &OPTION_SCENE::MovePointItemSlots);
    connect(view, QOverload<qreal>::of(&ViewWindow::ChangeSetupMatrix), sceneControl,
            &OPTION_SCENE::ChangeScaleSize);
    connect(view, &ViewWindow::CurrentCoordSignal, this, &MainWindow::BarDisplayCoord);
    connect(view, &ViewWindow::DeletePointItem, sceneControl,
            &OPTION_SCENE::DeletePointItemSlots);
    connect(view, &ViewWindow::ChangeMatrixSignal, ui->ZoomSlider, &QSlider::setValue);
    connect(ui->ZoomSlider, &QSlider::valueChanged, view,
            QOverload<int>::of(&ViewWindow::ChangeSetupMatrix));
    connect(ui->ZoomIn, &QToolButton::clicked, view, &ViewWindow::ZoomInButtonSlots);
    connect(ui->ZoomOut, &QToolButton::clicked, view, &ViewWindow::ZoomOutButtonSlots);

    connect(ui->ReadAllSetting, &QAction::triggered, link.get(), &SERIAL_COMM::ReadSensorAllDataSlots);
    connect(ui->WriteAllSetting, &QAction::triggered, link.get(), &SERIAL_COMM::WriteSensorAllDataSlots);
    connect(ui->SoftReboot, &QAction::triggered, link.get(), &SERIAL_COMM::SensorRebootSlots);
    connect(ui->SensorInformation, &QAction::triggered, link.get(),
            &SERIAL_COMM::SensorInformationSlots);
    connect(link.get(), &SERIAL_COMM::ReceiveScanfData, sceneControl,
            &OPTION_SCENE::UpdataPaintOutline);
    connect(link.get(), &SERIAL_COMM::ReceiveIntensityData, sceneControl,
            &OPTION_SCENE::UpdataPaintIntensity);
    wireAreaEditors();
}

// Where one signal reaches several slots they are connected, and so run, in the order
// below: the coordinate tables and edit controls reload before the scene redraws the
// fields and rebuilds the handles from the model.
void MainWindow::wireAreaEditors()
{
    AREA_TABLE *areas = areaTable.get();
    COORD_TABLE *coords = coordTable.get();
    EDIT_CONTROL *edits = editControl.get();
    OPTION_SCENE *sceneControl = optionScene.get();
    ViewWindow *view = ui->graphicsView;

    connect(ui->Undo, &QAction::triggered, areas, &AREA_TABLE::UndoAreaTableData);
    connect(ui->Redo, &QAction::triggered, areas, &AREA_TABLE::RedoAreaTableData);
    connect(ui->Copy, &QAction::triggered, areas, &AREA_TABLE::CopyAreaTableData);
    connect(ui->Cut, &QAction::triggered, areas, &AREA_TABLE::CutAreaTableData);
    connect(ui->Paste, &QAction::triggered, areas, &AREA_TABLE::PasteAreaTableData);
    connect(ui->Delete, &QAction::triggered, areas, &AREA_TABLE::DeleteAreaTableData);
    connect(ui->DeleteAll, &QAction::triggered, areas, &AREA_TABLE::DeleteAllAreaTableData);

    for (auto areaChanged : {&AREA_TABLE::AreaTableIndexChange, &AREA_TABLE::EditAreaDataSignal}) {
        connect(areas, areaChanged, coords, &COORD_TABLE::CoordTableWidgeUpdate);
        connect(areas, areaChanged, edits, &EDIT_CONTROL::EditControlUpdateEditData);
        connect(areas, areaChanged, sceneControl, &OPTION_SCENE::UpdataPaintOutline);
        connect(areas, areaChanged, sceneControl, &OPTION_SCENE::CoordTableUpdatePointItem);
    }

    connect(edits, &EDIT_CONTROL::EditControlShapeChangeSignal, coords,
            &COORD_TABLE::CoordTableWidgeUpdate);
    connect(edits, &EDIT_CONTROL::EditControlShapeChangeSignal, areas,
            &AREA_TABLE::SaveUndoAreaTableData);
    connect(edits, &EDIT_CONTROL::EditControlShapeChangeSignal, sceneControl,
            &OPTION_SCENE::UpdataPaintOutline);
    connect(edits, &EDIT_CONTROL::EditControlShapeChangeSignal, sceneControl,
            &OPTION_SCENE::CoordTableUpdatePointItem);
    connect(edits, &EDIT_CONTROL::EditControlParaChangeSignal, areas,
            &AREA_TABLE::SaveUndoAreaTableData);

    connect(coords, &COORD_TABLE::CoordTableEditSignal, areas, &AREA_TABLE::SaveUndoAreaTableData);
    connect(coords, &COORD_TABLE::CoordTableEditSignal, areas, &AREA_TABLE::SetEditAreaTableDisplay);
    connect(coords, &COORD_TABLE::CoordTableEditSignal, areas,
            &AREA_TABLE::AreaTableWidgetCurDisplay);
    connect(coords, &COORD_TABLE::CoordTableEditSignal, sceneControl,
            &OPTION_SCENE::UpdataPaintOutline);
    connect(coords, &COORD_TABLE::CoordTableEditSignal, sceneControl,
            &OPTION_SCENE::CoordTableUpdatePointItem);

    connect(sceneControl, &OPTION_SCENE::PointItemChannelSignal, coords,
            &COORD_TABLE::CoordTableWidgeUpdate);
    connect(view, &ViewWindow::MouseReleaseSignal, areas, &AREA_TABLE::AreaTableWidgetCurDisplay);
    connect(view, &ViewWindow::ReleasePointItem, areas, &AREA_TABLE::SaveUndoAreaTableData);
    // A vertex removed with the Delete key changes the area without a mouse release:
    // its thumbnail is redrawn here too.
    connect(view, &ViewWindow::ReleasePointItem, areas, &AREA_TABLE::AreaTableWidgetCurDisplay);
}

void MainWindow::finishStartup()
{
    ui->IOSimulationDock->hide();
    // Now that the scene controller listens, it learns the view's scale.
    ui->graphicsView->ApplyZoom();
    resizeDocks({ui->EditionControlDock, ui->DataTableDock},
                {EditionDockWidth, RightDockWidth}, Qt::Horizontal);
    resizeDocks({ui->DataTableDock}, {DataTableDockHeight}, Qt::Vertical);
    ui->splitter->setSizes({AreaListWidth, EditionDockWidth - AreaListWidth});
    // The teach-in page has no function yet.
    for (QPushButton *teach : {ui->ButtonTeachOut1, ui->ButtonTeachOut2, ui->ButtonTeachOut3})
        teach->setEnabled(false);
    setWindowTitle(tr("激光雷达编辑器"));
    // Filled and put into the status bar when a connection opens.
    connectionLabel = std::make_unique<QLabel>();
}

// Every language with a translation file beyond the two of the form gets its own entry,
// named in that language.
void MainWindow::addTranslatedLanguages()
{
    const QStringList languages = LanguageSwitch::availableLanguages();
    for (const QString &language : languages) {
        if (language == QLatin1String(LanguageSwitch::SourceLanguage)
            || language == QLatin1String(LanguageSwitch::English))
            continue;
        QAction *action = ui->menuLanguage->addAction(QLocale(language).nativeLanguageName());
        action->setObjectName(QStringLiteral("Language_") + language);
        connect(action, &QAction::triggered, this,
                [this, language] { m_languageSwitch.setLanguage(language); });
    }
}

void MainWindow::LoadSettings()
{
    const std::unique_ptr<QSettings> store(openSettingsStore());
    const StoredSettings stored = ReadStoredSettings(*store, LanguageSwitch::availableLanguages());
    // Data that cannot be read restores nothing and leaves the built layout; a window
    // saved on a screen that is gone is brought back onto one by the toolkit.
    if (!stored.geometry.isEmpty())
        restoreGeometry(stored.geometry);
    if (!stored.windowState.isEmpty())
        restoreState(stored.windowState, 0);
    if (!stored.splitterSizes.isEmpty())
        ui->splitter->restoreState(stored.splitterSizes);
    if (!stored.splitterSizes2.isEmpty())
        ui->splitter_2->restoreState(stored.splitterSizes2);
    for (QSplitter *splitter : {ui->splitter_2, ui->splitter}) {
        splitter->setChildrenCollapsible(false);
        for (int pane = 0; pane < splitter->count(); ++pane)
            splitter->setCollapsible(pane, false);
    }

    if (stored.language == QLatin1String(LanguageSwitch::English))
        LanguageToEnglish();
    else if (stored.language == QLatin1String(LanguageSwitch::SourceLanguage))
        LanguageToChinese();
    else
        m_languageSwitch.setLanguage(stored.language);

    if (stored.displayMode == DisplayCloud)
        OpenDispCloudSlot();
    else if (stored.displayMode == DisplayLine)
        OpenDispLineSlot();
    else
        OpenDispGraphSlot();

    // Whatever the restored state hid, the three working docks are there at start.
    for (QDockWidget *dock : {ui->EditionControlDock, ui->DataTableDock, ui->SensorSettingDock}) {
        if (dock->isFloating() && !QGuiApplication::screenAt(dock->geometry().center()))
            dock->setFloating(false);
        dock->show();
    }
    ui->Edition->setChecked(true);
    ui->DataTable->setChecked(true);
    ui->SensorSetting->setChecked(true);
    monitoring = 0;
}

void MainWindow::SaveSettings()
{
    StoredSettings stored;
    stored.language = m_languageSwitch.language();
    stored.geometry = saveGeometry();
    stored.windowState = saveState(0);
    stored.splitterSizes = ui->splitter->saveState();
    stored.splitterSizes2 = ui->splitter_2->saveState();
    stored.displayMode = m_linkData.DisplayMode;
    const std::unique_ptr<QSettings> store(openSettingsStore());
    WriteStoredSettings(*store, stored);
}

void MainWindow::applyZoomSliderRange()
{
    ui->ZoomSlider->setMaximum(MaximumZoomLevel);
    ui->ZoomSlider->setTickPosition(QSlider::TicksBelow);
    ui->ZoomSlider->setTickInterval(ZoomTickInterval);
    const DeviceModel *model = deviceModel(modelIndex);
    if (!model)
        return;
    ui->ZoomSlider->setMinimum(model->minimumZoom);
    ui->ZoomSlider->setValue(model->minimumZoom);
}

bool MainWindow::anyTransportOpen() const
{
    return serialPort->isOpen() || tcpSocket->isOpen() || udpSocket->isOpen();
}

void MainWindow::setUrlOpener(UrlOpener opener)
{
    m_urlOpener = std::move(opener);
}

void MainWindow::LanguageToChinese()
{
    m_languageSwitch.setLanguage(QString::fromLatin1(LanguageSwitch::SourceLanguage));
}

void MainWindow::LanguageToEnglish()
{
    m_languageSwitch.setLanguage(QString::fromLatin1(LanguageSwitch::English));
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void MainWindow::retranslate()
{
    ui->retranslateUi(this);
    setWindowTitle(tr("激光雷达编辑器"));
}

void MainWindow::OpenMonitoringMode()
{
    monitoring = 1;
    ui->DataTableDock->show();
    ui->SensorSettingDock->hide();
    ui->EditionControlDock->hide();
    ui->DataTable->setChecked(true);
    ui->Edition->setChecked(false);
    ui->SensorSetting->setChecked(false);
}

void MainWindow::OpenCloseEditionDock(bool Checked)
{
    monitoring = Checked ? 0 : 1;
    ui->EditionControlDock->setVisible(Checked);
}

void MainWindow::OpenCloseSensorDock(bool Checked)
{
    ui->SensorSettingDock->setVisible(Checked);
}

void MainWindow::OpenCloseDataTableDock(bool Checked)
{
    ui->DataTableDock->setVisible(Checked);
}

void MainWindow::OpenCloseIOSimulationDock(bool Checked)
{
    if (Checked) {
        ui->IOSimulationDock->show();
        return;
    }
    // Nothing may stay simulated once the dock is gone.
    for (QGroupBox *group : {ui->InportGrouptBox, ui->OutportGrouptBox, ui->FaultGroupBox,
                             ui->CaseSimulationBox})
        group->setChecked(false);
    ui->IOSimulationDock->hide();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close) {
        // Otherwise the dock would vanish with its action still checked, monitoring
        // would not start, and a closed simulation dock would leave the scanner
        // simulating with no control left in sight.
        struct DockToggle {
            QDockWidget *dock;
            QAction *action;
            void (MainWindow::*slot)(bool);
        };
        const DockToggle toggles[] = {
            {ui->EditionControlDock, ui->Edition, &MainWindow::OpenCloseEditionDock},
            {ui->DataTableDock, ui->DataTable, &MainWindow::OpenCloseDataTableDock},
            {ui->SensorSettingDock, ui->SensorSetting, &MainWindow::OpenCloseSensorDock},
            {ui->IOSimulationDock, ui->IOSimulation, &MainWindow::OpenCloseIOSimulationDock},
        };
        for (const DockToggle &toggle : toggles) {
            if (watched == toggle.dock) {
                toggle.action->setChecked(false);
                (this->*toggle.slot)(false);
                break;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::OpenCloseReadScanf(bool Checked)
{
    // Polling is only started over an open transport; the action keeps its check mark
    // either way, so a later connection picks the choice up.
    const bool reading = Checked && anyTransportOpen();
    optionScene->OutlineItem()->setVisible(reading);
    if (reading)
        link->OpenSendReadScanf();
    else
        link->CloseSendReadScanf();
}

void MainWindow::OpenCloseReadIntensity(bool Checked)
{
    const bool reading = Checked && anyTransportOpen();
    optionScene->IntensityItem()->setVisible(reading);
    if (reading)
        link->OpenSendReadIntensity();
    else
        link->CloseSendReadIntensity();
}

void MainWindow::OpenDispGraphSlot()
{
    m_linkData.DisplayMode = DisplayGraph;
    ui->DispGraph->setCheckable(true);
    ui->DispGraph->setChecked(true);
    // An action that is not checkable shows no check mark.
    ui->DispCloud->setCheckable(false);
    ui->DispLine->setCheckable(false);
}

void MainWindow::OpenDispCloudSlot()
{
    m_linkData.DisplayMode = DisplayCloud;
    ui->DispCloud->setCheckable(true);
    ui->DispCloud->setChecked(true);
    ui->DispGraph->setCheckable(false);
    ui->DispLine->setCheckable(false);
}

void MainWindow::OpenDispLineSlot()
{
    m_linkData.DisplayMode = DisplayLine;
    ui->DispLine->setCheckable(true);
    ui->DispLine->setChecked(true);
    ui->DispGraph->setCheckable(false);
    ui->DispCloud->setCheckable(false);
}

void MainWindow::enableInterfaceFields(bool serial)
{
    for (QWidget *field : std::initializer_list<QWidget *>{
             ui->Para_ControlMode, ui->Para_RS232BaudRate, ui->Para_RS232CommVerify,
             ui->Para_RS232StopBit, ui->Para_RS485IDAddress, ui->Para_RS485BaudRate,
             ui->Para_RS485CommVerify, ui->Para_RS485StopBit})
        field->setEnabled(serial);
    for (QWidget *field : std::initializer_list<QWidget *>{
             ui->SensorEtherMode, ui->SensorScanFerq, ui->SensorScanAngle,
             ui->Para_SensorIPAddress1, ui->Para_SensorIPAddress2, ui->Para_SensorIPAddress3,
             ui->Para_SensorIPAddress4})
        field->setEnabled(!serial);
}

void MainWindow::ConnectChangeUSARTModeSlot()
{
    ui->SerialConnection->setChecked(true);
    ui->EthernetConnection->setChecked(false);
    ui->EthnernetSetting->setEnabled(false);
    ui->SerialSetting->setEnabled(true);
    m_linkData.connectType = SerialInterface;
    enableInterfaceFields(true);
}

void MainWindow::ConnectChangeEthernetModeSlot()
{
    ui->EthernetConnection->setChecked(true);
    ui->SerialConnection->setChecked(false);
    ui->EthnernetSetting->setEnabled(true);
    ui->SerialSetting->setEnabled(false);
    m_linkData.connectType = EthernetInterface;
    enableInterfaceFields(false);
}

void MainWindow::CreatConnectTypeSignalSlot(int Index)
{
    if (Index == SerialInterface)
        ConnectChangeUSARTModeSlot();
    else if (Index == EthernetInterface)
        ConnectChangeEthernetModeSlot();
}

void MainWindow::CreatEthnertModeSignalSlot(const QString &Type)
{
    if (Type == QLatin1String(EthernetModeTcpText))
        m_linkData.ethernetMode = TcpMode;
    else if (Type == QLatin1String(EthernetModeUdpText))
        m_linkData.ethernetMode = UdpMode;
}

void MainWindow::OpenManualFile()
{
    const QString manual = QString::fromLatin1(
        m_languageSwitch.language() == QLatin1String(LanguageSwitch::SourceLanguage)
            ? ManualChinese : ManualEnglish);
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(manual));
    // A missing file is the desktop handler's to report.
    m_urlOpener(QUrl::fromLocalFile(absolute));
}

void MainWindow::BarDisplayCoord(QPoint Coord)
{
    statusBar()->showMessage(CoordinateStatusText(Coord));
}

void MainWindow::savefile()
{
    // Nothing is written yet: the project file writer comes with the file format. Until
    // a document has been written the modified flag stays set, so closing keeps asking.
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_areaModel.modified) {
        const int choice = m_messenger.show(unsavedChangesPrompt());
        if (choice == SaveAndClose) {
            savefile();
            // A cancelled or failed save must not throw the changes away.
            if (m_areaModel.modified) {
                event->ignore();
                return;
            }
        } else if (choice != CloseWithoutSaving) {
            event->ignore();
            return;
        }
    }
    SaveSettings();
    event->accept();
}

}  // namespace veltrix
