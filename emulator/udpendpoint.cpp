#include "udpendpoint.h"

#include "scannersession.h"
#include "sessionfactory.h"

#include <QNetworkInterface>
#include <QUdpSocket>

namespace veltrix {

namespace {

// A reply to request: to its sender, from the address it was sent to when that is
// one of this machine's own (not a broadcast). The interface it came in on is left
// to the routing: between two addresses of one machine, forcing it would send the
// reply out of a wire with a local source address, which the receiving side drops.
QNetworkDatagram replyTo(const QNetworkDatagram &request, const QByteArray &bytes)
{
    QNetworkDatagram reply(bytes, request.senderAddress(), static_cast<quint16>(request.senderPort()));
    bool isIpv4 = false;
    const quint32 ipv4 = request.destinationAddress().toIPv4Address(&isIpv4);
    const QHostAddress local = isIpv4 ? QHostAddress(ipv4) : request.destinationAddress();
    if (QNetworkInterface::allAddresses().contains(local))
        reply.setSender(request.destinationAddress());
    return reply;
}

}  // namespace

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
            m_socket->writeDatagram(replyTo(target->lastRequest, bytes));
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
