#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>

class QNetworkDatagram;
class QUdpSocket;

namespace veltrix {

class EmulatedScanner;

// Answers the program's discovery search on UDP port 1900: an "M-SEARCH" datagram
// whose search target is a KT-10 device ("urn:" ... ":device:KT-10:1.0", whatever
// the vendor namespace between) gets a reply that names the scanner's Ethernet mode,
// "MODE: TCP" or "MODE: UDP", from parameter word 16. Only searches meant for the
// served address or its network are answered, from that address.
class DiscoveryResponder : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 DiscoveryPort = 1900;

    DiscoveryResponder(EmulatedScanner *scanner, const QHostAddress &served, QObject *parent = nullptr);

    // Fails when no interface of this machine has the served address.
    bool bind(quint16 port, QString *error);
    quint16 port() const;
    QString interfaceName() const { return m_interfaceName; }

    // The search target of a search request, or an empty array when datagram is not
    // a search for this kind of device.
    static QByteArray searchTarget(const QByteArray &datagram);
    // The reply to a search for target.
    QByteArray reply(const QByteArray &target) const;

private:
    bool servesRequest(const QNetworkDatagram &request) const;
    void readDatagrams();

    EmulatedScanner *m_scanner;
    QHostAddress m_served;
    int m_interfaceIndex = -1;
    QString m_interfaceName;
    QHostAddress m_broadcast;   // of the served address's network
    QUdpSocket *m_socket;       // every address: broadcasts reach no other socket
    QUdpSocket *m_replySocket;  // bound to the served address
};

}  // namespace veltrix
