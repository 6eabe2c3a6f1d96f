#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include <memory>

class QIODevice;
class QTcpSocket;
class QUdpSocket;

namespace veltrix {

class SERIAL_COMM;
struct SerialSettings;

// Opens a scanner's transport — a serial port, a TCP client connection or a connected
// UDP socket, all to port 8080 — and hands its device to the link; closes it again and
// stops the link's work with it. A connection counts as open only once it stands: a TCP
// connection when it is established, not while it is being tried. Every failure (a
// port that cannot be opened, an address that is not one, a refused or lost
// connection, an unplugged adapter) closes everything first and is then reported as
// one reason value, so that whoever uses it (the window, a command line) can say what
// happened and connect again. Owns its three devices; shows nothing.
class ScannerConnection : public QObject
{
    Q_OBJECT

public:
    enum class State { Closed, Opening, Open };

    enum class Failure {
        SerialNotOpened,  // missing, busy, or refusing the line settings (or a rate of 0)
        BadAddress,       // not four decimal numbers 0..255
        NotReached,       // refused, unreachable, or not established in time
        ConnectionLost,   // an established Ethernet connection went away
        SerialPortGone,   // the adapter was pulled out (or the line's other end closed)
    };
    Q_ENUM(Failure)

    // What lies behind the last failure, so that it can be said in words rather than
    // only in the system's terms.
    enum class Cause {
        Other,        // the system's words (the failure's detail) are all there is
        Refused,      // nothing listens at the address and port
        NoAnswer,     // no answer within ConnectTimeout
        NotIpv4,      // the address typed is not an IPv4 address
        Unreachable,  // no route to the address, or the network is down
        Closed,       // the scanner ended an established connection
        NoSuchPort,   // the serial port does not exist
        PortBusy,     // the serial port is in use or may not be opened
        NoBaudRate,   // no baud rate was given (an empty "Custom" rate)
        Unplugged,    // the adapter was pulled out (or the line's other end closed)
    };
    Q_ENUM(Cause)

    static constexpr quint16 ScannerPort = 8080;
    // A TCP connection not established by then is given up (a scanner that is switched
    // off or unreachable answers nothing at all).
    static constexpr int ConnectTimeout = 3000;

    // Whether text is an address openEthernet() takes: four decimal numbers 0..255
    // separated by dots, nothing else.
    static bool isAddress(const QString &text);

    // The link is not owned and must outlive the connection.
    explicit ScannerConnection(SERIAL_COMM *link, QObject *parent = nullptr);
    ~ScannerConnection() override;

    State state() const { return m_state; }
    bool isOpen() const { return m_state == State::Open; }
    SERIAL_COMM *link() const { return m_link; }

    // Opens portName with the line settings, as a serial link.
    void openSerial(const QString &portName, const SerialSettings &settings);
    // Connects to address, port 8080, by TCP or by UDP (EthernetMode), as an Ethernet
    // link. A UDP socket stands at once; a TCP connection reports opened() later.
    void openEthernet(const QString &address, int ethernetMode);

    // The port or address of the connection being made or standing.
    QString portName() const { return m_portName; }
    QString address() const { return m_address; }
    // What lies behind the last failed() (Other before any).
    Cause lastCause() const { return m_cause; }

    QSerialPort *serialPort() const { return m_serialPort.get(); }
    QTcpSocket *tcpSocket() const { return m_tcpSocket.get(); }
    QUdpSocket *udpSocket() const { return m_udpSocket.get(); }
    // True while the serial port is open, the TCP connection is established or the UDP
    // socket is connected; a TCP connection still being tried does not count.
    bool anyTransportOpen() const;

public slots:
    // Closes whatever is open or being opened and resets the link.
    void close();
    // An unplugged adapter (or a pseudo-terminal whose other end went away) closes the
    // connection as a failure; other errors (a parity or framing error, a refused
    // setting) are left to the link's time-out.
    void handleSerialError(QSerialPort::SerialPortError error);
    void ConnectTimeOut();

signals:
    // An Ethernet connection is being tried (nothing stands yet).
    void opening();
    // The connection stands and the link has its device.
    void opened();
    // What was open or being opened is closed again.
    void closed();
    // Everything is closed; the reason, with the system's own words where it has some.
    void failed(veltrix::ScannerConnection::Failure reason, const QString &detail);

private:
    QAbstractSocket *ethernetSocket() const;
    void socketConnected(QAbstractSocket *socket);
    void socketLost(QAbstractSocket *socket);
    void socketError(QAbstractSocket *socket, QAbstractSocket::SocketError error);
    void scheduleFailure();
    void failEthernet();
    void stand(QIODevice *device);
    void fail(Failure failure, Cause cause, const QString &detail);

    SERIAL_COMM *m_link;
    std::unique_ptr<QSerialPort> m_serialPort;
    std::unique_ptr<QTcpSocket> m_tcpSocket;
    std::unique_ptr<QUdpSocket> m_udpSocket;
    State m_state = State::Closed;
    QString m_portName;
    QString m_address;
    int m_attempt = 0;  // counts closes, so that a late socket notice finds its attempt gone
    Cause m_cause = Cause::Other;
    bool m_timedOut = false;  // the attempt now failing ran out of time
    QTimer m_connectTimer;
};

}  // namespace veltrix
