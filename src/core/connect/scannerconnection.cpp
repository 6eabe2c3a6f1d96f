#include "core/connect/scannerconnection.h"

#include "core/connect/serialsettings.h"
#include "core/link/linkconfiguration.h"
#include "core/link/serialcomm.h"

#include <QHostAddress>
#include <QRegularExpression>
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

ScannerConnection::Cause causeOfSocketError(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return ScannerConnection::Cause::Refused;
    case QAbstractSocket::RemoteHostClosedError:
        return ScannerConnection::Cause::Closed;
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::NetworkError:
        return ScannerConnection::Cause::Unreachable;
    case QAbstractSocket::SocketTimeoutError:
        return ScannerConnection::Cause::NoAnswer;
    default:
        return ScannerConnection::Cause::Other;
    }
}

ScannerConnection::Cause causeOfSerialError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return ScannerConnection::Cause::NoSuchPort;
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
        return ScannerConnection::Cause::PortBusy;
    default:
        return ScannerConnection::Cause::Other;
    }
}

}  // namespace

bool ScannerConnection::isAddress(const QString &text)
{
    QHostAddress address;
    return parseIpv4(text, &address);
}

ScannerConnection::ScannerConnection(SERIAL_COMM *link, QObject *parent)
    : QObject(parent),
      m_link(link),
      m_serialPort(std::make_unique<QSerialPort>()),
      m_tcpSocket(std::make_unique<QTcpSocket>()),
      m_udpSocket(std::make_unique<QUdpSocket>())
{
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(ConnectTimeout);
    connect(&m_connectTimer, &QTimer::timeout, this, &ScannerConnection::ConnectTimeOut);
    connect(m_serialPort.get(), &QSerialPort::errorOccurred, this, &ScannerConnection::handleSerialError);
    for (QAbstractSocket *socket : {static_cast<QAbstractSocket *>(m_tcpSocket.get()),
                                    static_cast<QAbstractSocket *>(m_udpSocket.get())}) {
        connect(socket, &QAbstractSocket::connected, this, [this, socket] { socketConnected(socket); });
        connect(socket, &QAbstractSocket::disconnected, this, [this, socket] { socketLost(socket); });
        connect(socket, &QAbstractSocket::errorOccurred, this,
                [this, socket](QAbstractSocket::SocketError error) { socketError(socket, error); });
    }
}

ScannerConnection::~ScannerConnection()
{
    // The devices go with this object; the link must not keep reading them.
    for (QObject *device : {static_cast<QObject *>(m_serialPort.get()), static_cast<QObject *>(m_tcpSocket.get()),
                            static_cast<QObject *>(m_udpSocket.get())})
        device->disconnect(this);
    const QIODevice *device = m_link->device();
    if (device == m_serialPort.get() || device == m_tcpSocket.get() || device == m_udpSocket.get())
        m_link->setDevice(nullptr);
}

QAbstractSocket *ScannerConnection::ethernetSocket() const
{
    if (m_link->configuration().ethernetMode == UdpMode)
        return m_udpSocket.get();
    return m_tcpSocket.get();
}

bool ScannerConnection::anyTransportOpen() const
{
    return m_serialPort->isOpen() || m_tcpSocket->state() == QAbstractSocket::ConnectedState
        || m_udpSocket->isOpen();
}

void ScannerConnection::openSerial(const QString &portName, const SerialSettings &settings)
{
    if (m_state != State::Closed)
        close();
    m_link->SetConnectType(SerialInterface);
    m_portName = portName;
    // A rate of 0 (an empty "Custom" rate) would hang up the line instead of opening it.
    if (settings.baudRate <= 0) {
        fail(Failure::SerialNotOpened, Cause::NoBaudRate, QString());
        return;
    }
    m_serialPort->setPortName(portName);
    m_serialPort->setBaudRate(settings.baudRate);
    m_serialPort->setDataBits(settings.dataBits);
    m_serialPort->setParity(settings.parity);
    m_serialPort->setStopBits(settings.stopBits);
    m_serialPort->setFlowControl(settings.flowControl);
    if (!m_serialPort->open(QIODevice::ReadWrite)) {
        fail(Failure::SerialNotOpened, causeOfSerialError(m_serialPort->error()),
             m_serialPort->errorString());
        return;
    }
    stand(m_serialPort.get());
}

