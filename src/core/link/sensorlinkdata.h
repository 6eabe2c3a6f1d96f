#pragma once

#include <QVector>
#include <QtGlobal>

namespace veltrix {

enum ConnectType : qint32 { SerialInterface = 0, EthernetInterface = 1 };
enum EthernetMode : qint32 { TcpMode = 0, UdpMode = 1 };
enum DisplayModes : qint32 { DisplayGraph = 0, DisplayCloud = 1, DisplayLine = 2 };

constexpr int CloudCapacity = 30000;  // point slots of one Ethernet scan
constexpr int SerialScanSize = 540;   // distances (or intensities) of one serial scan

// The live state shared by the link, the transports, the settings dock, the status
// display and the scan rendering. Owned by the main window; everyone else holds a
// plain pointer and re-reads it when told that it changed.
struct SensorLinkData
{
    SensorLinkData();

    QVector<qint32> cloudDistX;
    QVector<qint32> cloudDistY;
    QVector<qint32> cloudIntensityX;
    QVector<qint32> cloudIntensityY;
    qint32 cloudIndex = 0;  // next slot while an Ethernet scan is being assembled
    qint32 cloudCount = 0;  // points of the last complete Ethernet scan
    QVector<quint16> scanDistances;
    QVector<quint16> scanIntensities;

    qint32 connectType = SerialInterface;
    qint32 ethernetMode = TcpMode;
    qint32 DisplayMode = DisplayGraph;
    bool invertedMount = false;
    qint32 lastActiveArea = 0;  // last area number the scanner reported as active

    // Counted up whenever a new distance (intensity) scan is stored or the store is
    // emptied, so that a drawing knows whether its points are still the latest.
    quint32 scanSequence = 0;
    quint32 intensitySequence = 0;

    // Empties the cloud store: index and count 0, all vectors back to full size, zero.
    void resetCloud();
};

}  // namespace veltrix
