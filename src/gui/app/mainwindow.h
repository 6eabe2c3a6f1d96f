#pragma once

#include "core/app/language.h"
#include "core/app/usermessage.h"
#include "core/link/displaypreferences.h"
#include "core/link/linkconfiguration.h"
#include "core/link/scannerconfiguration.h"
#include "core/link/simulationblock.h"
#include "core/project/project.h"

#include <QMainWindow>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <memory>

class QGraphicsScene;
class QLabel;
class QPoint;
class QSerialPort;
class QTcpSocket;
class QUdpSocket;
class QUrl;

namespace Ui {
class MainWindow;
}

namespace veltrix {

class About;
class AppSettingsDialog;
struct AppPreferences;
class SERIAL_COMM;
class SENSOR_SETTING;
class TransferProgress;
class ConfigurationChecks;
class ConnectionControl;
class DataTableDock;
class EditionDock;
class EthnertSetting;
class IOSimulationDock;
class LinkResults;
class MessageQueue;
class ScannerConnection;
class SensorSettingDock;
class SettingsDialog;
class StatusDisplay;
class OPTION_SCENE;
class Create;
class ProjectFiles;
class RegionSelector;
class ReportExport;
class TeachControl;
class FieldEntryView;
class ScanRecordings;

// The one main window: the form with its view, menus and tool bars, where the project,
// the four docks, the scene, the link and its connection are created and connected,
// and the slots that switch views, modes and interfaces. It shows what the link's
// transactions report and applies a read-all's configuration once it is complete.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Hands a local-file URL to whatever shows it; returns whether that worked.
    using UrlOpener = std::function<bool(const QUrl &)>;

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    Project &project() { return m_project; }
    AreaModel &areaModel() { return m_project.areas(); }
    Messenger &messenger() { return m_messenger; }
    // The project's parameter block, as the link reads and writes it.
    SensorParameters &sensorParameters() { return *m_project.parameterBlock(); }
    SERIAL_COMM *sensorLink() const { return link.get(); }
    // The interface and Ethernet mode chosen and the mounting read, as the link holds them.
    const LinkConfiguration &linkConfiguration() const;
    const DisplayPreferences &displayPreferences() const { return m_display; }
    // What the IO simulation asks the scanner to pretend.
    const SimulationBlock &simulationBlock() const;
    TransferProgress *transferProgress() const { return m_transferProgress.get(); }
    MessageQueue *messageQueue() const { return m_messages.get(); }
    SENSOR_SETTING *sensorSettings() const;

    EditionDock *editionDock() const { return m_editionDock.get(); }
    SensorSettingDock *sensorSettingDock() const { return m_sensorDock.get(); }
    DataTableDock *dataTableDock() const { return m_dataTableDock.get(); }
    IOSimulationDock *ioSimulationDock() const { return m_ioSimulationDock.get(); }

    ScannerConnection *scannerConnection() const { return m_scanner.get(); }
    QSerialPort *serialTransport() const;
    QTcpSocket *tcpTransport() const;
    QUdpSocket *udpTransport() const;

    // True while the serial port is open, the TCP connection is established or the UDP
    // socket is connected; a TCP connection still being tried does not count.
    bool anyTransportOpen() const;

    SettingsDialog *serialSettingsDialog() const { return serialDialog.get(); }
    // Made when first needed: the first window appears without them.
    EthnertSetting *ethernetSettingsDialog();
    ConnectionControl *connectionControl() const { return m_connection.get(); }
    ConfigurationChecks *configurationChecks() const { return m_checks.get(); }

    int monitoringMode() const { return monitoring; }

    OPTION_SCENE *sceneController() const { return optionScene.get(); }

    // The program's one language value; LanguageToChinese() and LanguageToEnglish()
    // switch it.
    LanguageSwitch &languageSwitch() { return m_languageSwitch; }

    // Replaces the desktop handler used by OpenManualFile().
    void setUrlOpener(UrlOpener opener);
    // Where OpenManualFile() looks for the manual instead of beside the program.
    void setManualFolders(const QStringList &folders) { m_manualFolders = folders; }

