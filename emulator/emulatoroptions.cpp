#include "emulatoroptions.h"

#include "core/link/areapayload.h"

#include <QCommandLineParser>
#include <QDate>

#include <cmath>
#include <limits>

namespace veltrix {

namespace {

constexpr int MaxStatusWordBit = 15;
constexpr double MaxFirmwareVersion = 655.35;  // version x 100 travels as 16 bits

struct Reader
{
    const QCommandLineParser &parser;
    QString &error;

    bool integer(const char *name, qint64 low, qint64 high, qint64 &out) const
    {
        if (!parser.isSet(QLatin1String(name)))
            return true;
        bool ok = false;
        const qint64 value = parser.value(QLatin1String(name)).toLongLong(&ok);
        if (!ok || value < low || value > high) {
            error = QStringLiteral("--%1 takes a whole number from %2 to %3")
                        .arg(QLatin1String(name)).arg(low).arg(high);
            return false;
        }
        out = value;
        return true;
    }

    // NaN passes every comparison with a bound and infinity overflows whatever it is
    // later turned into, so only finite numbers within the bounds are taken.
    bool number(const char *name, double low, double high, double &out) const
    {
        if (!parser.isSet(QLatin1String(name)))
            return true;
        const QString text = parser.value(QLatin1String(name));
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (!ok || !std::isfinite(value) || value < low || value > high) {
            error = QStringLiteral("--%1 takes a number from %2 to %3, not '%4'")
                        .arg(QLatin1String(name)).arg(low).arg(high).arg(text);
            return false;
        }
        out = value;
        return true;
    }

