#pragma once

#include "app/language.h"
#include "app/usermessage.h"
#include "areas/areamodel.h"
#include "link/sensorlinkdata.h"
#include "link/sensorparameters.h"

#include <QMainWindow>
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
class SERIAL_COMM;
class TransferProgress;
class AREA_TABLE;
class COORD_TABLE;
class EDIT_CONTROL;
class OPTION_SCENE;

// The one main window: the form with its view, docks, menus and tool bars, the shared
// records, the transports, and the slots that switch views, modes and interfaces.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Hands a local-file URL to whatever shows it; returns whether that worked.
    using UrlOpener = std::function<bool(const QUrl &)>;

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    AreaModel &areaModel() { return m_areaModel; }
    SensorLinkData &linkData() { return m_linkData; }
    Messenger &messenger() { return m_messenger; }
    SensorParameters &sensorParameters() { return m_sensorParameters; }
    SERIAL_COMM *sensorLink() const { return link.get(); }
    TransferProgress *transferProgress() const { return m_transferProgress.get(); }

    QSerialPort *serialTransport() const { return serialPort.get(); }
    QTcpSocket *tcpTransport() const { return tcpSocket.get(); }
    QUdpSocket *udpTransport() const { return udpSocket.get(); }

    // True while the serial port, the TCP socket or the UDP socket is open.
    bool anyTransportOpen() const;

    int monitoringMode() const { return monitoring; }

    OPTION_SCENE *sceneController() const { return optionScene.get(); }

    // The program's one language value; LanguageToChinese() and LanguageToEnglish()
    // switch it.
    LanguageSwitch &languageSwitch() { return m_languageSwitch; }

    // Replaces the desktop handler used by OpenManualFile().
    void setUrlOpener(UrlOpener opener);

    About *aboutDialog() const { return about.get(); }

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

    void OpenManualFile();

    // Shows the cursor position from the view on the status bar.
    void BarDisplayCoord(QPoint Coord);

    // Writes the document to a project file; clears the area model's modified flag
    // only when the file was written.
    virtual void savefile();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Sets every text again when the language changes.
    void changeEvent(QEvent *event) override;

    // A dock closed by the close button of its title bar is closed as unchecking its
    // View action closes it.
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Slider range and value for the current modelIndex; run again whenever the model
    // changes.
    void applyZoomSliderRange();

    // Declared first: everything below points at them, so they are destroyed last.
    AreaModel m_areaModel;
    SensorLinkData m_linkData;
    SensorParameters m_sensorParameters;
    Messenger m_messenger;
    LanguageSwitch m_languageSwitch;

    Ui::MainWindow *ui;
    std::unique_ptr<QGraphicsScene> scene;
    qint32 modelIndex = 0;  // scanner model 0..4 = 05, 10, 20, 30, 50
    std::unique_ptr<AREA_TABLE> areaTable;
    std::unique_ptr<COORD_TABLE> coordTable;
    std::unique_ptr<EDIT_CONTROL> editControl;
    // Destroyed before the scene, so that it still finds its handles there.
    std::unique_ptr<OPTION_SCENE> optionScene;
    std::unique_ptr<QSerialPort> serialPort;
    std::unique_ptr<QTcpSocket> tcpSocket;
    std::unique_ptr<QUdpSocket> udpSocket;
    std::unique_ptr<SERIAL_COMM> link;  // after the transports it reads and writes
    std::unique_ptr<TransferProgress> m_transferProgress;
    qint32 monitoring = 0;  // 1 while the edition dock is closed
    std::unique_ptr<QLabel> connectionLabel;
    std::unique_ptr<About> about;  // a top-level window of its own

private:
    // Construction steps, in the order the constructor runs them.
    void createDialogs();
    void createScene();
    void createTransports();
    void createLink();
    void createControllers();
    void applyInitialState();
    void buildExtraToolBars();
    void wireSignals();
    void wireAreaEditors();
    void finishStartup();
    void addTranslatedLanguages();
    void retranslate();

    // Enables the sensor dock fields of one interface and disables those of the other.
    void enableInterfaceFields(bool serial);

    UrlOpener m_urlOpener;
};

}  // namespace veltrix