    About *aboutDialog();
    Create *startDialog();
    ProjectFiles *projectFiles() const { return m_projectFiles.get(); }
    int currentModel() const { return m_project.modelIndex(); }
    // The fields' Teaching pages, and File > Export Report.
    TeachControl *teachControl() const { return m_teach.get(); }
    ReportExport *reportExport() const { return m_reportExport.get(); }
    // Where the scan enters the fields; scan recordings, their replay and their check.
    FieldEntryView *fieldEntries() const { return m_fieldEntries.get(); }
    ScanRecordings *scanRecordings() const { return m_recordings.get(); }

    // Shows the start dialog over the window; the program does this once at start.
    void ShowStartDialog();
    // At start: opens the project file named on the command line, as the start
    // dialog's Open would, instead of showing the start dialog. With no file, or one
    // that cannot be opened (after Open's message), the start dialog is shown.
    bool OpenProjectOrStart(const QString &fileName);

    // The remembered window layout, language and display mode: read once when the
    // window is built, written whenever it closes.
    void LoadSettings();
    void SaveSettings();

public slots:
    void LanguageToChinese();
    void LanguageToEnglish();

    void OpenMonitoringMode();
    void OpenCloseEditionDock(bool Checked);
    void OpenCloseSensorDock(bool Checked);
    void OpenCloseDataTableDock(bool Checked);
    void OpenCloseIOSimulationDock(bool Checked);
    void OpenCloseReadScanf(bool Checked);
    void OpenCloseReadIntensity(bool Checked);

    void OpenDispGraphSlot();
    void OpenDispCloudSlot();
    void OpenDispLineSlot();

    void ConnectChangeUSARTModeSlot();
    void ConnectChangeEthernetModeSlot();
    void CreatConnectTypeSignalSlot(int Index);
    void CreatEthnertModeSignalSlot(const QString &Type);

    // Write All Setting: asks first (unless App Settings turned that off), naming the
    // target, the model, the file and the areas with points; Cancel sends nothing.
    void WriteAllSettingSlot();
    // Edit > App Settings: language, the write-all confirmation, the folder file
    // dialogs start in.
    void OpenAppSettings();
    AppSettingsDialog *appSettingsDialog() const { return m_appSettings.get(); }
    bool confirmsWriteAll() const { return m_confirmWriteAll; }

    // The transports: open on a dialog's request, close on DisConnection or a fault.
    void CreatOpenSerialPort(const QString &Name);
    void CreatEthernetPort(const QString &Address);
    void CloseSerialPort();
    // The Connection action: asks the dialog of the interface chosen to connect again.
    void OpenSerialPort();

    void OpenManualFile();

    // The scanner's report of its inputs, outputs and fault status: the status strip
    // shows it, and in monitoring mode the input number chooses the area shown.
    void IOPortDisplayer(uint Inport, uint Outport, uint Status);
    void MonitorGraphicDisplay(uint Inport, uint Outport, uint Status);
    void DirChange(bool dir);
    // A complete read-all: its areas and parameters replace the document's at once,
    // with no undo step and the unsaved-changes mark as it was.
    void applyReadConfiguration(const veltrix::ScannerConfiguration &configuration);

    // Shows the cursor position from the view on the status bar.
    void BarDisplayCoord(QPoint Coord);

    // Project files of the current model: Open and Save (Save asks for a name only
    // while the document has none).
    void openfile();
    // Writes the document to a project file; clears the area model's modified flag
    // only when the file was written.
    virtual void savefile();
    // Opens a project file of any model and switches to that model.
    void OpenProject();

    // Makes model 0..4 the project's scanner model; the view, the scene, the link and
    // the zoom slider follow the project. The areas stay as they are.
    void CreateDeviceType(int Type);
    // Empties the document for a new project.
    void ClearAllEditData();
    // File > New: a new project of model 05..50, after asking about unsaved changes.
    void CreateDeviceLaser05();
    void CreateDeviceLaser10();
    void CreateDeviceLaser20();
    void CreateDeviceLaser30();
    void CreateDeviceLaser50();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Sets every text again when the language changes.
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