    bool fail(const QString &message) const
    {
        error = message;
        return false;
    }
};

bool readScanner(const Reader &read, const QCommandLineParser &parser, ScannerConfig &scanner)
{
    if (parser.isSet(QStringLiteral("model"))) {
        scanner.model = scannerModelIndex(parser.value(QStringLiteral("model")));
        if (scanner.model < 0)
            return read.fail(QStringLiteral("--model takes 05, 10, 20, 30 or 50"));
    }
    if (parser.isSet(QStringLiteral("ethernet-mode"))) {
        const QString mode = parser.value(QStringLiteral("ethernet-mode")).toLower();
        if (mode != QLatin1String("tcp") && mode != QLatin1String("udp"))
            return read.fail(QStringLiteral("--ethernet-mode takes tcp or udp"));
        scanner.ethernetMode = mode == QLatin1String("udp") ? 1 : 0;
    }
    scanner.inverted = parser.isSet(QStringLiteral("inverted"));
    scanner.longProductReply = parser.isSet(QStringLiteral("long-product-reply"));

    qint64 value = scanner.inputs;
    if (!read.integer("inputs", 0, 255, value))
        return false;
    scanner.inputs = static_cast<quint8>(value);
    if (!read.number("scan-rate", 1, 50, scanner.scanRate)
        || !read.number("object-speed", 0, 100000, scanner.objectSpeed))
        return false;

    value = scanner.product.productCode;
    if (!read.integer("product-code", 0, 65535, value))
        return false;
    scanner.product.productCode = static_cast<quint16>(value);
    if (parser.isSet(QStringLiteral("firmware"))) {
        double version = 0;
        if (!read.number("firmware", 0, MaxFirmwareVersion, version))
            return read.fail(QStringLiteral("--firmware takes a version such as 1.05 (at most %1), not '%2'")
                                 .arg(MaxFirmwareVersion).arg(parser.value(QStringLiteral("firmware"))));
        scanner.product.firmware = static_cast<quint16>(qRound(version * 100));
    }
    value = scanner.product.serialNumber;
    if (!read.integer("serial-number", 0, 65535, value))
        return false;
    scanner.product.serialNumber = static_cast<quint16>(value);
    if (parser.isSet(QStringLiteral("production-date"))) {
        const QDate date = QDate::fromString(parser.value(QStringLiteral("production-date")), Qt::ISODate);
        if (!date.isValid() || date.year() < 0 || date.year() > 65535)
            return read.fail(QStringLiteral("--production-date takes a date such as 2024-03-15"));
        scanner.product.year = static_cast<quint16>(date.year());
        scanner.product.month = static_cast<quint16>(date.month());
        scanner.product.day = static_cast<quint16>(date.day());
    }

    if (parser.isSet(QStringLiteral("area-status"))) {
        const QStringList parts = parser.value(QStringLiteral("area-status")).split(QLatin1Char(':'));
        bool areaOk = false, statusOk = false;
        const int area = parts.value(0).toInt(&areaOk);
        const int status = parts.value(1).toInt(&statusOk);
        if (parts.size() != 2 || !areaOk || !statusOk || area < 0 || area > MaxAreaIndex
            || status < 1 || status > 255)
            return read.fail(QStringLiteral("--area-status takes AREA:STATUS, area 0 to 63, status 1 to 255"));
        scanner.areaStatusArea = area;
        scanner.areaStatusValue = status;
    }
    scanner.areaStatusAlways = parser.isSet(QStringLiteral("area-status-always"));
    if (scanner.areaStatusAlways && scanner.areaStatusArea < 0)
        return read.fail(QStringLiteral("--area-status-always needs --area-status"));
    qint64 wrongIndexArea = scanner.wrongIndexArea;
    if (!read.integer("wrong-area-index", 0, MaxAreaIndex, wrongIndexArea))
        return false;
    scanner.wrongIndexArea = static_cast<int>(wrongIndexArea);
    value = scanner.parameterStatus;
    if (!read.integer("para-status", 0, 255, value))
        return false;
    scanner.parameterStatus = static_cast<int>(value);
    value = scanner.caseStatus;
    if (!read.integer("case-status", 0, 255, value))
        return false;
    scanner.caseStatus = static_cast<int>(value);

    for (const QString &text : parser.values(QStringLiteral("fault-bit"))) {
        bool ok = false;
        const int bit = text.toInt(&ok);
        if (!ok || bit < 0 || bit > MaxStatusWordBit)
            return read.fail(QStringLiteral("--fault-bit takes a bit number from 0 to 15"));
        scanner.faultBits = static_cast<quint16>(scanner.faultBits | (1u << bit));
    }
    return true;
}

bool readFaults(const Reader &read, const QCommandLineParser &parser, DeliveryFaults &faults)
{
    if (!read.number("drop", 0, 1, faults.dropFraction) || !read.number("corrupt", 0, 1, faults.corruptFraction)
        || !read.number("noise", 0, 1, faults.noiseFraction))
        return false;
    qint64 value = 0;
    if (!read.integer("split", 1, 65535, value))
        return false;
    faults.splitMaxBytes = static_cast<int>(value);
    value = 0;
    if (!read.integer("close-after", 1, 1000000000, value))
        return false;
    faults.closeAfterFrames = static_cast<int>(value);
    if (parser.isSet(QStringLiteral("delay"))) {
        const QStringList parts = parser.value(QStringLiteral("delay")).split(QLatin1Char('-'));
        bool lowOk = false, highOk = true;
        const int low = parts.value(0).toInt(&lowOk);
        const int high = parts.size() > 1 ? parts.value(1).toInt(&highOk) : low;
        if (parts.size() > 2 || !lowOk || !highOk || low < 0 || high < low || high > 60000)
            return read.fail(QStringLiteral("--delay takes MS or MIN-MAX in milliseconds (at most 60000)"));
        faults.delayMinMs = low;
        faults.delayMaxMs = high;
    }
    return true;
}

}  // namespace

void addEmulatorOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "A laser scanner for the veltrix program to talk to: TCP and UDP on port 8080, discovery\n"
        "on UDP port 1900, and a pseudo-terminal as its serial line."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {{QStringLiteral("a"), QStringLiteral("address")},
         QStringLiteral("Serve TCP, UDP and the discovery search on the interface that has this IPv4\n"
                        "address (default: TCP and UDP on 127.0.0.1 only, no discovery)."),
         QStringLiteral("address")},
        {QStringLiteral("pty-link"),
         QStringLiteral("Also make a symbolic link to the serial device at this path."), QStringLiteral("path")},
        {QStringLiteral("model"),
         QStringLiteral("Scanner model 05, 10, 20, 30 or 50; sets the range (default 05)."), QStringLiteral("model")},
        {QStringLiteral("ethernet-mode"),
         QStringLiteral("Ethernet mode at power-up, tcp or udp (parameter word 16; default tcp)."),
         QStringLiteral("mode")},
        {QStringLiteral("inverted"), QStringLiteral("Mounted upside down at power-up (parameter word 14).")},
        {QStringLiteral("replay"),
         QStringLiteral("Serve the scans of this recording, in a loop at their recorded pace, instead of "
                        "the synthetic room; without --model the recording's model, without --scan-rate "
                        "its pace."),
         QStringLiteral("file")},
        {QStringLiteral("scan-rate"), QStringLiteral("Scans per second of the cloud output (default 15)."),
         QStringLiteral("hz")},
        {QStringLiteral("object-speed"),
         QStringLiteral("Speed of the moving object in mm/s; 0 keeps it still (default 500)."),
         QStringLiteral("mm/s")},
        {QStringLiteral("inputs"),
         QStringLiteral("Input state (active area) when the program simulates neither inputs nor case "
                        "data (default 0)."),
         QStringLiteral("value")},
        {QStringLiteral("product-code"), QStringLiteral("Product code in \"RPrda\" (default 10)."),
         QStringLiteral("code")},
        {QStringLiteral("firmware"), QStringLiteral("Firmware version in \"RPrda\" (default 1.05)."),
         QStringLiteral("version")},
        {QStringLiteral("serial-number"), QStringLiteral("Serial number in \"RPrda\" (default 1)."),
         QStringLiteral("number")},
        {QStringLiteral("production-date"),
         QStringLiteral("Production date in \"RPrda\" as YYYY-MM-DD (default 2024-01-01)."),
         QStringLiteral("date")},
        {QStringLiteral("long-product-reply"), QStringLiteral("Answer \"RPrda\" with its 509-byte form.")},
        {QStringLiteral("seed"),
         QStringLiteral("Seed of every random fault choice; the same seed repeats a run (default 1)."),
         QStringLiteral("n")},
        {QStringLiteral("drop"), QStringLiteral("Fraction (0 to 1) of replies never sent."),
         QStringLiteral("fraction")},
        {QStringLiteral("corrupt"), QStringLiteral("Fraction (0 to 1) of replies sent with a wrong checksum."),
         QStringLiteral("fraction")},
        {QStringLiteral("split"), QStringLiteral("Send replies in random pieces of 1 to this many bytes."),
         QStringLiteral("bytes")},
        {QStringLiteral("noise"),
         QStringLiteral("Fraction (0 to 1) of replies preceded by 1 to 8 random bytes."),
         QStringLiteral("fraction")},
        {QStringLiteral("delay"),
         QStringLiteral("Hold every reply back by MS, or by a random time from MIN to MAX ms."),
         QStringLiteral("ms|min-max")},
        {QStringLiteral("area-status"),
         QStringLiteral("Answer the next \"WArea\" of area AREA once with STATUS (1 setting error, 2 "
                        "flash error) and keep the area unchanged."),
         QStringLiteral("area:status")},
        {QStringLiteral("area-status-always"),
         QStringLiteral("Answer every \"WArea\" of the --area-status area with its status, not only the next.")},
        {QStringLiteral("wrong-area-index"),
         QStringLiteral("Answer the next \"RArea\" of this area once with an area index above 63."),
         QStringLiteral("area")},
        {QStringLiteral("para-status"),
         QStringLiteral("Answer every \"WPara\" with this status; non-zero keeps the parameters."),
         QStringLiteral("status")},
        {QStringLiteral("case-status"),
         QStringLiteral("Answer every \"WCase\" with this status; non-zero keeps the case data."),
         QStringLiteral("status")},
        {QStringLiteral("close-after"), QStringLiteral("Close each TCP connection after this many requests."),
         QStringLiteral("n")},
        {QStringLiteral("fault-bit"),
         QStringLiteral("Report this fault bit (0 to 15) in the status word while the program simulates "
                        "no fault; may be given more than once."),
         QStringLiteral("bit")},
        {QStringLiteral("verbose"), QStringLiteral("Print every request on standard error.")},
    });
}

