#include "discoveryresponder.h"

#include "emulatedscanner.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QUdpSocket>

namespace veltrix {

namespace {

constexpr char SearchMethod[] = "M-SEARCH";
constexpr char TargetPrefix[] = "urn:";
constexpr char TargetSuffix[] = ":device:KT-10:1.0";

}  // namespace

DiscoveryResponder::DiscoveryResponder(EmulatedScanner *scanner, const QHostAddress &served,
                                       QObject *parent)
    : QObject(parent),
      m_scanner(scanner),
      m_served(served),
      m_socket(new QUdpSocket(this)),
      m_replySocket(new QUdpSocket(this))
{
    connect(m_socket, &QUdpSocket::readyRead, this, &DiscoveryResponder::readDatagrams);
}

bool DiscoveryResponder::bind(quint16 port, QString *error)
{
    // The interface that has the address; every address of the loopback network
    // (127.0.0.N) belongs to the loopback interface, so that several emulators can run
    // side by side on one machine, each on an address of its own.
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &candidate : interfaces) {
        const bool loopback = candidate.flags().testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry &entry : candidate.addressEntries()) {
            const bool ownAddress = entry.ip() == m_served;
            const bool loopbackAddress = loopback && m_served.isInSubnet(entry.ip(), entry.prefixLength());
            if (ownAddress || (m_interfaceIndex < 0 && loopbackAddress)) {
                m_interfaceIndex = candidate.index();
                m_interfaceName = candidate.name();
                m_broadcast = entry.broadcast();
            }
        }
    }
    if (m_interfaceIndex < 0) {
        if (error)
            *error = QStringLiteral("no interface of this machine has the address %1").arg(m_served.toString());
        return false;
    }
    QUdpSocket *failed = nullptr;
    if (!m_socket->bind(QHostAddress::AnyIPv4, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
        failed = m_socket;
    else if (!m_replySocket->bind(m_served, 0))
        failed = m_replySocket;
    if (failed && error)
        *error = failed->errorString();
    return !failed;
}

quint16 DiscoveryResponder::port() const
{
    return m_socket->localPort();
}

QByteArray DiscoveryResponder::searchTarget(const QByteArray &datagram)
{
    const QList<QByteArray> lines = datagram.split('\n');
    if (lines.isEmpty() || !lines.first().startsWith(SearchMethod))
        return QByteArray();
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        const int colon = line.indexOf(':');
        if (colon < 0 || line.left(colon).trimmed().toUpper() != "ST")
            continue;
        const QByteArray target = line.mid(colon + 1).trimmed();
        if (target.startsWith(TargetPrefix) && target.endsWith(TargetSuffix))
            return target;
        return QByteArray();
    }
    return QByteArray();
}

QByteArray DiscoveryResponder::reply(const QByteArray &target) const
{
    const bool udp = m_scanner->ethernetMode() == 1;
    QByteArray text;
    text += "HTTP/1.1 200 OK\r\n";
    text += "CACHE-CONTROL: max-age=1800\r\n";
    text += "EXT:\r\n";
    text += "SERVER: Linux UPnP/1.0 veltrix-emulator/1.0\r\n";
    text += "ST: " + target + "\r\n";
    text += "USN: uuid:veltrix-emulator-" + QByteArray::number(m_scanner->config().product.serialNumber)
        + "::" + target + "\r\n";
    text += udp ? "MODE: UDP\r\n" : "MODE: TCP\r\n";
    text += "\r\n";
    return text;
}

bool DiscoveryResponder::servesRequest(const QNetworkDatagram &request) const
{
    // Sent to the served address, broadcast on its network, or broadcast to everyone
    // and come in on its interface; a search on any other network is not for this
    // scanner. (A broadcast between two interfaces of one machine arrives only on the
    // sending one, so the network's broadcast address is matched by address.)
    const QHostAddress destination = request.destinationAddress();
    if (destination == m_served || (!m_broadcast.isNull() && destination == m_broadcast))
        return true;
    return destination == QHostAddress(QHostAddress::Broadcast)
        && request.interfaceIndex() == static_cast<uint>(m_interfaceIndex);
}

void DiscoveryResponder::readDatagrams()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram request = m_socket->receiveDatagram();
        if (!servesRequest(request))
            continue;
        const QByteArray target = searchTarget(request.data());
        if (target.isEmpty())
            continue;
        m_replySocket->writeDatagram(reply(target), request.senderAddress(),
                                     static_cast<quint16>(request.senderPort()));
    }
}

}  // namespace veltrix
