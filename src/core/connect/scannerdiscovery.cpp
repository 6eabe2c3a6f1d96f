#include "core/connect/scannerdiscovery.h"

#include "core/connect/discoveryreply.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QPointer>
#include <QUdpSocket>

#include <algorithm>
#include <utility>

namespace veltrix {

ScannerDiscovery::ScannerDiscovery(QObject *parent) : QObject(parent) {}

ScannerDiscovery::~ScannerDiscovery()
{
    DelteclientSocket();
}

QList<ScannerDiscovery::LocalNetwork> ScannerDiscovery::localNetworks()
{
    QList<LocalNetwork> networks;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const QList<QNetworkAddressEntry> entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            if (entry.broadcast().isNull())
                continue;
            if (entry.ip() == QHostAddress(QHostAddress::LocalHost))
                continue;
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            networks.append(LocalNetwork{entry.ip(), entry.broadcast()});
        }
    }
    return networks;
}

void ScannerDiscovery::start()
{
    DelteclientSocket();
    ++m_generation;
    m_found.clear();
    m_networks = localNetworks();
    emit searchStarted();

    const QByteArray request = BuildSearchRequest();
    quint16 nextPort = m_firstLocalPort;
    for (const LocalNetwork &network : std::as_const(m_networks)) {
        // A socket that could not be bound is gone already: it neither sends (its
        // replies could never be read) nor lingers.
        QUdpSocket *socket = bindSocket(network.address, nextPort);
        if (!socket)
            continue;
        socket->writeDatagram(request, network.broadcast, DiscoverySearchPort);
    }
    for (QUdpSocket *socket : std::as_const(m_sockets))
        socket->writeDatagram(request, QHostAddress(QHostAddress::Broadcast), DiscoverySearchPort);
}

QUdpSocket *ScannerDiscovery::bindSocket(const QHostAddress &address, quint16 &nextPort)
{
    auto *socket = new QUdpSocket(this);
    for (int attempt = 0; attempt < BindAttempts; ++attempt) {
        const quint16 port = nextPort++;
        if (socket->bind(address, port)) {
            connect(socket, &QUdpSocket::readyRead, this, &ScannerDiscovery::ReadEthernetReceiveData);
            m_sockets.append(socket);
            return socket;
        }
    }
    delete socket;
    return nullptr;
}

void ScannerDiscovery::ReadEthernetReceiveData()
{
    // A listener may start a new search from inside one of the signals below; the
    // sockets of this one are then gone, and so is the point of reading them.
    const int generation = m_generation;
    const QList<QUdpSocket *> sockets = m_sockets;
    for (QUdpSocket *socket : sockets) {
        QPointer<QUdpSocket> guard(socket);
        while (guard && generation == m_generation && socket->hasPendingDatagrams()) {
            const QNetworkDatagram datagram = socket->receiveDatagram();
            if (datagram.isValid())
                takeReply(datagram.senderAddress(), datagram.data());
        }
        if (generation != m_generation)
            return;
    }
}

void ScannerDiscovery::takeReply(const QHostAddress &sender, const QByteArray &datagram)
{
    // Replies over IPv4 may come as IPv4-mapped IPv6 addresses on a dual-stack socket.
    bool isIpv4 = false;
    const quint32 ipv4 = sender.toIPv4Address(&isIpv4);
    const QString address = isIpv4 ? QHostAddress(ipv4).toString() : sender.toString();
    const QString mode = QString::fromLatin1(EthernetModeOfReply(datagram));

    auto known = std::find_if(m_found.begin(), m_found.end(),
                              [&address](const Found &found) { return found.address == address; });
    const bool isNew = known == m_found.end();
    if (isNew) {
        m_found.append(Found{address, mode});
    } else if (!mode.isEmpty()) {
        known->mode = mode;
    }
    if (isNew)
        emit scannerFound(address);
    if (!mode.isEmpty())
        emit OpenEthernetMode(mode);
}

QStringList ScannerDiscovery::addresses() const
{
    QStringList list;
    for (const Found &found : m_found)
        list.append(found.address);
    return list;
}

QString ScannerDiscovery::modeOf(const QString &address) const
{
    for (const Found &found : m_found) {
        if (found.address == address)
            return found.mode;
    }
    return QString();
}

void ScannerDiscovery::DelteclientSocket()
{
    const QList<QUdpSocket *> sockets = m_sockets;
    m_sockets.clear();
    for (QUdpSocket *socket : sockets) {
        disconnect(socket, &QUdpSocket::readyRead, this, &ScannerDiscovery::ReadEthernetReceiveData);
        socket->close();
        // Later, not now: this may run inside that socket's own notification.
        socket->deleteLater();
    }
}

}  // namespace veltrix
