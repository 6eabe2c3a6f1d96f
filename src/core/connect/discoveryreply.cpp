#include "core/connect/discoveryreply.h"

namespace veltrix {

namespace {

constexpr char ModeMarker[] = "MODE:";
constexpr int ModeLength = 9;  // "MODE: TCP"

}  // namespace

QByteArray BuildSearchRequest()
{
    QByteArray request;
    request += "M-SEARCH * HTTP/1.1\r\n";
    request += "HOST: 239.255.255.250:1900\r\n";
    request += "MAN: \"ssdp:discover\"\r\n";
    request += "MX: 1\r\n";
    request += "ST: urn:";
    request += DiscoveryVendor;
    request += ":device:KT-10:1.0\r\n";
    return request;
}

QByteArray EthernetModeOfReply(const QByteArray &datagram)
{
    const int at = datagram.indexOf(ModeMarker);
    if (at < 0)
        return QByteArray();
    QByteArray mode = datagram.mid(at, ModeLength);
    const int nul = mode.indexOf('\0');
    if (nul >= 0)
        mode.truncate(nul);
    if (mode == ReplyModeTcp || mode == ReplyModeUdp)
        return mode;
    return QByteArray();
}

}  // namespace veltrix
