#include "gui/app/mainwindow.h"

#include "gui/app/about.h"
#include "gui/app/connectioncontrol.h"
#include "gui/app/messagebox.h"
#include "gui/app/messagequeue.h"
#include "gui/app/statusdisplay.h"
#include "gui/connect/create.h"
#include "gui/project/projectfiles.h"
#include "gui/areas/areaeditors.h"
#include "gui/areas/areatable.h"
#include "gui/connect/ethnertsetting.h"
#include "gui/connect/settingsdialog.h"
#include "gui/graphics/coordtext.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/paintoutline.h"
#include "gui/graphics/paintstrength.h"
#include "gui/graphics/viewwindow.h"
#include "core/connect/scannerconnection.h"
#include "core/link/serialcomm.h"
#include "gui/link/datatable.h"
#include "gui/link/linkresults.h"
#include "gui/link/sensorsetting.h"
#include "gui/link/transferprogress.h"
#include "core/project/devicemodels.h"
#include "gui/resources/resources.h"
#include "gui/simulation/iosimulation.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QDockWidget>
#include <QGuiApplication>
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

// Zoom levels between two tick marks: on the 100-pixel slider the marks stay apart
// for every model's range instead of running together into a dotted line.
constexpr int ZoomTickInterval = 50;

const char *const ManualChinese = "./manual/manual_cn.pdf";
const char *const ManualEnglish = "./manual/manual_en.pdf";

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
    createLink();
    createScene();
    createControllers();
    applyInitialState();
    buildExtraToolBars();
    wireSignals();
    finishStartup();
    createConnections();
    createProjects();
    LoadSettings();
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::createDialogs()
{
    about = std::make_unique<About>();
    // The start dialog searches the network first, then the Ethernet settings dialog.
    m_startDialog = std::make_unique<Create>();
    ethernetDialog = std::make_unique<EthnertSetting>();
}

void MainWindow::createScene()
{
    scene = std::make_unique<QGraphicsScene>();
    ui->graphicsView->setScene(scene.get());
    ui->graphicsView->centerOn(0, 0);
    ui->graphicsView->SetDeviceType(modelIndex);
    optionScene = std::make_unique<OPTION_SCENE>(modelIndex, scene.get(), &m_areaModel,
                                                 &link->liveScan(),
                                                 ui->graphicsView->BackgroundItems());
    optionScene->SetLinkConfiguration(link->configuration());
    optionScene->SetDisplayMode(m_display.DisplayMode);
}

