// The main window's side of connecting: the link and its connection, the choice of
// interface, the settings dialogs, the entry points that hand the opening and closing of
// a connection to ConnectionControl, and the application of a read-all's result.
#include "gui/app/mainwindow.h"

#include "gui/app/connectioncontrol.h"
#include "gui/app/messagequeue.h"
#include "gui/app/statusdisplay.h"
#include "core/connect/discoveryreply.h"
#include "core/connect/scannerconnection.h"
#include "core/link/sensorsettingfields.h"
#include "core/link/serialcomm.h"
#include "gui/connect/ethnertsetting.h"
#include "gui/connect/settingsdialog.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/paintoutline.h"
#include "gui/graphics/paintstrength.h"
#include "gui/areas/editiondock.h"
#include "gui/link/configurationchecks.h"
#include "gui/link/linkresults.h"
#include "gui/link/sensorsetting.h"
#include "gui/link/transferprogress.h"
#include "gui/link/transferquestions.h"
#include "gui/record/scanrecordings.h"
#include "gui/simulation/iosimulation.h"
#include "gui/simulation/iosimulationdock.h"
#include "ui_mainwindow.h"

#include <QLabel>
#include <QStatusBar>

namespace veltrix {

// The link and its connection, and what shows their results: the progress window and
// the messages, which wait for one another.
void MainWindow::createLink()
{
    link = std::make_unique<SERIAL_COMM>();
    link->SetRangeLimit(m_project.modelIndex());
    link->SetConfigurationSource([this] { return m_project.configuration(); });
    m_scanner = std::make_unique<ScannerConnection>(link.get());
    serialDialog = std::make_unique<SettingsDialog>();
    m_messages = std::make_unique<MessageQueue>(&m_messenger);
    m_transferProgress = std::make_unique<TransferProgress>();
    m_transferProgress->attach(link.get());
    m_linkResults = std::make_unique<LinkResults>(link.get(), m_messages.get(), m_transferProgress.get());
    connect(m_linkResults.get(), &LinkResults::configurationRead, this,
            &MainWindow::applyReadConfiguration);
}

void MainWindow::applyReadConfiguration(const ScannerConfiguration &configuration)
{
    // A scan frequency or filter level the dock's lists cannot show starts again at its
    // first item, as it always did once shown. Every setting is then shown as read, the
    // network settings greyed on a serial line too: the dock shows what a write-all sends.
    ScannerConfiguration read = configuration;
    resetValuesBeyondList(read.parameters);
    m_project.applyConfiguration(read);
}

bool MainWindow::anyTransportOpen() const
{
    return m_scanner->anyTransportOpen();
}

QSerialPort *MainWindow::serialTransport() const
{
    return m_scanner->serialPort();
}

QTcpSocket *MainWindow::tcpTransport() const
{
    return m_scanner->tcpSocket();
}

QUdpSocket *MainWindow::udpTransport() const
{
    return m_scanner->udpSocket();
}

const LinkConfiguration &MainWindow::linkConfiguration() const
{
    return link->configuration();
}

const SimulationBlock &MainWindow::simulationBlock() const
{
    return m_ioSimulationDock->simulation()->block();
}


void MainWindow::ConnectChangeUSARTModeSlot()
{
    ui->SerialConnection->setChecked(true);
    ui->EthernetConnection->setChecked(false);
    ui->EthnernetSetting->setEnabled(false);
    ui->SerialSetting->setEnabled(true);
    link->SetConnectType(SerialInterface);
    sensorSettings()->EnableInterfaceFields(SerialInterface);
}

void MainWindow::ConnectChangeEthernetModeSlot()
{
    ui->EthernetConnection->setChecked(true);
    ui->SerialConnection->setChecked(false);
    ui->EthnernetSetting->setEnabled(true);
    ui->SerialSetting->setEnabled(false);
    link->SetConnectType(EthernetInterface);
    sensorSettings()->EnableInterfaceFields(EthernetInterface);
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
    // A search keeps listening after a connection is made; a late reply of another
    // scanner must not switch the link to the other socket under a standing connection.
    if (m_connection && m_connection->state() != ConnectionControl::State::Disconnected)
        return;
    if (Type == QLatin1String(ReplyModeTcp))
        link->SetEthernetMode(TcpMode);
    else if (Type == QLatin1String(ReplyModeUdp))
        link->SetEthernetMode(UdpMode);
}

// The transports' own logic lives in ConnectionControl; the window picks the interface
// and reacts to a connection that opens or closes.
void MainWindow::createConnections()
{
    ConnectionWidgets widgets;
    widgets.serialConnection = ui->SerialConnection;
    widgets.ethernetConnection = ui->EthernetConnection;
    widgets.connection = ui->Connection;
    widgets.disConnection = ui->DisConnection;
    widgets.serialSetting = ui->SerialSetting;
    widgets.ethernetSetting = ui->EthnernetSetting;
    widgets.readAllSetting = ui->ReadAllSetting;
    widgets.writeAllSetting = ui->WriteAllSetting;
    widgets.softReboot = ui->SoftReboot;
    widgets.sensorInformation = ui->SensorInformation;
    widgets.ioSimulation = ui->IOSimulation;
    widgets.statusBar = statusBar();
    widgets.connectionLabel = connectionLabel.get();
    m_connection = std::make_unique<ConnectionControl>(m_scanner.get(), m_messages.get(), widgets);

    connect(ui->SerialSetting, &QAction::triggered, this, [this] {
        serialDialog->show();
        serialDialog->fillPortsInfo();
    });
    connect(ui->EthnernetSetting, &QAction::triggered, this, [this] {
        EthnertSetting *dialog = ethernetSettingsDialog();
        dialog->show();
        dialog->fillPortsInfo();
    });
    connect(ui->Connection, &QAction::triggered, this, &MainWindow::OpenSerialPort);
    connect(ui->DisConnection, &QAction::triggered, this, &MainWindow::CloseSerialPort);
    connect(serialDialog.get(), &SettingsDialog::OpenSerialSignal, this,
            &MainWindow::CreatOpenSerialPort);
    watchScannerSilence();

    // A connection starts polling as the display actions say, the simulation exchange,
    // and a read-all of the scanner's configuration.
    connect(m_connection.get(), &ConnectionControl::opened, this, [this] {
        OpenCloseReadScanf(ui->Distance->isChecked());
        OpenCloseReadIntensity(ui->Intensity->isChecked());
        link->OpenSendReadSimulation();
        readAfterConnecting();
    });
    connect(m_connection.get(), &ConnectionControl::closed, this, [this] {
        ++m_connectionEpoch;
        statusDisplay->ShowIdle();
        optionScene->OutlineItem()->hide();
        optionScene->IntensityItem()->hide();
        // Closing the dock also ends every simulation, so that the next connection
        // does not start with one the user can no longer see.
        OpenCloseIOSimulationDock(false);
        // Nothing is reported any more: no fault, no inputs, no outputs.
        IOPortDisplayer(0, 0, 0);
    });
}

// The scanner's configuration replaces the project's: when that would throw away
// unsaved changes, the user chooses first, and Keep Project connects without reading.
void MainWindow::readAfterConnecting()
{
    if (!m_project.isModified()) {
        link->ReadSensorAllDataSlots();
        return;
    }
    const int epoch = m_connectionEpoch;
    m_messages->post(transferquestions::readOverUnsavedChanges(), [this, epoch](int button) {
        if (button == transferquestions::ReadConfiguration && epoch == m_connectionEpoch
            && m_connection->isConnected())
            link->ReadSensorAllDataSlots();
    });
}

// The fourth time-out in a row leaves the port open but the scanner silent; the first
// reply after it (to a read, a write, the product information) brings the connection
// back, with the polling the display actions and the simulation ask for.
void MainWindow::watchScannerSilence()
{
    connect(link.get(), &SERIAL_COMM::TimedOutSignal, this, [this] {
        if (!m_connection->isConnected())
            return;
        m_connection->setScannerAnswering(false);
        statusDisplay->ShowNoAnswer();
    });
    connect(link.get(), &SERIAL_COMM::AnsweringAgainSignal, this, [this] {
        if (!m_connection->isConnected())
            return;
        m_connection->setScannerAnswering(true);
        OpenCloseReadScanf(ui->Distance->isChecked());
        OpenCloseReadIntensity(ui->Intensity->isChecked());
        link->OpenSendReadSimulation();
    });
}

void MainWindow::WriteAllSettingSlot()
{
    if (m_confirmWriteAll) {
        transferquestions::WriteAllSummary summary;
        summary.target = m_connection->target();
        if (link->configuration().isEthernet())
            summary.target += link->configuration().ethernetMode == UdpMode ? QStringLiteral(" (UDP)")
                                                                             : QStringLiteral(" (TCP)");
        summary.modelIndex = m_project.modelIndex();
        summary.fileName = m_project.fileName();
        summary.unsaved = m_project.isModified();
        summary.areasWithPoints = transferquestions::AreasWithPoints(m_project.areas().areas());
        const int choice = m_messenger.show(transferquestions::writeAllConfirmation(summary));
        if (choice != transferquestions::WriteConfiguration)
            return;
    }
    link->WriteSensorAllDataSlots();
}

// Verify, the differences it finds, and the configuration checksum in the status strip
// and the area list.
void MainWindow::createConfigurationChecks()
{
    ConfigurationCheckWidgets widgets;
    widgets.verify = ui->VerifySetting;
    widgets.statusBar = statusBar();
    widgets.areaTable = m_editionDock->areaTable();
    widgets.window = this;
    m_checks = std::make_unique<ConfigurationChecks>(&m_project, link.get(), m_connection.get(),
                                                     m_projectFiles.get(), widgets);
}

// A replay and a connection exclude each other: connecting ends the replay first, so
// that the link holds the interface chosen here again.
void MainWindow::CreatOpenSerialPort(const QString &Name)
{
    m_recordings->endReplay();
    ConnectChangeUSARTModeSlot();
    ui->SerialSetting->setEnabled(false);
    ui->EthnernetSetting->setEnabled(false);
    m_connection->openSerial(Name, serialDialog->settings());
}

void MainWindow::CreatEthernetPort(const QString &Address)
{
    m_recordings->endReplay();
    ConnectChangeEthernetModeSlot();
    ui->SerialSetting->setEnabled(false);
    ui->EthnernetSetting->setEnabled(false);
    m_connection->openEthernet(Address);
}

void MainWindow::CloseSerialPort()
{
    m_connection->close();
}

void MainWindow::OpenSerialPort()
{
    if (link->configuration().connectType == SerialInterface)
        serialDialog->update();
    else
        ethernetSettingsDialog()->update();
}

}  // namespace veltrix
