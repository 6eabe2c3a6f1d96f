#pragma once

#include "emulatoroptions.h"

#include <QObject>
#include <QStringList>

namespace veltrix {

class DiscoveryResponder;
class EmulatedScanner;
class PtyEndpoint;
class SessionFactory;
class TcpEndpoint;
class UdpEndpoint;

// One emulated scanner on all its transports: TCP and UDP on port 8080, a
// pseudo-terminal for the serial side and, on an interface the user named, discovery
// on UDP port 1900.
class EmulatorServer : public QObject
{
    Q_OBJECT

public:
    explicit EmulatorServer(const EmulatorOptions &options, QObject *parent = nullptr);
    ~EmulatorServer() override;

    // Opens every transport; false with error when one cannot be opened.
    bool start(QString *error);

    // What the console shows once the scanner is up, one line each.
    QStringList summary() const;

    EmulatedScanner *scanner() const { return m_scanner; }
    // The pseudo-terminal the program opens as a serial port; empty where there is none.
    QString serialDevice() const;
    // The faults of every connection from now on, open ones included.
    void setFaults(const DeliveryFaults &faults);

signals:
    void traffic(const QString &line);

private:
    EmulatorOptions m_options;
    EmulatedScanner *m_scanner;
    SessionFactory *m_sessions;
    TcpEndpoint *m_tcp;
    UdpEndpoint *m_udp;
    DiscoveryResponder *m_discovery;  // null unless discovery is answered
    PtyEndpoint *m_pty = nullptr;  // null where the system has no pseudo-terminals
    int m_replayScans = 0;
    double m_replaySeconds = 0;
};

}  // namespace veltrix