void ScannerConnection::openEthernet(const QString &address, int ethernetMode)
{
    if (m_state != State::Closed)
        close();
    m_link->SetConnectType(EthernetInterface);
    m_link->SetEthernetMode(ethernetMode);
    QHostAddress host;
    if (!parseIpv4(address, &host)) {
        m_address = address;
        fail(Failure::BadAddress, Cause::NotIpv4, QString());
        return;
    }
    m_address = host.toString();
    m_state = State::Opening;
    emit opening();

    QAbstractSocket *socket = ethernetSocket();
    if (socket == m_tcpSocket.get())
        m_connectTimer.start();
    socket->connectToHost(host, ScannerPort, QIODevice::ReadWrite);
    // A UDP socket is connected at once, possibly before connected() could be heard.
    if (m_state == State::Opening && socket->state() == QAbstractSocket::ConnectedState)
        socketConnected(socket);
}

void ScannerConnection::fail(Failure failure, Cause cause, const QString &detail)
{
    m_cause = cause;
    emit failed(failure, detail);
}

void ScannerConnection::stand(QIODevice *device)
{
    m_state = State::Open;
    m_link->setDevice(device);
    emit opened();
}

void ScannerConnection::socketConnected(QAbstractSocket *socket)
{
    if (m_state != State::Opening || socket != ethernetSocket())
        return;
    m_connectTimer.stop();
    stand(socket);
}

void ScannerConnection::socketLost(QAbstractSocket *socket)
{
    if (m_state == State::Closed || socket != ethernetSocket())
        return;
    scheduleFailure();
}

void ScannerConnection::socketError(QAbstractSocket *socket, QAbstractSocket::SocketError error)
{
    if (m_state == State::Closed || socket != ethernetSocket())
        return;
    // A UDP socket has no connection to lose; only a refusal (nothing listens at the
    // address) or a network that is gone says that the scanner cannot be reached.
    if (socket == m_udpSocket.get() && error != QAbstractSocket::ConnectionRefusedError
        && error != QAbstractSocket::NetworkError)
        return;
    if (error == QAbstractSocket::TemporaryError)
        return;
    scheduleFailure();
}

void ScannerConnection::scheduleFailure()
{
    // Not inside the socket's own signal: the socket is still busy with it and must not
    // be aborted under its feet. The attempt it belongs to is remembered, so a late
    // notice cannot end a newer connection.
    const int attempt = m_attempt;
    QMetaObject::invokeMethod(this, [this, attempt] {
        if (attempt == m_attempt && m_state != State::Closed)
            failEthernet();
    }, Qt::QueuedConnection);
}

void ScannerConnection::ConnectTimeOut()
{
    if (m_state != State::Opening)
        return;
    m_timedOut = true;
    failEthernet();
}

void ScannerConnection::failEthernet()
{
    const bool wasOpen = m_state == State::Open;
    QAbstractSocket *socket = ethernetSocket();
    Cause cause = m_timedOut ? Cause::NoAnswer : causeOfSocketError(socket->error());
    // A connection that simply ended leaves no error behind: the other end closed it.
    if (wasOpen && socket->error() == QAbstractSocket::UnknownSocketError)
        cause = Cause::Closed;
    const QString reason = socket->errorString();
    close();
    fail(wasOpen ? Failure::ConnectionLost : Failure::NotReached, cause, reason);
}

void ScannerConnection::handleSerialError(QSerialPort::SerialPortError error)
{
    // A port that is gone shows as a resource error when written to; a pseudo-terminal
    // whose other end closed, and some adapters pulled out, show first as a read error
    // that repeats at every turn of the event loop. Either way the port is dead.
    const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (!gone || m_state == State::Closed || m_link->configuration().isEthernet())
        return;
    const QString reason = m_serialPort->errorString();
    close();
    fail(Failure::SerialPortGone, Cause::Unplugged, reason);
}

void ScannerConnection::close()
{
    const bool wasClosed = m_state == State::Closed;
    // Set first: closing the devices below notifies again, and must find nothing to do.
    m_state = State::Closed;
    ++m_attempt;
    m_timedOut = false;
    m_connectTimer.stop();

    m_link->CloseSendReadScanf();
    m_link->CloseSendReadIntensity();
    m_link->CloseSendReadSimulation();
    m_link->ClearCommandFlags();
    m_link->StopOverTimer();
    m_link->setDevice(nullptr);

    m_serialPort->close();
    m_tcpSocket->abort();
    m_udpSocket->abort();
    m_link->CloseSerialPortSlots();
    if (!wasClosed)
        emit closed();
}

}  // namespace veltrix
