#include "sessionfactory.h"

#include "scannersession.h"

#include "core/link/frames.h"

#include <utility>

namespace veltrix {

SessionFactory::SessionFactory(EmulatedScanner *scanner, const DeliveryFaults &faults,
                               quint64 seed, QObject *parent)
    : QObject(parent), m_scanner(scanner), m_faults(faults), m_seed(seed)
{
}

quint64 SessionFactory::nextSeed()
{
    // Distinct, repeatable streams per peer (splitmix64 of the run's seed and the count).
    quint64 z = m_seed + 0x9E3779B97F4A7C15ull * ++m_created;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

ScannerSession *SessionFactory::create(const QString &peer, QObject *parent)
{
    auto *session = new ScannerSession(m_scanner, m_faults, nextSeed(), parent);
    m_sessions.removeAll(QPointer<ScannerSession>());
    m_sessions.append(session);
    connect(session, &ScannerSession::requestHandled, this,
            [this, peer](const QByteArray &request, const QByteArray &reply) {
                QString line = peer + QLatin1String(": ") + QString::fromLatin1(request.left(MnemonicLength));
                if (reply.isEmpty())
                    line += QLatin1String(" (no reply)");
                else
                    line += QStringLiteral(" -> %1 bytes").arg(reply.size());
                emit traffic(line);
            });
    return session;
}

QString SessionFactory::peerName(const QHostAddress &address, quint16 port)
{
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    const QString host = isIpv4 ? QHostAddress(ipv4).toString() : address.toString();
    return QStringLiteral("%1:%2").arg(host).arg(port);
}

void SessionFactory::setFaults(const DeliveryFaults &faults)
{
    m_faults = faults;
    for (const QPointer<ScannerSession> &session : std::as_const(m_sessions)) {
        if (session)
            session->setFaults(faults, nextSeed());
    }
}

}  // namespace veltrix
