#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>

class QAction;
class QLabel;
class QStatusBar;
class QTcpSocket;
class QUdpSocket;

namespace veltrix {

class Messenger;
class SERIAL_COMM;
struct SensorLinkData;
struct SerialSettings;

// The form's parts that show whether a connection stands; not owned.
struct ConnectionWidgets
{
    QAction *serialConnection = nullptr;
    QAction *ethernetConnection = nullptr;
    QAction *connection = nullptr;
    QAction *disConnection = nullptr;
    QAction *serialSetting = nullptr;
    QAction *ethernetSetting = nullptr;
    QAction *readAllSetting = nullptr;
    QAction *writeAllSetting = nullptr;
    QAction *softReboot = nullptr;
    QAction *sensorInformation = nullptr;
    QAction *ioSimulation = nullptr;
    QStatusBar *statusBar = nullptr;
    QLabel *connectionLabel = nullptr;
};

// Opens and closes the scanner's transports (serial port, TCP client, connected UDP
// socket to port 8080), shows the connection on the actions and the status bar, and
// starts and stops the link's work with it. A connection counts as standing only once
// it stands: a TCP connection when it is established, not while it is being tried.
// Every failure — a port that cannot be opened, a refused or lost connection, an
// address that is not one, an unplugged adapter — closes everything first and is then
// reported in one message, so that the program is ready to connect again.
class ConnectionControl : public QObject
{
    Q_OBJECT

public:
    enum class State { Disconnected, Connecting, Connected };

    static constexpr quint16 ScannerPort = 8080;
    // A TCP connection not established by then is given up (a scanner that is
    // switched off or unreachable answers nothing at all).
    static constexpr int ConnectTimeout = 3000;

    // The devices, the link and the widgets are not owned.
    ConnectionControl(QSerialPort *serialPort, QTcpSocket *tcpSocket, QUdpSocket *udpSocket,
                      SERIAL_COMM *link, SensorLinkData *linkData, Messenger *messenger,
                      const ConnectionWidgets &widgets, QObject *parent = nullptr);

    State state() const { return m_state; }
    bool isConnected() const { return m_state == State::Connected; }

    // Opens portName with the line settings; the interface must already be serial.
    void openSerial(const QString &portName, const SerialSettings &settings);
    // Connects to address, port 8080, by TCP or UDP as the Ethernet mode says; the
    // interface must already be Ethernet.
    void openEthernet(const QString &address);

public slots:
    // Closes whatever is open or being opened and resets the link.
    void close();
    // An unplugged adapter (or a pseudo-terminal whose other end went away) closes
    // the connection with a message; other errors (a parity or framing error, a
    // refused setting) are left to the link's time-out.
    void handleSerialError(QSerialPort::SerialPortError error);
    void ConnectTimeOut();

signals:
    // The connection stands: the owner starts scan and intensity polling as its
    // actions say.
    void opened();
    // Everything was closed.
    void closed();

private:
    QAbstractSocket *ethernetSocket() const;
    void socketConnected(QAbstractSocket *socket);
    void socketLost(QAbstractSocket *socket);
    void socketError(QAbstractSocket *socket, QAbstractSocket::SocketError error);
    void scheduleFailure();
    void failEthernet();
    void failOpen();
    void showConnected(const QString &status, const QString &label);
    void showError(const QString &title, const QString &text);

    QSerialPort *m_serialPort;
    QTcpSocket *m_tcpSocket;
    QUdpSocket *m_udpSocket;
    SERIAL_COMM *m_link;
    SensorLinkData *m_linkData;
    Messenger *m_messenger;
    ConnectionWidgets m_widgets;
    State m_state = State::Disconnected;
    QString m_address;  // the Ethernet address being connected to
    int m_attempt = 0;  // counts closes, so that a late socket notice finds its attempt gone
    QTimer m_connectTimer;
};

}  // namespace veltrix
