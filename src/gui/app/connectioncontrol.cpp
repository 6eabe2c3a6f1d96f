#include "gui/app/connectioncontrol.h"

#include "core/app/usermessage.h"
#include "core/connect/serialsettings.h"
#include "core/link/sensorlinkdata.h"
#include "core/link/serialcomm.h"

#include <QAction>
#include <QHostAddress>
#include <QLabel>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTcpSocket>
#include <QUdpSocket>

namespace veltrix {

namespace {

// Four decimal numbers 0..255 separated by dots, nothing else: a host name would be
// looked up (and could take long or find another machine), a shortened form such as
// "10.1" means an address the user did not write.
bool parseIpv4(const QString &text, QHostAddress *address)
{
    static const QRegularExpression dotted(
        QStringLiteral("^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const QRegularExpressionMatch match = dotted.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    for (int part = 1; part <= 4; ++part) {
        if (match.captured(part).toInt() > 255)
            return false;
    }
    return address->setAddress(text.trimmed());
}

}  // namespace

ConnectionControl::ConnectionControl(QSerialPort *serialPort, QTcpSocket *tcpSocket,
                                     QUdpSocket *udpSocket, SERIAL_COMM *link,
                                     SensorLinkData *linkData, Messenger *messenger,
                                     const ConnectionWidgets &widgets, QObject *parent)
    : QObject(parent),
      m_serialPort(serialPort),
      m_tcpSocket(tcpSocket),
      m_udpSocket(udpSocket),
      m_link(link),
      m_linkData(linkData),
      m_messenger(messenger),
      m_widgets(widgets)
{
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(ConnectTimeout);
    connect(&m_connectTimer, &QTimer::timeout, this, &ConnectionControl::ConnectTimeOut);

    for (QAbstractSocket *socket : {static_cast<QAbstractSocket *>(m_tcpSocket),
                                    static_cast<QAbstractSocket *>(m_udpSocket)}) {
        connect(socket, &QAbstractSocket::connected, this, [this, socket] { socketConnected(socket); });
        connect(socket, &QAbstractSocket::disconnected, this, [this, socket] { socketLost(socket); });
        connect(socket, &QAbstractSocket::errorOccurred, this,
                [this, socket](QAbstractSocket::SocketError error) { socketError(socket, error); });
    }
}

QAbstractSocket *ConnectionControl::ethernetSocket() const
{
    if (m_linkData->ethernetMode == UdpMode)
        return m_udpSocket;
    return m_tcpSocket;
}

void ConnectionControl::openSerial(const QString &portName, const SerialSettings &settings)
{
    if (m_state != State::Disconnected)
        close();
    // A rate of 0 (an empty "Custom" rate) would hang up the line instead of opening it.
    if (settings.baudRate <= 0) {
        failOpen();
        return;
    }
    m_serialPort->setPortName(portName);
    m_serialPort->setBaudRate(settings.baudRate);
    m_serialPort->setDataBits(settings.dataBits);
    m_serialPort->setParity(settings.parity);
    m_serialPort->setStopBits(settings.stopBits);
    m_serialPort->setFlowControl(settings.flowControl);
    if (!m_serialPort->open(QIODevice::ReadWrite)) {
        failOpen();
        return;
    }
    m_state = State::Connected;
    // The port named is the one opened, also when the request came from elsewhere than
    // the serial settings dialog.
    showConnected(tr("连接到 %1 : %2, %3, %4, %5, %6")
                      .arg(portName, settings.stringBaudRate, settings.stringDataBits,
                           settings.stringParity, settings.stringStopBits,
                           settings.stringFlowControl),
                  tr("串口号:%1 ").arg(portName));
    emit opened();
    m_link->OpenSendReadSimulation();
    m_link->ReadSensorAllDataSlots();
}

void ConnectionControl::openEthernet(const QString &address)
{
    if (m_state != State::Disconnected)
        close();
    QHostAddress host;
    if (!parseIpv4(address, &host)) {
        failOpen();
        return;
    }
    m_address = host.toString();
    m_state = State::Connecting;
    // Only DisConnection stays at hand while the connection is being tried: it gives up.
    for (QAction *action : {m_widgets.serialConnection, m_widgets.ethernetConnection,
                            m_widgets.connection, m_widgets.serialSetting, m_widgets.ethernetSetting})
        action->setEnabled(false);
    m_widgets.disConnection->setEnabled(true);
    m_widgets.statusBar->showMessage(tr("正在连接 %1:%2").arg(m_address).arg(ScannerPort));

    QAbstractSocket *socket = ethernetSocket();
    if (socket == m_tcpSocket)
        m_connectTimer.start();
    socket->connectToHost(host, ScannerPort, QIODevice::ReadWrite);
    // A UDP socket is connected at once, possibly before connected() could be heard.
    if (m_state == State::Connecting && socket->state() == QAbstractSocket::ConnectedState)
        socketConnected(socket);
}

void ConnectionControl::socketConnected(QAbstractSocket *socket)
{
    if (m_state != State::Connecting || socket != ethernetSocket())
        return;
    m_connectTimer.stop();
    m_state = State::Connected;
    showConnected(tr("连接到") + m_address + QLatin1Char(':') + QString::number(ScannerPort),
                  tr("IP地址:%1 ").arg(m_address));
    m_link->ReadSensorAllDataSlots();
    emit opened();
    m_link->OpenSendReadSimulation();
}

void ConnectionControl::socketLost(QAbstractSocket *socket)
{
    if (m_state == State::Disconnected || socket != ethernetSocket())
        return;
    scheduleFailure();
}

void ConnectionControl::socketError(QAbstractSocket *socket, QAbstractSocket::SocketError error)
{
    if (m_state == State::Disconnected || socket != ethernetSocket())
        return;
    // A UDP socket has no connection to lose; only a refusal (nothing listens at the
    // address) or a network that is gone says that the scanner cannot be reached.
    if (socket == m_udpSocket && error != QAbstractSocket::ConnectionRefusedError
        && error != QAbstractSocket::NetworkError)
        return;
    if (error == QAbstractSocket::TemporaryError)
        return;
    scheduleFailure();
}

void ConnectionControl::scheduleFailure()
{
    // Not inside the socket's own signal: the socket is still busy with it and must not
    // be aborted under its feet. The attempt it belongs to is remembered, so a late
    // notice cannot end a newer connection.
    const int attempt = m_attempt;
    QMetaObject::invokeMethod(this, [this, attempt] {
        if (attempt == m_attempt && m_state != State::Disconnected)
            failEthernet();
    }, Qt::QueuedConnection);
}

void ConnectionControl::ConnectTimeOut()
{
    if (m_state == State::Connecting)
        failEthernet();
}

void ConnectionControl::failEthernet()
{
    const bool wasConnected = m_state == State::Connected;
    close();
    if (!wasConnected) {
        failOpen();
        return;
    }
    m_widgets.statusBar->showMessage(tr("以太网连接已断开"));
    showError(tr("错误"), tr("以太网连接已断开"));
}

void ConnectionControl::handleSerialError(QSerialPort::SerialPortError error)
{
    // A port that is gone shows as a resource error when written to; a pseudo-terminal
    // whose other end closed, and some adapters pulled out, show first as a read error
    // that repeats at every turn of the event loop. Either way the port is dead.
    const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (!gone || m_state == State::Disconnected || m_linkData->connectType != SerialInterface)
        return;
    const QString reason = m_serialPort->errorString();
    close();
    showError(QStringLiteral("Critical Error"), reason);
}

void ConnectionControl::showConnected(const QString &status, const QString &label)
{
    for (QAction *action : {m_widgets.serialConnection, m_widgets.ethernetConnection,
                            m_widgets.connection, m_widgets.serialSetting, m_widgets.ethernetSetting})
        action->setEnabled(false);
    for (QAction *action : {m_widgets.disConnection, m_widgets.readAllSetting,
                            m_widgets.writeAllSetting, m_widgets.softReboot,
                            m_widgets.sensorInformation, m_widgets.ioSimulation})
        action->setEnabled(true);
    m_widgets.statusBar->showMessage(status);
    m_widgets.connectionLabel->setText(label);
    m_widgets.statusBar->addPermanentWidget(m_widgets.connectionLabel);
    m_widgets.connectionLabel->show();
}

void ConnectionControl::close()
{
    // Set first: closing the devices below notifies again, and must find nothing to do.
    m_state = State::Disconnected;
    ++m_attempt;
    m_connectTimer.stop();

    m_link->CloseSendReadScanf();
    m_link->CloseSendReadIntensity();
    m_link->CloseSendReadSimulation();
    m_link->ClearCommandFlags();
    m_link->StopOverTimer();

    const bool serial = m_linkData->connectType == SerialInterface;
    m_widgets.connection->setEnabled(true);
    m_widgets.serialSetting->setEnabled(serial);
    m_widgets.ethernetSetting->setEnabled(!serial);
    for (QAction *action : {m_widgets.disConnection, m_widgets.readAllSetting,
                            m_widgets.writeAllSetting, m_widgets.softReboot,
                            m_widgets.sensorInformation})
        action->setEnabled(false);
    m_widgets.ioSimulation->setChecked(false);
    m_widgets.ioSimulation->setEnabled(false);
    // The address or port of a connection that is gone would only mislead.
    m_widgets.statusBar->removeWidget(m_widgets.connectionLabel);
    m_widgets.statusBar->showMessage(tr("已断开连接"));
    m_widgets.serialConnection->setEnabled(true);
    m_widgets.ethernetConnection->setEnabled(true);

    m_serialPort->close();
    m_tcpSocket->abort();
    m_udpSocket->abort();
    m_link->CloseSerialPortSlots();
    emit closed();
}

void ConnectionControl::failOpen()
{
    const bool serial = m_linkData->connectType == SerialInterface;
    m_widgets.statusBar->showMessage(tr("打开错误"));
    m_widgets.connection->setEnabled(true);
    m_widgets.serialConnection->setEnabled(true);
    m_widgets.ethernetConnection->setEnabled(true);
    (serial ? m_widgets.serialSetting : m_widgets.ethernetSetting)->setEnabled(true);
    showError(tr("错误"), serial ? tr("串口打开失败") : tr("以太网连接失败"));
}

void ConnectionControl::showError(const QString &title, const QString &text)
{
    m_messenger->show(MessageIcon::Critical, title, text);
}

}  // namespace veltrix
