// The main window's side of connecting: the choice of interface, the settings dialogs,
// and the entry points that hand the opening and closing of a connection to
// ConnectionControl.
#include "gui/app/mainwindow.h"

#include "gui/app/connectioncontrol.h"
#include "core/connect/discoveryreply.h"
#include "gui/connect/ethnertsetting.h"
#include "gui/connect/settingsdialog.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/paintoutline.h"
#include "gui/graphics/paintstrength.h"
#include "gui/link/sensorsetting.h"
#include "ui_mainwindow.h"

#include <QLabel>
#include <QSerialPort>
#include <QStatusBar>

namespace veltrix {

void MainWindow::ConnectChangeUSARTModeSlot()
{
    ui->SerialConnection->setChecked(true);
    ui->EthernetConnection->setChecked(false);
    ui->EthnernetSetting->setEnabled(false);
    ui->SerialSetting->setEnabled(true);
    m_linkData.connectType = SerialInterface;
    sensorSettings()->EnableInterfaceFields(SerialInterface);
}

void MainWindow::ConnectChangeEthernetModeSlot()
{
    ui->EthernetConnection->setChecked(true);
    ui->SerialConnection->setChecked(false);
    ui->EthnernetSetting->setEnabled(true);
    ui->SerialSetting->setEnabled(false);
    m_linkData.connectType = EthernetInterface;
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
        m_linkData.ethernetMode = TcpMode;
    else if (Type == QLatin1String(ReplyModeUdp))
        m_linkData.ethernetMode = UdpMode;
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
    m_connection = std::make_unique<ConnectionControl>(serialPort.get(), tcpSocket.get(),
                                                       udpSocket.get(), link.get(), &m_linkData,
                                                       &m_messenger, widgets);

    connect(ui->SerialSetting, &QAction::triggered, this, [this] {
        serialDialog->show();
        serialDialog->fillPortsInfo();
    });
    connect(ui->EthnernetSetting, &QAction::triggered, this, [this] {
        ethernetDialog->show();
        ethernetDialog->fillPortsInfo();
    });
    connect(ui->Connection, &QAction::triggered, this, &MainWindow::OpenSerialPort);
    connect(ui->DisConnection, &QAction::triggered, this, &MainWindow::CloseSerialPort);
    connect(ethernetDialog.get(), &EthnertSetting::OpenEthernetSignal, this,
            &MainWindow::CreatEthernetPort);
    connect(ethernetDialog.get(), &EthnertSetting::OpenEthernetMode, this,
            &MainWindow::CreatEthnertModeSignalSlot);
    connect(serialDialog.get(), &SettingsDialog::OpenSerialSignal, this,
            &MainWindow::CreatOpenSerialPort);
    connect(serialPort.get(), &QSerialPort::errorOccurred, this, &MainWindow::handleError);

    connect(m_connection.get(), &ConnectionControl::opened, this, [this] {
        OpenCloseReadScanf(ui->Distance->isChecked());
        OpenCloseReadIntensity(ui->Intensity->isChecked());
    });
    connect(m_connection.get(), &ConnectionControl::closed, this, [this] {
        optionScene->OutlineItem()->hide();
        optionScene->IntensityItem()->hide();
        // Closing the dock also ends every simulation, so that the next connection
        // does not start with one the user can no longer see.
        OpenCloseIOSimulationDock(false);
        // Nothing is reported any more: no fault, no inputs, no outputs.
        IOPortDisplayer(0, 0, 0);
    });
}

void MainWindow::CreatOpenSerialPort(const QString &Name)
{
    ConnectChangeUSARTModeSlot();
    ui->SerialSetting->setEnabled(false);
    ui->EthnernetSetting->setEnabled(false);
    m_connection->openSerial(Name, serialDialog->settings());
}

void MainWindow::CreatEthernetPort(const QString &Address)
{
    ConnectChangeEthernetModeSlot();
    ui->SerialSetting->setEnabled(false);
    ui->EthnernetSetting->setEnabled(false);
    m_connection->openEthernet(Address);
}

void MainWindow::CloseSerialPort()
{
    m_connection->close();
}

void MainWindow::handleError(QSerialPort::SerialPortError error)
{
    m_connection->handleSerialError(error);
}

void MainWindow::OpenSerialPort()
{
    if (m_linkData.connectType == SerialInterface)
        serialDialog->update();
    else if (m_linkData.connectType == EthernetInterface)
        ethernetDialog->update();
}

}  // namespace veltrix
