#include "gui/app/mainwindow.h"

#include "gui/app/about.h"
#include "gui/app/appsettingsdialog.h"
#include "gui/app/connectioncontrol.h"
#include "gui/app/messagebox.h"
#include "gui/app/messagequeue.h"
#include "gui/app/statusdisplay.h"
#include "gui/app/dockfit.h"
#include "gui/app/dockinput.h"
#include "gui/connect/create.h"
#include "gui/project/projectfiles.h"
#include "gui/project/reportexport.h"
#include "gui/graphics/fieldentryview.h"
#include "gui/record/scanrecordings.h"
#include "gui/areas/areatable.h"
#include "gui/areas/editiondock.h"
#include "gui/areas/teachcontrol.h"
#include "gui/connect/ethnertsetting.h"
#include "gui/connect/settingsdialog.h"
#include "gui/graphics/coordtext.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/paintoutline.h"
#include "gui/graphics/paintstrength.h"
#include "gui/graphics/regionselector.h"
#include "gui/graphics/viewwindow.h"
#include "gui/link/configurationchecks.h"
#include "gui/link/datatable.h"
#include "gui/link/datatabledock.h"
#include "gui/link/linkresults.h"
#include "gui/link/sensorsetting.h"
#include "gui/link/sensorsettingdock.h"
#include "core/app/manual.h"
#include "core/connect/scannerconnection.h"
#include "core/link/serialcomm.h"
#include "gui/link/transferprogress.h"
#include "core/project/devicemodels.h"
#include "core/project/projectstorage.h"
#include "gui/resources/resources.h"
#include "gui/simulation/iosimulation.h"
#include "gui/simulation/iosimulationdock.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QDockWidget>
#include <QGuiApplication>
#include <QGraphicsScene>
#include <QIcon>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTimer>
#include <QUrl>