    // A dock closed by the close button of its title bar is closed as unchecking its
    // View action closes it.
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Declared first: everything below points at them, so they are destroyed last.
    Project m_project;
    DisplayPreferences m_display;
    Messenger m_messenger;
    LanguageSwitch m_languageSwitch;
    // The link's live scan is drawn by the scene and listed by the data table.
    std::unique_ptr<SERIAL_COMM> link;

    Ui::MainWindow *ui;
    std::unique_ptr<QGraphicsScene> scene;
    // The docks are the window's children, destroyed here before the records they show.
    std::unique_ptr<EditionDock> m_editionDock;
    std::unique_ptr<DataTableDock> m_dataTableDock;
    std::unique_ptr<SensorSettingDock> m_sensorDock;
    std::unique_ptr<IOSimulationDock> m_ioSimulationDock;
    // Destroyed before the scene, so that it still finds its handles there.
    std::unique_ptr<OPTION_SCENE> optionScene;
    std::unique_ptr<ScannerConnection> m_scanner;  // opens the transports for the link
    std::unique_ptr<MessageQueue> m_messages;
    std::unique_ptr<TransferProgress> m_transferProgress;
    std::unique_ptr<LinkResults> m_linkResults;
    std::unique_ptr<StatusDisplay> statusDisplay;
    qint32 monitoring = 0;  // 1 while the edition dock is closed
    std::unique_ptr<QLabel> connectionLabel;
    // Top-level windows of their own, made when first asked for (aboutDialog(),
    // startDialog(), ethernetSettingsDialog()).
    std::unique_ptr<About> about;
    std::unique_ptr<Create> m_startDialog;
    std::unique_ptr<ProjectFiles> m_projectFiles;
    // Top-level windows without parent, shown and hidden, never recreated.
    std::unique_ptr<EthnertSetting> ethernetDialog;
    std::unique_ptr<SettingsDialog> serialDialog;
    // Destroyed before the label and the transports it points at.
    std::unique_ptr<ConnectionControl> m_connection;
    // Verification and checksums; destroyed before the connection it follows.
    std::unique_ptr<ConfigurationChecks> m_checks;
    // Teach-in and the report, destroyed before everything they use.
    std::unique_ptr<RegionSelector> m_regionSelector;
    std::unique_ptr<TeachControl> m_teach;
    std::unique_ptr<ReportExport> m_reportExport;
    // Destroyed before the link, the scene and the connection they follow.
    std::unique_ptr<FieldEntryView> m_fieldEntries;
    std::unique_ptr<ScanRecordings> m_recordings;

private:
    // Construction steps, in the order the constructor runs them.
    void createLink();
    void createDocks();
    void createScene();
    void createStatusDisplay();
    void applyInitialState();
    void buildExtraToolBars();
    void wireSignals();
    void wireDeviceModel();
    void wireLiveMonitoring();
    void wireDocuments();
    void finishStartup();
    // The zoom slider's lower end and value for the project's model.
    void applyZoomSliderRange();
    void createConnections();
    void createConfigurationChecks();
    void createTeachAndReport();
    void addTranslatedLanguages();
    void retranslate();
    void createProjects();
    void newProject(int model);
    // After connecting: a read-all, after asking when it would replace unsaved changes.
    void readAfterConnecting();
    void watchScannerSilence();
    void applyPreferences(const AppPreferences &preferences);
    // Every dock at least as wide as its controls' texts (again after a language switch).
    void fitDocks();
    // The file name and the unsaved-changes mark in the title bar.
    void updateWindowTitle();
    void createRecordings();
    // Scans arrive from a connected scanner or from a recording being played.
    bool scansArriving() const;

    UrlOpener m_urlOpener;
    QStringList m_manualFolders;
    bool m_confirmWriteAll = true;
    int m_connectionEpoch = 0;  // counts connections closed, so a late answer finds its one gone
    std::unique_ptr<AppSettingsDialog> m_appSettings;
};

}  // namespace veltrix