void MainWindow::createControllers()
{
    dataTable = std::make_unique<DATA_TABLE>(&link->liveScan(), ui->DataTableWidget);
    EditionWidgets widgets;
    widgets.areaTable = ui->AreaTableWidget;
    widgets.coordTables = {ui->CoordTableWidgetOut1, ui->CoordTableWidgetOut2,
                           ui->CoordTableWidgetOut3};
    widgets.polarTables = {ui->PolarTableWidgeOut1, ui->PolarTableWidgeOut2,
                           ui->PolarTableWidgeOut3};
    widgets.actions = {ui->Copy, ui->Cut, ui->Paste, ui->Delete, ui->DeleteAll, ui->Undo,
                       ui->Redo};
    EditControlWidgets &controls = widgets.controls;
    controls.areaEditTab = ui->AreaEditTab;
    controls.openDelay = ui->Area_OpenDelay;
    controls.closeDelay = ui->Area_CloseDelay;
    controls.hysteresis = ui->Area_Hysteresis;
    controls.detectionSize = ui->Area_DetectionSize;
    controls.steerMinDgree = ui->SteerMinDgree;
    controls.steerMaxDgree = ui->SteerMaxDgree;
    controls.vehicleMinSpeed = ui->VehicleMinSpeed;
    controls.vehicleMaxSpeed = ui->VehicleMaxSpeed;
    controls.vehicleOptionMode = ui->VehicleOptionMode;
    controls.shapeButtons = {{
        {ui->ButtonPolygonOut1, ui->ButtonArcOut1, ui->ButtonRectangleOut1,
         ui->ButtonStraightOut1, ui->ButtonFanOut1, ui->ButtonRatioOut1},
        {ui->ButtonPolygonOut2, ui->ButtonArcOut2, ui->ButtonRectangleOut2,
         ui->ButtonStraightOut2, ui->ButtonFanOut2, ui->ButtonRatioOut2},
        {ui->ButtonPolygonOut3, ui->ButtonArcOut3, ui->ButtonRectangleOut3,
         ui->ButtonStraightOut3, ui->ButtonFanOut3, ui->ButtonRatioOut3},
    }};
    m_areaEditors = std::make_unique<AreaEditors>(&m_areaModel, widgets);

    const SensorSettingWidgets sensorWidgets = {
        ui->Para_ControlMode, ui->Para_RS232BaudRate, ui->Para_RS232CommVerify,
        ui->Para_RS232StopBit, ui->Para_RS485IDAddress, ui->Para_RS485BaudRate,
        ui->Para_RS485CommVerify, ui->Para_RS485StopBit, ui->Para_CANIDAddress,
        ui->Para_CANBaudRate, ui->Para_SensorOutputLogic, ui->Para_ScanfMotorSpeed,
        ui->Para_ScanfMotorSyncMode, ui->Para_ScanfMotorSyncAngle, ui->Para_SensorInstallDir,
        ui->Para_SensorZeroValue, ui->SensorEtherMode, ui->SensorScanFerq, ui->SensorScanAngle,
        ui->ScanFilterLevel, ui->Para_SensorIPAddress1, ui->Para_SensorIPAddress2,
        ui->Para_SensorIPAddress3, ui->Para_SensorIPAddress4};
    sensorSetting = std::make_unique<SENSOR_SETTING>(&m_sensorParameters, sensorWidgets);
    IoSimulationWidgets simulation;
    simulation.inputGroup = ui->InportGrouptBox;
    simulation.outputGroup = ui->OutportGrouptBox;
    simulation.faultGroup = ui->FaultGroupBox;
    simulation.caseGroup = ui->CaseSimulationBox;
    simulation.inputButtons = {ui->InputButton1, ui->InputButton2, ui->InputButton3,
                               ui->InputButton4, ui->InputButton5, ui->InputButton6};
    simulation.outputButtons = {ui->OutputButton1, ui->OutputButton2, ui->OutputButton3};
    simulation.faultButton = ui->FaultSimuButton;
    simulation.inputSpin = ui->InputspinBox;
    simulation.outputSpin = ui->OutputspinBox;
    simulation.degreeSpin = ui->SimDgreeSpinBox;
    simulation.degreeSlider = ui->SimDgreeSlider;
    simulation.speedSpin = ui->SimSpeedSpinBox;
    simulation.speedSlider = ui->SimSpeedSlider;
    simulation.operationMode = ui->SimOptionMode;
    ioSimulation = std::make_unique<IO_SIMULATION>(simulation);

    StatusWidgets status;
    status.statusValue = ui->label_StatusValue;
    status.directionValue = ui->label_dirValue;
    status.inputNumber = ui->InputlcdNum;
    status.inputLamps = {ui->InputPort1, ui->InputPort2, ui->InputPort3,
                         ui->InputPort4, ui->InputPort5, ui->InputPort6};
    status.outputLamps = {ui->OutputPort1, ui->OutputPort2, ui->OutputPort3};
    statusDisplay = std::make_unique<StatusDisplay>(status);
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
    ui->ZoomSlider->setMaximum(MaximumZoomLevel);
    ui->ZoomSlider->setTickPosition(QSlider::TicksBelow);
    ui->ZoomSlider->setTickInterval(ZoomTickInterval);
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
    ConnectViewToScene(view, sceneControl);
    connect(view, &ViewWindow::CurrentCoordSignal, this, &MainWindow::BarDisplayCoord);
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
    wireLiveMonitoring();
    wireSensorSettings();
}

void MainWindow::wireSensorSettings()
{
    // The settings are saved with the project: changing one is an unsaved change.
    connect(sensorSetting.get(), &SENSOR_SETTING::ParametersEdited, this,
            [this] { m_areaModel.setModified(true); });
}

