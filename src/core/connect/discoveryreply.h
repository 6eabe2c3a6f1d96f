#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace veltrix {

// The scanner search, as sent by UDP broadcast to every local IPv4 network, and the one
// thing read from a reply besides its sender: the Ethernet mode the scanner is set to.

constexpr quint16 DiscoverySearchPort = 1900;

// The vendor namespace inside the searched device URN "urn:<vendor>:device:KT-10:1.0".
constexpr char DiscoveryVendor[] = "veltrix";

constexpr char ReplyModeTcp[] = "MODE: TCP";
constexpr char ReplyModeUdp[] = "MODE: UDP";

// The whole search datagram: five header lines, each ended by CR LF, no blank line
// after them and no terminating NUL.
QByteArray BuildSearchRequest();

// The mode a reply reports: the first "MODE:" in the datagram and the 9 bytes from
// there (fewer when the datagram ends first), cut at the first NUL; it counts only
// when it is exactly ReplyModeTcp or ReplyModeUdp. Otherwise an empty array. Reads
// nothing outside datagram.
QByteArray EthernetModeOfReply(const QByteArray &datagram);

}  // namespace veltrix
