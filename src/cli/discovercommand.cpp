// discover: the scanners on the local networks that answer a search.
#include "cli/arguments.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/progressdisplay.h"
#include "core/connect/discoveryreply.h"
#include "core/connect/scannerdiscovery.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QTimer>

namespace veltrix::cli {

namespace {

constexpr double DefaultSearchSeconds = 2.0;
constexpr double MsPerSecond = 1000.0;

QString modeName(const QString &reply)
{
    if (reply == QLatin1String(ReplyModeTcp))
        return QStringLiteral("tcp");
    if (reply == QLatin1String(ReplyModeUdp))
        return QStringLiteral("udp");
    return QString();
}

}  // namespace

int runDiscover(const QStringList &arguments, Output &out)
{
    Arguments args;
    QString error;
    double seconds = 0;
    if (!args.parse(arguments, {{QStringLiteral("timeout"), QString(), true}}, &error)
        || !args.seconds(QStringLiteral("timeout"), DefaultSearchSeconds, &seconds, &error))
        return out.fail(ExitUsage, error);
    if (!args.positionals().isEmpty())
        return out.fail(ExitUsage, Cli::tr("discover 不需要参数：“%1”").arg(args.positionals().first()));

    ScannerDiscovery discovery;
    discovery.start();
    QEventLoop wait;
    QTimer::singleShot(static_cast<int>(seconds * MsPerSecond), &wait, &QEventLoop::quit);
    wait.exec();

    const QStringList addresses = discovery.addresses();
    QJsonArray found;
    int width = displayWidth(Cli::tr("地址"));
    for (const QString &address : addresses)
        width = qMax(width, address.size());
    if (!addresses.isEmpty())
        out.line(padded(Cli::tr("地址"), width + 2) + Cli::tr("以太网模式"));
    for (const QString &address : addresses) {
        const QString mode = modeName(discovery.modeOf(address));
        out.line(padded(address, width + 2) + (mode.isEmpty() ? Cli::tr("未知") : mode));
        found.append(QJsonObject{{QStringLiteral("address"), address},
                                 {QStringLiteral("mode"), mode.isEmpty() ? QJsonValue() : QJsonValue(mode)}});
    }
    if (addresses.isEmpty())
        out.line(Cli::tr("%1 秒内没有传感器应答。").arg(seconds));
    out.document(QJsonObject{{QStringLiteral("command"), QStringLiteral("discover")},
                             {QStringLiteral("scanners"), found},
                             {QStringLiteral("exitCode"), ExitDone}});
    return ExitDone;
}

}  // namespace veltrix::cli
