#include "discoveryresponder.h"

#include "emulatedscanner.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

namespace veltrix {

namespace {

constexpr char SearchMethod[] = "M-SEARCH";
constexpr char TargetPrefix[] = "urn:";
constexpr char TargetSuffix[] = ":device:KT-10:1.0";

}  // namespace

DiscoveryResponder::DiscoveryResponder(EmulatedScanner *scanner, const QHostAddress &replyFrom,
                                       QObject *parent)
    : QObject(parent),
      m_scanner(scanner),
      m_replyFrom(replyFrom),
      m_socket(new QUdpSocket(this)),
      m_replySocket(m_socket)
{
    connect(m_socket, &QUdpSocket::readyRead, this, &DiscoveryResponder::readDatagrams);
}

bool DiscoveryResponder::bind(quint16 port, QString *error)
{
    // Broadcasts reach only a socket bound to every address; replies leave from the
    // chosen address through a socket of their own.
    if (!m_socket->bind(QHostAddress::AnyIPv4, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        if (error)
            *error = m_socket->errorString();
        return false;
    }
    if (m_replyFrom.isNull() || m_replyFrom == QHostAddress::Any || m_replyFrom == QHostAddress::AnyIPv4)
        return true;
    m_replySocket = new QUdpSocket(this);
    if (!m_replySocket->bind(m_replyFrom, 0)) {
        if (error)
            *error = m_replySocket->errorString();
        return false;
    }
    return true;
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

void DiscoveryResponder::readDatagrams()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram request = m_socket->receiveDatagram();
        const QByteArray target = searchTarget(request.data());
        if (target.isEmpty())
            continue;
        QNetworkDatagram answer(reply(target), request.senderAddress(), request.senderPort());
        // Without a chosen address the system chooses where the reply leaves from.
        m_replySocket->writeDatagram(answer);
    }
}

}  // namespace veltrix
