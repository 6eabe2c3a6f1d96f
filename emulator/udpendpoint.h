#pragma once

#include <QHash>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QObject>

class QUdpSocket;

namespace veltrix {

class ScannerSession;
class SessionFactory;

// The scanner's UDP side: datagrams from each sender (address and port) form one
// stream with a session of its own, and everything the session sends goes back to
// that sender, from the one address the endpoint is bound to.
class UdpEndpoint : public QObject
{
    Q_OBJECT

public:
    // Senders beyond this many are forgotten, least recently heard first.
    static constexpr int MaxPeers = 32;

    UdpEndpoint(SessionFactory *sessions, QObject *parent = nullptr);

    bool bind(const QHostAddress &address, quint16 port, QString *error);
    QHostAddress address() const;
    quint16 port() const;

private:
    struct Peer
    {
        ScannerSession *session = nullptr;
        QNetworkDatagram lastRequest;  // the template of every reply
        quint64 lastHeard = 0;
    };

    void readDatagrams();
    Peer &peerFor(const QNetworkDatagram &datagram);
    void forgetOldestPeer();

    SessionFactory *m_sessions;
    QUdpSocket *m_socket;
    QHash<QString, Peer> m_peers;
    quint64 m_heard = 0;
};

}  // namespace veltrix