void MainWindow::wireLiveMonitoring()
{
    SERIAL_COMM *sensor = link.get();
    connect(sensor, &SERIAL_COMM::ReceiveScanfData, dataTable.get(), &DATA_TABLE::DataTableWidgetDisplay);
    connect(sensor, &SERIAL_COMM::ReceiveScanfData, optionScene.get(), &OPTION_SCENE::UpdataScanOutline);
    connect(sensor, &SERIAL_COMM::ReceiveIntensityData, dataTable.get(),
            &DATA_TABLE::DataTableWidgetDisplay);
    connect(sensor, &SERIAL_COMM::ReceiveIntensityData, optionScene.get(),
            &OPTION_SCENE::UpdataPaintIntensity);
    connect(sensor, &SERIAL_COMM::IOPortSignals, this, &MainWindow::IOPortDisplayer);
    connect(sensor, &SERIAL_COMM::IOPortSignals, this, &MainWindow::MonitorGraphicDisplay);
    connect(sensor, &SERIAL_COMM::DirChangeSignals, dataTable.get(), &DATA_TABLE::SetInvertedMount);
    connect(sensor, &SERIAL_COMM::DirChangeSignals, this, &MainWindow::DirChange);
    connect(sensor, &SERIAL_COMM::ConfigurationChanged, optionScene.get(),
            &OPTION_SCENE::SetLinkConfiguration);
    connect(ioSimulation.get(), &IO_SIMULATION::SimulationChanged, sensor,
            &SERIAL_COMM::SetSimulationBlock);
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
    updateWindowTitle();
    // Filled and put into the status bar when a connection opens.
    connectionLabel = std::make_unique<QLabel>();
}

void MainWindow::applyDeviceModel()
{
    ui->graphicsView->SetDeviceType(modelIndex);
    optionScene->SetDeviceType(modelIndex);
    link->SetRangeLimit(modelIndex);
    m_areaEditors->areaTable()->SetDeviceType(modelIndex);
    applyZoomSliderRange();
}

void MainWindow::applyZoomSliderRange()
{
    const DeviceModel *model = deviceModel(modelIndex);
    if (!model)
        return;
    ui->ZoomSlider->setMinimum(model->minimumZoom);
    ui->ZoomSlider->setValue(model->minimumZoom);
}

void MainWindow::setUrlOpener(UrlOpener opener)
{
    m_urlOpener = std::move(opener);
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
    StopAllSimulation();
    ui->IOSimulationDock->hide();
}

void MainWindow::StopAllSimulation()
{
    ioSimulation->StopSimulation();
}

void MainWindow::IOPortDisplayer(uint Inport, uint Outport, uint Status)
{
    statusDisplay->ShowPorts(Inport, Outport, Status);
}

// The inputs name the area the scanner is using. It becomes the document's current area,
// which the area list, the editors and the view all follow, so the next edit lands in
// the area shown. The number is bounded to the 64 areas first: inputs beyond the six,
// or a byte widened as negative, name no area of their own.
void MainWindow::MonitorGraphicDisplay(uint Inport, uint Outport, uint Status)
{
    Q_UNUSED(Outport)
    Q_UNUSED(Status)
    if (!monitoring)
        return;
    // An area chosen in the list since the last report is also replaced.
    m_areaModel.setCurrentArea(qBound(0, static_cast<int>(Inport), AreaCount - 1));
}

void MainWindow::DirChange(bool dir)
{
    statusDisplay->ShowDirection(dir);
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
    m_display.DisplayMode = DisplayGraph;
    optionScene->SetDisplayMode(DisplayGraph);
    ui->DispGraph->setCheckable(true);
    ui->DispGraph->setChecked(true);
    // An action that is not checkable shows no check mark.
    ui->DispCloud->setCheckable(false);
    ui->DispLine->setCheckable(false);
}

void MainWindow::OpenDispCloudSlot()
{
    m_display.DisplayMode = DisplayCloud;
    optionScene->SetDisplayMode(DisplayCloud);
    ui->DispCloud->setCheckable(true);
    ui->DispCloud->setChecked(true);
    ui->DispGraph->setCheckable(false);
    ui->DispLine->setCheckable(false);
}

