#include "udpendpoint.h"

#include "scannersession.h"
#include "sessionfactory.h"

#include <QUdpSocket>

namespace veltrix {


UdpEndpoint::UdpEndpoint(SessionFactory *sessions, QObject *parent)
    : QObject(parent), m_sessions(sessions), m_socket(new QUdpSocket(this))
{
    connect(m_socket, &QUdpSocket::readyRead, this, &UdpEndpoint::readDatagrams);
}

bool UdpEndpoint::bind(const QHostAddress &address, quint16 port, QString *error)
{
    if (m_socket->bind(address, port))
        return true;
    if (error)
        *error = m_socket->errorString();
    return false;
}

QHostAddress UdpEndpoint::address() const
{
    return m_socket->localAddress();
}

quint16 UdpEndpoint::port() const
{
    return m_socket->localPort();
}

void UdpEndpoint::readDatagrams()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        if (!datagram.isValid())
            continue;
        Peer &peer = peerFor(datagram);
        peer.lastRequest = datagram;
        peer.lastHeard = ++m_heard;
        peer.session->receive(datagram.data());
    }
}

UdpEndpoint::Peer &UdpEndpoint::peerFor(const QNetworkDatagram &datagram)
{
    const QString key = SessionFactory::peerName(datagram.senderAddress(), datagram.senderPort());
    auto found = m_peers.find(key);
    if (found != m_peers.end())
        return found.value();
    if (m_peers.size() >= MaxPeers)
        forgetOldestPeer();
    Peer peer;
    peer.session = m_sessions->create(QLatin1String("udp ") + key, this);
    connect(peer.session, &ScannerSession::transmit, this, [this, key](const QByteArray &bytes) {
        const auto target = m_peers.constFind(key);
        if (target != m_peers.constEnd())
            m_socket->writeDatagram(bytes, target->lastRequest.senderAddress(),
                                    static_cast<quint16>(target->lastRequest.senderPort()));
    });
    return m_peers.insert(key, peer).value();
}

void UdpEndpoint::forgetOldestPeer()
{
    auto oldest = m_peers.begin();
    for (auto it = m_peers.begin(); it != m_peers.end(); ++it) {
        if (it->lastHeard < oldest->lastHeard)
            oldest = it;
    }
    oldest->session->deleteLater();
    m_peers.erase(oldest);
}

}  // namespace veltrix
