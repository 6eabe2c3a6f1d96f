#include "emulatorserver.h"

#include "discoveryresponder.h"
#include "emulatedscanner.h"
#ifndef VELTRIX_NO_POSIX
#include "ptyendpoint.h"
#endif
#include "recordingreplay.h"
#include "sessionfactory.h"
#include "tcpendpoint.h"
#include "udpendpoint.h"

namespace veltrix {

EmulatorServer::EmulatorServer(const EmulatorOptions &options, QObject *parent)
    : QObject(parent),
      m_options(options),
      m_scanner(new EmulatedScanner(options.scanner, this)),
      m_sessions(new SessionFactory(m_scanner, options.faults, options.seed, this)),
      m_tcp(new TcpEndpoint(m_sessions, this)),
      m_udp(new UdpEndpoint(m_sessions, this)),
      m_discovery(options.answerDiscovery ? new DiscoveryResponder(m_scanner, options.address, this) : nullptr)
{
#ifndef VELTRIX_NO_POSIX
    m_pty = new PtyEndpoint(m_sessions, this);
#endif
    connect(m_sessions, &SessionFactory::traffic, this, &EmulatorServer::traffic);
}

EmulatorServer::~EmulatorServer() = default;

bool EmulatorServer::start(QString *error)
{
    QString reason;
    if (!m_options.replayFile.isEmpty()) {
        auto replay = std::make_unique<RecordingReplay>();
        if (!replay->open(m_options.replayFile, &reason)) {
            *error = QStringLiteral("replay: %1").arg(reason);
            return false;
        }
        const ScannerConfig &config = m_scanner->config();
        m_replayScans = replay->scanCount();
        m_replaySeconds = replay->loopMs() / 1000.0;
        const int model = m_options.modelGiven ? config.model : replay->model();
        const double rate = m_options.scanRateGiven ? config.scanRate : replay->scanRate();
        m_scanner->setScanSource(std::move(replay), model, rate);
    }
    if (!m_tcp->listen(m_options.address, EmulatorOptions::ScannerPort, &reason)) {
        *error = QStringLiteral("TCP port %1: %2").arg(EmulatorOptions::ScannerPort).arg(reason);
        return false;
    }
    if (!m_udp->bind(m_options.address, EmulatorOptions::ScannerPort, &reason)) {
        *error = QStringLiteral("UDP port %1: %2").arg(EmulatorOptions::ScannerPort).arg(reason);
        return false;
    }
    if (m_discovery && !m_discovery->bind(DiscoveryResponder::DiscoveryPort, &reason)) {
        *error = QStringLiteral("UDP port %1: %2").arg(DiscoveryResponder::DiscoveryPort).arg(reason);
        return false;
    }
#ifndef VELTRIX_NO_POSIX
    if (!m_pty->open(&reason)) {
        *error = QStringLiteral("serial line: %1").arg(reason);
        return false;
    }
    if (!m_options.ptyLink.isEmpty() && !m_pty->createLink(m_options.ptyLink, &reason)) {
        *error = QStringLiteral("serial link: %1").arg(reason);
        return false;
    }
#else
    if (!m_options.ptyLink.isEmpty()) {
        *error = QStringLiteral("serial link: this system has no pseudo-terminals");
        return false;
    }
#endif
    return true;
}

QStringList EmulatorServer::summary() const
{
    const ScannerConfig &config = m_scanner->config();
    QStringList lines;
    lines << QStringLiteral("Scanner: model %1, range %2 mm, Ethernet mode %3, %4 mounting")
                 .arg(QLatin1String(DeviceModels[static_cast<size_t>(config.model)].name))
                 .arg(config.rangeLimit())
                 .arg(m_scanner->ethernetMode() == 1 ? QStringLiteral("UDP") : QStringLiteral("TCP"))
                 .arg(m_scanner->inverted() ? QStringLiteral("inverted") : QStringLiteral("forward"));
    if (!m_options.replayFile.isEmpty()) {
        lines << QStringLiteral("Replay: %1, %2 scans in %3 s, in a loop at %4 scans per second")
                     .arg(m_options.replayFile).arg(m_replayScans).arg(m_replaySeconds, 0, 'f', 1)
                     .arg(config.scanRate, 0, 'f', 1);
    }
    lines << QStringLiteral("TCP: %1:%2").arg(m_tcp->address().toString()).arg(m_tcp->port());
    lines << QStringLiteral("UDP: %1:%2").arg(m_udp->address().toString()).arg(m_udp->port());
    if (m_discovery) {
        lines << QStringLiteral("Discovery: UDP port %1 on %2 (%3)")
                     .arg(m_discovery->port()).arg(m_discovery->interfaceName(), m_options.address.toString());
    } else {
        lines << QStringLiteral("Discovery: not answered (--address names the interface to answer it on)");
    }
#ifndef VELTRIX_NO_POSIX
    lines << QStringLiteral("Serial: %1").arg(m_pty->devicePath());
    if (!m_pty->linkPath().isEmpty())
        lines << QStringLiteral("Serial link: %1").arg(m_pty->linkPath());
#else
    lines << QStringLiteral("Serial line: none, this system has no pseudo-terminals");
#endif
    return lines;
}

QString EmulatorServer::serialDevice() const
{
#ifndef VELTRIX_NO_POSIX
    return m_pty->devicePath();
#else
    return QString();
#endif
}

void EmulatorServer::setFaults(const DeliveryFaults &faults)
{
    m_sessions->setFaults(faults);
}

}  // namespace veltrix
