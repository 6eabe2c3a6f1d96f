#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace veltrix::cli {

// Where a scanner is: "tcp:ADDR", "udp:ADDR", a bare IPv4 address (connected in the
// Ethernet mode the scanner reports to a discovery search, TCP when it does not
// answer one) or "serial:DEVICE[@BAUD]".
struct Target
{
    enum class Kind { Tcp, Udp, Discovered, Serial };

    Kind kind = Kind::Tcp;
    QString address;   // Ethernet: the IPv4 address; serial: the device
    qint32 baudRate = 0;
    QString text;      // as the user wrote it, which names it in every output

    bool isEthernet() const { return kind != Kind::Serial; }
};

// One target; false, with one line in *error, for text that is not one.
bool parseTarget(const QString &text, Target *target, QString *error);

// The targets of texts, in order; false, with one line in *error, at the first text
// that is not one or a target named twice.
bool parseTargets(const QStringList &texts, QList<Target> *targets, QString *error);

// The targets listed in a file, one per line; empty lines and lines starting with '#'
// are skipped. False, with one line in *error, for a file that cannot be read.
bool readTargetFile(const QString &fileName, QStringList *texts, QString *error);

}  // namespace veltrix::cli
