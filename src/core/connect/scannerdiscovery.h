#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QUdpSocket;

namespace veltrix {

// Finds the scanners on the local networks: one UDP socket per local IPv4 network,
// bound to that network's address, sends the search to the network's broadcast
// address and to the limited broadcast address; every sender of a reply is a scanner.
// Each scanner is kept once, in the order of its first reply, with the Ethernet mode
// it last reported, so that connecting to one of several scanners uses that scanner's
// own mode. Used by every dialog that offers found scanners; the dialogs only show
// what it finds.
class ScannerDiscovery : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 FirstLocalPort = 50000;
    // Local ports tried per network before the network is given up: another program
    // (or a second window of this one) may hold the first ones.
    static constexpr int BindAttempts = 16;

    struct LocalNetwork
    {
        QHostAddress address;
        QHostAddress broadcast;
    };

    explicit ScannerDiscovery(QObject *parent = nullptr);
    ~ScannerDiscovery() override;

    // Every IPv4 address entry with a broadcast address, loopback excluded, of every
    // interface in the order the system reports them; interfaces are not filtered by
    // state.
    static QList<LocalNetwork> localNetworks();

    // Forgets the previous search (its sockets and its scanners), then searches on
    // every local network. Replies are taken as they come, without time limit, until
    // the next search or DelteclientSocket().
    void start();

    // Where the next search starts looking for free local ports (FirstLocalPort unless
    // set otherwise).
    void setFirstLocalPort(quint16 port) { m_firstLocalPort = port; }

    // Addresses of the scanners found by the current search, in first-reply order.
    QStringList addresses() const;
    // The mode ("MODE: TCP" or "MODE: UDP") last reported from address, or empty.
    QString modeOf(const QString &address) const;

    // The sockets of the current search, each bound; for the tests that count them.
    QList<QUdpSocket *> sockets() const { return m_sockets; }

public slots:
    // Reads every pending reply of every socket of the current search.
    void ReadEthernetReceiveData();
    // Stops listening: every socket of the current search is closed and deleted. The
    // scanners found stay known until the next search.
    void DelteclientSocket();

signals:
    // A new search began; lists of found scanners start empty again.
    void searchStarted();
    // The first reply from address arrived.
    void scannerFound(const QString &address);
    // A reply carried a valid Ethernet mode ("MODE: TCP" or "MODE: UDP").
    void OpenEthernetMode(const QString &mode);

private:
    QUdpSocket *bindSocket(const QHostAddress &address, quint16 &nextPort);
    void takeReply(const QHostAddress &sender, const QByteArray &datagram);

    struct Found
    {
        QString address;
        QString mode;
    };

    QList<QUdpSocket *> m_sockets;
    QList<LocalNetwork> m_networks;
    QList<Found> m_found;
    quint16 m_firstLocalPort = FirstLocalPort;
    int m_generation = 0;  // counts searches, so a reply loop notices a restart
};

}  // namespace veltrix
