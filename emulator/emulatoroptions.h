#pragma once

#include "deliveryfaults.h"
#include "scannerconfig.h"

#include <QHostAddress>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace veltrix {

// Everything the command line of veltrix-emulator chooses.
struct EmulatorOptions
{
    static constexpr quint16 ScannerPort = 8080;

    QHostAddress address = QHostAddress::LocalHost;  // where TCP and UDP port 8080 listen
    bool answerDiscovery = false;  // only on the interface of an address the user named
    QString ptyLink;                           // symbolic link to the serial device
    ScannerConfig scanner;
    QString replayFile;          // a scan recording served instead of the synthetic room
    bool modelGiven = false;     // --model named one (otherwise a replay takes the recording's)
    bool scanRateGiven = false;  // --scan-rate named one (otherwise a replay keeps its pace)
    DeliveryFaults faults;
    quint64 seed = 1;
    bool verbose = false;
};

// Declares every option on parser (with --help and --version).
void addEmulatorOptions(QCommandLineParser &parser);

enum class ParseOutcome { Run, Help, Version, Error };

// Parses arguments (the program name first) into options; on Error, error says why.
ParseOutcome parseEmulatorOptions(QCommandLineParser &parser, const QStringList &arguments,
                                  EmulatorOptions &options, QString &error);

}  // namespace veltrix