namespace veltrix {

namespace {

// Zoom levels between two tick marks: on the 100-pixel slider the marks stay apart
// for every model's range instead of running together into a dotted line.
constexpr int ZoomTickInterval = 50;

const QSize NewFileIconSize(24, 24);
const QSize DockToolBarIconSize(20, 20);

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
    createLink();
    createDocks();
    createScene();
    createStatusDisplay();
    applyInitialState();
    buildExtraToolBars();
    wireSignals();
    finishStartup();
    createConnections();
    createProjects();
    createConfigurationChecks();
    createTeachAndReport();
    createRecordings();
    LoadSettings();
}

MainWindow::~MainWindow()
{
    delete ui;
}

// The docks, in the order of the window's layout: the edition dock on the left, the
// data table, sensor settings and IO simulation docks on the right, one under another.
void MainWindow::createDocks()
{
    AreaEditActions actions;
    actions.copy = ui->Copy;
    actions.cut = ui->Cut;
    actions.paste = ui->Paste;
    actions.remove = ui->Delete;
    actions.removeAll = ui->DeleteAll;
    actions.undo = ui->Undo;
    actions.redo = ui->Redo;
    m_editionDock = std::make_unique<EditionDock>(&m_project.areas(), actions, this);
    m_dataTableDock = std::make_unique<DataTableDock>(&link->liveScan(), this);
    m_sensorDock = std::make_unique<SensorSettingDock>(&m_project, this);
    m_ioSimulationDock = std::make_unique<IOSimulationDock>(this);
    addDockWidget(Qt::LeftDockWidgetArea, m_editionDock.get());
    addDockWidget(Qt::RightDockWidgetArea, m_dataTableDock.get());
    addDockWidget(Qt::RightDockWidgetArea, m_sensorDock.get());
    addDockWidget(Qt::RightDockWidgetArea, m_ioSimulationDock.get());
    for (QDockWidget *dock : {static_cast<QDockWidget *>(m_editionDock.get()),
                              static_cast<QDockWidget *>(m_sensorDock.get()),
                              static_cast<QDockWidget *>(m_ioSimulationDock.get())})
        DockInput::arrange(dock);
    // Once the widgets are polished, with the fonts and the style they are shown in.
    QTimer::singleShot(0, this, &MainWindow::fitDocks);
}

void MainWindow::fitDocks()
{
    for (QDockWidget *dock : findChildren<QDockWidget *>())
        FitScrollingPanels(dock);
    // The captions of the status strip keep the width their texts need in this language.
    for (QLabel *caption : ui->centralWidget->findChildren<QLabel *>()) {
        if (caption->minimumWidth() > 0 && !caption->text().isEmpty())
            caption->setMinimumWidth(qMax(caption->minimumWidth(), caption->sizeHint().width()));
    }
}

SENSOR_SETTING *MainWindow::sensorSettings() const
{
    return m_sensorDock->settings();
}

// The dialogs are made when first asked for: a window that shows none of them at
// first appears sooner, and one made later speaks the language chosen by then.
About *MainWindow::aboutDialog()
{
    if (!about)
        about = std::make_unique<About>();
    return about.get();
}

Create *MainWindow::startDialog()
{
    if (m_startDialog)
        return m_startDialog.get();
    m_startDialog = std::make_unique<Create>();
    Create *start = m_startDialog.get();
    connect(start, &Create::QuitSignal, this, &QWidget::close);
    connect(start, &Create::CreateSignal, this, &MainWindow::CreateDeviceType);
    connect(start, &Create::OpenProjectSignal, this, &MainWindow::OpenProject);
    connect(start, &Create::OpenSerialSignal, this, &MainWindow::CreatOpenSerialPort);
    connect(start, &Create::OpenEthernetSignal, this, &MainWindow::CreatEthernetPort);
    connect(start, &Create::CreateInterface, this, &MainWindow::CreatConnectTypeSignalSlot);
    connect(start, &Create::OpenEthernetMode, this, &MainWindow::CreatEthnertModeSignalSlot);
    return start;
}

EthnertSetting *MainWindow::ethernetSettingsDialog()
{
    if (ethernetDialog)
        return ethernetDialog.get();
    ethernetDialog = std::make_unique<EthnertSetting>();
    connect(ethernetDialog.get(), &EthnertSetting::OpenEthernetSignal, this,
            &MainWindow::CreatEthernetPort);
    connect(ethernetDialog.get(), &EthnertSetting::OpenEthernetMode, this,
            &MainWindow::CreatEthnertModeSignalSlot);
    return ethernetDialog.get();
}

void MainWindow::createScene()
{
    scene = std::make_unique<QGraphicsScene>();
    ui->graphicsView->setScene(scene.get());
    ui->graphicsView->centerOn(0, 0);
    ui->graphicsView->SetDeviceType(m_project.modelIndex());
    optionScene = std::make_unique<OPTION_SCENE>(m_project.modelIndex(), scene.get(),
                                                 &m_project.areas(), &link->liveScan(),
                                                 ui->graphicsView->BackgroundItems());
    optionScene->SetLinkConfiguration(link->configuration());
    optionScene->SetDisplayMode(m_display.DisplayMode);
}

void MainWindow::createStatusDisplay()
{
    StatusWidgets status;
    status.statusValue = ui->label_StatusValue;
    status.statusLamp = ui->StatusLamp;
    status.directionValue = ui->label_dirValue;
    status.inputNumber = ui->InputlcdNum;
    status.inputLamps = {ui->InputPort1, ui->InputPort2, ui->InputPort3,
                         ui->InputPort4, ui->InputPort5, ui->InputPort6};
    status.outputLamps = {ui->OutputPort1, ui->OutputPort2, ui->OutputPort3};
    statusDisplay = std::make_unique<StatusDisplay>(status);
}

void MainWindow::applyInitialState()
{
    // These need a connection; a successful open enables them.
    for (QAction *action : {ui->ReadAllSetting, ui->WriteAllSetting, ui->DisConnection,
                            ui->SoftReboot, ui->SensorInformation})
        action->setEnabled(false);

    ui->Edition->setChecked(true);
    m_editionDock->show();
    ui->SensorSetting->setChecked(true);
    m_sensorDock->show();
    ui->DataTable->setChecked(true);
    m_dataTableDock->show();
    ui->Distance->setChecked(true);
    ui->IOSimulation->setEnabled(false);
    ui->Intensity->setChecked(false);
}

// The two dock tool bars hold the window's actions. They are put into the docks once
// these are shown (applyInitialState()): the first layout of the right dock area is
// worked out without the sensor tool bar, as it always was.
void MainWindow::buildExtraToolBars()
{
    auto *areaToolBar = new QToolBar;
    areaToolBar->setObjectName(QStringLiteral("AreaToolBar"));
    areaToolBar->setIconSize(DockToolBarIconSize);
    areaToolBar->addActions({ui->Copy, ui->Cut, ui->Paste, ui->Delete, ui->DeleteAll});
    m_editionDock->setToolBar(areaToolBar);

    auto *sensorToolBar = new QToolBar;
    sensorToolBar->setObjectName(QStringLiteral("SensorToolBar"));
    sensorToolBar->setIconSize(DockToolBarIconSize);
    sensorToolBar->addActions({ui->ReadAllSetting, ui->WriteAllSetting});
    m_sensorDock->setToolBar(sensorToolBar);

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
    connect(ui->AppSettings, &QAction::triggered, this, &MainWindow::OpenAppSettings);
    connect(ui->About, &QAction::triggered, this, [this] { aboutDialog()->show(); });

    const QList<QDockWidget *> docks = {m_editionDock.get(), m_dataTableDock.get(),
                                        m_sensorDock.get(), m_ioSimulationDock.get()};
    for (QDockWidget *dock : docks)
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
    connect(ui->WriteAllSetting, &QAction::triggered, this, &MainWindow::WriteAllSettingSlot);
    connect(ui->SoftReboot, &QAction::triggered, link.get(), &SERIAL_COMM::SensorRebootSlots);
    connect(ui->SensorInformation, &QAction::triggered, link.get(),
            &SERIAL_COMM::SensorInformationSlots);
    wireDeviceModel();
    wireLiveMonitoring();
    wireDocuments();
}

// Whatever depends on the scanner model follows the project's announcement: the scene,
// the view, the link and the thumbnails, and then the zoom slider under the view.
void MainWindow::wireDeviceModel()
{
    connect(&m_project, &Project::modelChanged, optionScene.get(), &OPTION_SCENE::SetDeviceType);
    connect(&m_project, &Project::modelChanged, ui->graphicsView, &ViewWindow::SetDeviceType);
    connect(&m_project, &Project::modelChanged, link.get(), &SERIAL_COMM::SetRangeLimit);
    connect(&m_project, &Project::modelChanged, m_editionDock->areaTable(),
            &AREA_TABLE::SetDeviceType);
    connect(&m_project, &Project::modelChanged, this, &MainWindow::applyZoomSliderRange);
}

// The docks and the view follow the project and its areas by themselves; what is left
// to connect is what one component tells another.
//
// Signals and slots that once tied the editors together and that the documents made
// unnecessary stay as entry points for whoever wants to follow these events rather
// than the documents (a test, a view of the future); nothing here connects them:
// - AREA_TABLE::EditAreaDataSignal() and AreaTableIndexChange(): the area document
//   announces replaced areas and the current area itself;
// - AREA_TABLE::AreaTableWidgetCurDisplay() (once on the view's MouseReleaseSignal()
//   and on CoordTableEditSignal()): every thumbnail follows the document;
// - AREA_TABLE::SaveUndoAreaTableData() and SaveAllUndoAreaTableData() (once on
//   EDIT_CONTROL::EditControlParaChangeSignal(), EditControlShapeChangeSignal(),
//   CoordTableEditSignal() and the view's ReleasePointItem()): every edit of the
//   document is its own undo step, and a handle gesture is made one by the scene;
// - AREA_TABLE::ResetEditAreaTableDisplay(), never connected: the marker stays green;
// - SENSOR_SETTING::UpdateParametersFromDock(): each change is taken as it is made;
// - About::LanguageDisplayChinese() and LanguageDisplayEnglish(), and
//   LanguageSwitch::languageChanged(): widgets follow the toolkit's language event.
void MainWindow::wireDocuments()
{
    // The settings are saved with the project: changing one is an unsaved change.
    connect(sensorSettings(), &SENSOR_SETTING::ParametersEdited, this,
            [this] { m_project.setModified(true); });
    // A handle moved in the view is a point edit like one typed into the tables.
    connect(optionScene.get(), &OPTION_SCENE::PointItemChannelSignal, m_editionDock->areaTable(),
            &AREA_TABLE::SetEditAreaTableDisplay);
}

void MainWindow::wireLiveMonitoring()
{
    SERIAL_COMM *sensor = link.get();
    DATA_TABLE *dataTable = m_dataTableDock->dataTable();
    connect(sensor, &SERIAL_COMM::ReceiveScanfData, dataTable, &DATA_TABLE::DataTableWidgetDisplay);
    connect(sensor, &SERIAL_COMM::ReceiveScanfData, optionScene.get(), &OPTION_SCENE::UpdataScanOutline);
    connect(sensor, &SERIAL_COMM::ReceiveIntensityData, dataTable,
            &DATA_TABLE::DataTableWidgetDisplay);
    connect(sensor, &SERIAL_COMM::ReceiveIntensityData, optionScene.get(),
            &OPTION_SCENE::UpdataPaintIntensity);
    connect(sensor, &SERIAL_COMM::IOPortSignals, this, &MainWindow::IOPortDisplayer);
    connect(sensor, &SERIAL_COMM::IOPortSignals, this, &MainWindow::MonitorGraphicDisplay);
    connect(sensor, &SERIAL_COMM::DirChangeSignals, this, &MainWindow::DirChange);
    connect(sensor, &SERIAL_COMM::DirChangeSignals, dataTable, &DATA_TABLE::SetInvertedMount);
    connect(sensor, &SERIAL_COMM::ConfigurationChanged, optionScene.get(),
            &OPTION_SCENE::SetLinkConfiguration);
    connect(m_ioSimulationDock->simulation(), &IO_SIMULATION::SimulationChanged, sensor,
            &SERIAL_COMM::SetSimulationBlock);
}

void MainWindow::finishStartup()
{
    m_ioSimulationDock->hide();
    // Now that the scene controller listens, it learns the view's scale.
    ui->graphicsView->ApplyZoom();
    // The built-in layout of a first start, before any saved layout exists.
    resizeDocks({m_editionDock.get(), m_dataTableDock.get()},
                {EditionDock::DefaultWidth, DataTableDock::DefaultWidth}, Qt::Horizontal);
    resizeDocks({m_dataTableDock.get()}, {DataTableDock::DefaultHeight}, Qt::Vertical);
    m_editionDock->applyDefaultSplit();
    updateWindowTitle();
    // Filled and put into the status bar when a connection opens.
    connectionLabel = std::make_unique<QLabel>();
}

void MainWindow::applyZoomSliderRange()
{
    const DeviceModel *model = deviceModel(m_project.modelIndex());
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
    m_dataTableDock->show();
    m_sensorDock->hide();
    m_editionDock->hide();
    ui->DataTable->setChecked(true);
    ui->Edition->setChecked(false);
    ui->SensorSetting->setChecked(false);
}

void MainWindow::OpenCloseEditionDock(bool Checked)
{
    monitoring = Checked ? 0 : 1;
    m_editionDock->setVisible(Checked);
}

void MainWindow::OpenCloseSensorDock(bool Checked)
{
    m_sensorDock->setVisible(Checked);
}

void MainWindow::OpenCloseDataTableDock(bool Checked)
{
    m_dataTableDock->setVisible(Checked);
}

void MainWindow::OpenCloseIOSimulationDock(bool Checked)
{
    if (Checked) {
        m_ioSimulationDock->show();
        return;
    }
    // Nothing may stay simulated once the dock is gone.
    m_ioSimulationDock->simulation()->StopSimulation();
    m_ioSimulationDock->hide();
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
    m_project.areas().setCurrentArea(qBound(0, static_cast<int>(Inport), AreaCount - 1));
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
            {m_editionDock.get(), ui->Edition, &MainWindow::OpenCloseEditionDock},
            {m_dataTableDock.get(), ui->DataTable, &MainWindow::OpenCloseDataTableDock},
            {m_sensorDock.get(), ui->SensorSetting, &MainWindow::OpenCloseSensorDock},
            {m_ioSimulationDock.get(), ui->IOSimulation, &MainWindow::OpenCloseIOSimulationDock},
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
    // either way, so a later connection picks the choice up. A recording being played
    // is drawn as a scanner's scans are.
    const bool reading = Checked && anyTransportOpen();
    optionScene->OutlineItem()->setVisible(Checked && scansArriving());
    if (reading)
        link->OpenSendReadScanf();
    else
        link->CloseSendReadScanf();
}

void MainWindow::OpenCloseReadIntensity(bool Checked)
{
    const bool reading = Checked && anyTransportOpen();
    optionScene->IntensityItem()->setVisible(Checked && scansArriving());
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
    const QStringList folders = m_manualFolders.isEmpty()
        ? ManualFolders(QCoreApplication::applicationDirPath())
        : m_manualFolders;
    const QString manual = FindManual(m_languageSwitch.language(), folders);
    if (manual.isEmpty()) {
        QStringList shown;
        for (const QString &folder : folders)
            shown << QDir::toNativeSeparators(folder);
        m_messenger.show(MessageIcon::Warning, tr("指南"),
                         tr("找不到用户手册 %1。\n查找过的文件夹：\n%2")
                             .arg(ManualFileName(m_languageSwitch.language()),
                                  shown.join(QLatin1Char('\n'))));
        return;
    }
    if (!m_urlOpener(QUrl::fromLocalFile(manual))) {
        m_messenger.show(MessageIcon::Warning, tr("指南"),
                         tr("没有程序能打开用户手册 %1。").arg(QDir::toNativeSeparators(manual)));
    }
}

void MainWindow::BarDisplayCoord(QPoint Coord)
{
    statusBar()->showMessage(CoordinateStatusText(Coord));
}

// The project commands and the start dialog. The file work itself is ProjectFiles'.
void MainWindow::createProjects()
{
    m_projectFiles = std::make_unique<ProjectFiles>(&m_project, link.get(), &m_messenger,
                                                    fileDialogChooser(this));
    connect(&m_project, &Project::fileNameChanged, this, &MainWindow::updateWindowTitle);
    connect(&m_project, &Project::modifiedChanged, this, &QWidget::setWindowModified);

    connect(ui->Open, &QAction::triggered, this, &MainWindow::openfile);
    // Save As always asks for a name.
    connect(ui->SaveAs, &QAction::triggered, m_projectFiles.get(), &ProjectFiles::saveAs);
    connect(ui->Laser05, &QAction::triggered, this, &MainWindow::CreateDeviceLaser05);
    connect(ui->Laser10, &QAction::triggered, this, &MainWindow::CreateDeviceLaser10);
    connect(ui->Laser20, &QAction::triggered, this, &MainWindow::CreateDeviceLaser20);
    connect(ui->Laser30, &QAction::triggered, this, &MainWindow::CreateDeviceLaser30);
    connect(ui->Laser50, &QAction::triggered, this, &MainWindow::CreateDeviceLaser50);
    updateWindowTitle();
}

void MainWindow::ShowStartDialog()
{
    Create *start = startDialog();
    QRect placed = start->frameGeometry();
    placed.moveCenter(frameGeometry().center());
    start->move(placed.topLeft());
    start->show();
    start->raise();
    start->activateWindow();
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
    const QString file = QFileInfo(m_project.fileName()).fileName();
    // "[*]" is where the toolkit shows the unsaved-changes mark.
    setWindowTitle(file.isEmpty() ? program + QLatin1String("[*]")
                                  : file + QLatin1String("[*] - ") + program);
    setWindowModified(m_project.isModified());
}

void MainWindow::openfile()
{
    m_projectFiles->open(m_project.modelIndex());
}

void MainWindow::savefile()
{
    m_projectFiles->save();
}

void MainWindow::OpenProject()
{
    m_projectFiles->open(AnyProjectModel);
}

void MainWindow::CreateDeviceType(int Type)
{
    m_project.setModelIndex(Type);
}

void MainWindow::ClearAllEditData()
{
    m_project.startNew(m_project.modelIndex());
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
    if (m_project.isModified()) {
        const int choice = m_messenger.show(unsavedChangesPrompt());
        if (choice == SaveAndClose) {
            savefile();
            // A cancelled or failed save must not throw the changes away.
            if (m_project.isModified()) {
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
