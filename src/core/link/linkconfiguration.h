#pragma once

#include <QMetaType>
#include <QtGlobal>

namespace veltrix {

enum ConnectType : qint32 { SerialInterface = 0, EthernetInterface = 1 };
enum EthernetMode : qint32 { TcpMode = 0, UdpMode = 1 };

// How the link reaches its scanner and how that scanner hangs: the interface chosen,
// the Ethernet mode the scanner reported (TCP or UDP), and the mounting direction
// its parameters say (x travels negated on the wire when it is inverted). A plain
// value that the link holds and hands out.
struct LinkConfiguration
{
    qint32 connectType = SerialInterface;
    qint32 ethernetMode = TcpMode;
    bool invertedMount = false;

    bool isEthernet() const { return connectType == EthernetInterface; }

    friend bool operator==(const LinkConfiguration &a, const LinkConfiguration &b)
    {
        return a.connectType == b.connectType && a.ethernetMode == b.ethernetMode
            && a.invertedMount == b.invertedMount;
    }
    friend bool operator!=(const LinkConfiguration &a, const LinkConfiguration &b) { return !(a == b); }
};

}  // namespace veltrix

Q_DECLARE_METATYPE(veltrix::LinkConfiguration)
