#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>

class QUdpSocket;

namespace veltrix {

class EmulatedScanner;

// Answers the program's discovery search on UDP port 1900: an "M-SEARCH" datagram
// whose search target is a KT-10 device ("urn:" ... ":device:KT-10:1.0", whatever
// the vendor namespace between) gets a reply that names the scanner's Ethernet mode,
// "MODE: TCP" or "MODE: UDP", from parameter word 16.
class DiscoveryResponder : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 DiscoveryPort = 1900;

    // replyFrom: the address replies are sent from; any address lets the system choose.
    DiscoveryResponder(EmulatedScanner *scanner, const QHostAddress &replyFrom,
                       QObject *parent = nullptr);

    bool bind(quint16 port, QString *error);
    quint16 port() const;

    // The search target of a search request, or an empty array when datagram is not
    // a search for this kind of device.
    static QByteArray searchTarget(const QByteArray &datagram);
    // The reply to a search for target.
    QByteArray reply(const QByteArray &target) const;

private:
    void readDatagrams();

    EmulatedScanner *m_scanner;
    QHostAddress m_replyFrom;
    QUdpSocket *m_socket;
    QUdpSocket *m_replySocket;  // bound to m_replyFrom when that is a single address
};

}  // namespace veltrix
