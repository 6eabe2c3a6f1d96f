#include "cli/target.h"

#include "cli/clioutput.h"
#include "core/connect/scannerconnection.h"
#include "core/connect/serialsettings.h"

#include <QFile>
#include <QSet>
#include <QTextStream>

namespace veltrix::cli {

namespace {

const QLatin1String TcpPrefix("tcp:");
const QLatin1String UdpPrefix("udp:");
const QLatin1String SerialPrefix("serial:");
const QLatin1Char BaudSeparator('@');
const QLatin1Char Comment('#');

bool notATarget(const QString &text, QString *error)
{
    *error = Cli::tr("“%1”不是目标（应为 tcp:地址、udp:地址、IPv4 地址或 serial:设备[@波特率]）").arg(text);
    return false;
}

}  // namespace

bool parseTarget(const QString &text, Target *target, QString *error)
{
    Target parsed;
    parsed.text = text;
    if (text.startsWith(SerialPrefix)) {
        parsed.kind = Target::Kind::Serial;
        QString device = text.mid(SerialPrefix.size());
        parsed.baudRate = SerialSettings::DefaultBaudRate;
        const int at = device.lastIndexOf(BaudSeparator);
        if (at >= 0) {
            bool ok = false;
            parsed.baudRate = device.mid(at + 1).toInt(&ok);
            if (!ok || parsed.baudRate <= 0)
                return notATarget(text, error);
            device.truncate(at);
        }
        if (device.isEmpty())
            return notATarget(text, error);
        parsed.address = device;
    } else {
        if (text.startsWith(TcpPrefix)) {
            parsed.kind = Target::Kind::Tcp;
            parsed.address = text.mid(TcpPrefix.size());
        } else if (text.startsWith(UdpPrefix)) {
            parsed.kind = Target::Kind::Udp;
            parsed.address = text.mid(UdpPrefix.size());
        } else {
            parsed.kind = Target::Kind::Discovered;
            parsed.address = text;
        }
        if (!ScannerConnection::isAddress(parsed.address))
            return notATarget(text, error);
    }
    *target = parsed;
    return true;
}

bool parseTargets(const QStringList &texts, QList<Target> *targets, QString *error)
{
    QSet<QString> seen;
    for (const QString &text : texts) {
        Target target;
        if (!parseTarget(text, &target, error))
            return false;
        // Two links to one scanner would only get in each other's way.
        const QString place = (target.isEthernet() ? QStringLiteral("net:") : QStringLiteral("serial:")) + target.address;
        if (seen.contains(place)) {
            *error = Cli::tr("目标“%1”重复出现").arg(text);
            return false;
        }
        seen.insert(place);
        targets->append(target);
    }
    return true;
}

bool readTargetFile(const QString &fileName, QStringList *texts, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = Cli::tr("无法读取目标列表 %1：%2").arg(fileName, file.errorString());
        return false;
    }
    QTextStream stream(&file);
    while (!stream.atEnd()) {
        const QString line = stream.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(Comment))
            texts->append(line);
    }
    return true;
}

}  // namespace veltrix::cli