ParseOutcome parseEmulatorOptions(QCommandLineParser &parser, const QStringList &arguments,
                                  EmulatorOptions &options, QString &error)
{
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return ParseOutcome::Error;
    }
    if (parser.isSet(QStringLiteral("help")))
        return ParseOutcome::Help;
    if (parser.isSet(QStringLiteral("version")))
        return ParseOutcome::Version;
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first());
        return ParseOutcome::Error;
    }

    const Reader read{parser, error};
    if (parser.isSet(QStringLiteral("address"))) {
        // A fake scanner that anyone on a plant network can find and configure is a
        // hazard, so it serves only one interface, and only one the user named.
        const QHostAddress address(parser.value(QStringLiteral("address")));
        if (address.protocol() != QAbstractSocket::IPv4Protocol || address == QHostAddress::AnyIPv4
            || address.isBroadcast() || address.isMulticast()) {
            error = QStringLiteral("--address takes the IPv4 address of one interface of this machine, "
                                   "such as 10.77.0.2 or 127.0.0.1");
            return ParseOutcome::Error;
        }
        options.address = address;
        options.answerDiscovery = true;
    }
    options.ptyLink = parser.value(QStringLiteral("pty-link"));
    options.replayFile = parser.value(QStringLiteral("replay"));
    options.modelGiven = parser.isSet(QStringLiteral("model"));
    options.scanRateGiven = parser.isSet(QStringLiteral("scan-rate"));
    options.verbose = parser.isSet(QStringLiteral("verbose"));
    qint64 seed = static_cast<qint64>(options.seed);
    if (!read.integer("seed", 0, std::numeric_limits<qint64>::max(), seed))
        return ParseOutcome::Error;
    options.seed = static_cast<quint64>(seed);
    if (!readScanner(read, parser, options.scanner) || !readFaults(read, parser, options.faults))
        return ParseOutcome::Error;
    return ParseOutcome::Run;
}

}  // namespace veltrix
