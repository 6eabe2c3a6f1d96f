#pragma once

#include "core/connect/scannerconnection.h"

#include <QString>

namespace veltrix {

// What the user is told about a connection that failed, in the language chosen: the
// target and the reason in words, as a window shows it under its first line ("Ethernet
// Open error") and a command line prints it. Nothing here shows anything.
namespace connectiontexts {

// The target as the user names it: "10.77.0.9:8080", or the serial port's name.
QString ethernetTarget(const QString &address);
QString serialTarget(const QString &portName);

// The reason in words ("connection refused"); systemText is said where there are no
// words of our own for the cause, and beside them where the system says more.
QString reason(ScannerConnection::Cause cause, const QString &systemText);

// "10.77.0.9:8080 — connection refused".
QString failureLine(const QString &target, ScannerConnection::Cause cause,
                    const QString &systemText);

}  // namespace connectiontexts

}  // namespace veltrix