void MainWindow::OpenDispLineSlot()
{
    m_display.DisplayMode = DisplayLine;
    optionScene->SetDisplayMode(DisplayLine);
    ui->DispLine->setCheckable(true);
    ui->DispLine->setChecked(true);
    ui->DispGraph->setCheckable(false);
    ui->DispCloud->setCheckable(false);
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

// The project commands and the start dialog. The file work itself is ProjectFiles'.
void MainWindow::createProjects()
{
    m_projectFiles = std::make_unique<ProjectFiles>(&m_areaModel, sensorSetting.get(), link.get(),
                                                    &m_messenger, fileDialogChooser(this));
    connect(m_projectFiles.get(), &ProjectFiles::modelRead, this, &MainWindow::CreateDeviceType);
    connect(m_projectFiles.get(), &ProjectFiles::fileNameChanged, this,
            &MainWindow::updateWindowTitle);
    connect(&m_areaModel, &AreaModel::modifiedChanged, this, &QWidget::setWindowModified);

    connect(ui->Open, &QAction::triggered, this, &MainWindow::openfile);
    connect(ui->SaveAs, &QAction::triggered, this, &MainWindow::saveAsFile);
    connect(ui->Laser05, &QAction::triggered, this, &MainWindow::CreateDeviceLaser05);
    connect(ui->Laser10, &QAction::triggered, this, &MainWindow::CreateDeviceLaser10);
    connect(ui->Laser20, &QAction::triggered, this, &MainWindow::CreateDeviceLaser20);
    connect(ui->Laser30, &QAction::triggered, this, &MainWindow::CreateDeviceLaser30);
    connect(ui->Laser50, &QAction::triggered, this, &MainWindow::CreateDeviceLaser50);

    Create *start = m_startDialog.get();
    connect(start, &Create::QuitSignal, this, &QWidget::close);
    connect(start, &Create::CreateSignal, this, &MainWindow::CreateDeviceType);
    connect(start, &Create::OpenProjectSignal, this, &MainWindow::OpenProject);
    connect(start, &Create::OpenSerialSignal, this, &MainWindow::CreatOpenSerialPort);
    connect(start, &Create::OpenEthernetSignal, this, &MainWindow::CreatEthernetPort);
    connect(start, &Create::CreateInterface, this, &MainWindow::CreatConnectTypeSignalSlot);
    connect(start, &Create::OpenEthernetMode, this, &MainWindow::CreatEthnertModeSignalSlot);
    updateWindowTitle();
}

void MainWindow::ShowStartDialog()
{
    QRect placed = m_startDialog->frameGeometry();
    placed.moveCenter(frameGeometry().center());
    m_startDialog->move(placed.topLeft());
    m_startDialog->show();
    m_startDialog->raise();
    m_startDialog->activateWindow();
}

bool MainWindow::OpenProjectOrStart(const QString &fileName)
{
    if (!fileName.isEmpty() && m_projectFiles->openProjectFile(fileName))
        return true;
    ShowStartDialog();
    return false;
}

void MainWindow::updateWindowTitle()
{
    const QString program = tr("激光雷达编辑器");
    const QString file =
        m_projectFiles ? QFileInfo(m_projectFiles->fileName()).fileName() : QString();
    // "[*]" is where the toolkit shows the unsaved-changes mark.
    setWindowTitle(file.isEmpty() ? program + QLatin1String("[*]")
                                  : file + QLatin1String("[*] - ") + program);
    setWindowModified(m_areaModel.isModified());
}

void MainWindow::openfile()
{
    m_projectFiles->open(modelIndex);
}

void MainWindow::savefile()
{
    m_projectFiles->save(modelIndex);
}

void MainWindow::saveAsFile()
{
    m_projectFiles->saveAs(modelIndex);
}

void MainWindow::OpenProject()
{
    m_projectFiles->open(ProjectFiles::AnyModel);
}

void MainWindow::CreateDeviceType(int Type)
{
    if (!deviceModel(Type))
        return;
    modelIndex = Type;
    applyDeviceModel();
}

void MainWindow::ClearAllEditData()
{
    m_projectFiles->clearDocument();
}

void MainWindow::newProject(int model)
{
    if (!m_projectFiles->mayDiscardChanges())
        return;
    CreateDeviceType(model);
    ClearAllEditData();
}

void MainWindow::CreateDeviceLaser05() { newProject(0); }
void MainWindow::CreateDeviceLaser10() { newProject(1); }
void MainWindow::CreateDeviceLaser20() { newProject(2); }
void MainWindow::CreateDeviceLaser30() { newProject(3); }
void MainWindow::CreateDeviceLaser50() { newProject(4); }

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_areaModel.isModified()) {
        const int choice = m_messenger.show(unsavedChangesPrompt());
        if (choice == SaveAndClose) {
            savefile();
            // A cancelled or failed save must not throw the changes away.
            if (m_areaModel.isModified()) {
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
