#pragma once

#include "deliveryfaults.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace veltrix {

class EmulatedScanner;
class ScannerSession;

// Makes the session of every new peer with the faults in force and a seed of its
// own (the run's seed and the order in which peers came), and can change the faults
// of every live session at once.
class SessionFactory : public QObject
{
    Q_OBJECT

public:
    SessionFactory(EmulatedScanner *scanner, const DeliveryFaults &faults, quint64 seed,
                   QObject *parent = nullptr);

    // peer names the peer in log lines ("tcp 10.77.0.1:41234", "serial").
    ScannerSession *create(const QString &peer, QObject *parent);
    // "10.77.0.1:41234", with IPv4 addresses that came mapped into IPv6 shown plainly.
    static QString peerName(const QHostAddress &address, quint16 port);

    void setFaults(const DeliveryFaults &faults);
    const DeliveryFaults &faults() const { return m_faults; }
    EmulatedScanner *scanner() const { return m_scanner; }

signals:
    // One line per request, for a verbose console.
    void traffic(const QString &line);

private:
    quint64 nextSeed();

    EmulatedScanner *m_scanner;
    DeliveryFaults m_faults;
    quint64 m_seed;
    quint64 m_created = 0;
    QList<QPointer<ScannerSession>> m_sessions;
};

}  // namespace veltrix
