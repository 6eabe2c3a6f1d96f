#include "cli/fleet.h"

#include "cli/clioutput.h"
#include "cli/progressdisplay.h"
#include "cli/scannerjob.h"
#include "core/connect/discoveryreply.h"
#include "core/connect/scannerdiscovery.h"
#include "core/link/configurationchecksum.h"
#include "core/link/configurationdifferencetext.h"
#include "core/link/linkconfiguration.h"

#include <QEventLoop>
#include <QTimer>

#include <memory>

namespace veltrix::cli {

namespace {

constexpr double MsPerSecond = 1000.0;

const char *const KindNames[] = {"parameter", "switching", "shape", "vertex", "arc-point", "field-value", "cannot-travel"};

QString outcomeName(ScannerJob::Outcome outcome)
{
    switch (outcome) {
    case ScannerJob::Outcome::Pending: return QStringLiteral("pending");
    case ScannerJob::Outcome::Identical: return QStringLiteral("identical");
    case ScannerJob::Outcome::Written: return QStringLiteral("written");
    case ScannerJob::Outcome::Read: return QStringLiteral("read");
    case ScannerJob::Outcome::Differs: return QStringLiteral("differences");
    case ScannerJob::Outcome::Refused: return QStringLiteral("refused");
    case ScannerJob::Outcome::LinkFailure: return QStringLiteral("link-failure");
    }
    return QString();
}

void learnEthernetModes(const QList<ScannerJob *> &jobs)
{
    bool anyBare = false;
    for (const ScannerJob *job : jobs)
        anyBare = anyBare || job->target().kind == Target::Kind::Discovered;
    if (!anyBare)
        return;
    ScannerDiscovery discovery;
    discovery.start();
    QEventLoop wait;
    QTimer::singleShot(DiscoveryWaitMs, &wait, &QEventLoop::quit);
    wait.exec();
    for (ScannerJob *job : jobs) {
        if (job->target().kind == Target::Kind::Discovered)
            job->setEthernetMode(discovery.modeOf(job->target().address) == QLatin1String(ReplyModeUdp) ? UdpMode
                                                                                                        : TcpMode);
    }
}

QString secondsText(qint64 ms)
{
    return Cli::tr("%1 秒").arg(ms / MsPerSecond, 0, 'f', 1);
}

}  // namespace

void runJobs(const QList<ScannerJob *> &jobs, const Output &out)
{
    learnEthernetModes(jobs);
    std::unique_ptr<ProgressDisplay> display;
    if (!out.json())
        display = std::make_unique<ProgressDisplay>(jobs, Output::isTerminal());
    int running = jobs.size();
    QEventLoop loop;
    for (ScannerJob *job : jobs) {
        QObject::connect(job, &ScannerJob::finished, &loop, [&running, &loop] {
            if (--running == 0)
                loop.quit();
        });
    }
    if (display)
        display->begin();
    for (ScannerJob *job : jobs)
        job->start();
    if (running > 0)
        loop.exec();
    if (display)
        display->end();
}

int combinedExitCode(const QList<ScannerJob *> &jobs)
{
    int code = ExitDone;
    for (const ScannerJob *job : jobs)
        code = qMax(code, job->exitCode());
    return code;
}

void printSummary(const QList<ScannerJob *> &jobs, const Output &out)
{
    const QStringList headings{Cli::tr("目标"), Cli::tr("接口"), Cli::tr("结果"), Cli::tr("校验和"), Cli::tr("用时")};
    QList<QStringList> rows;
    for (const ScannerJob *job : jobs) {
        const std::optional<quint32> checksum = job->scannerChecksum();
        rows.append({job->target().text, job->interfaceName(), ProgressDisplay::outcomeText(*job),
                     checksum ? checksumText(*checksum) : QStringLiteral("-"), secondsText(job->elapsedMs())});
    }
    QVector<int> widths(headings.size(), 0);
    for (const QStringList &row : rows + QList<QStringList>{headings}) {
        for (int column = 0; column < row.size(); ++column)
            widths[column] = qMax(widths[column], displayWidth(row.at(column)));
    }
    const auto format = [&widths](const QStringList &row) {
        QString line;
        for (int column = 0; column < row.size(); ++column)
            line += column + 1 < row.size() ? padded(row.at(column), widths[column] + 2) : row.at(column);
        return line;
    };
    out.line(QString());
    out.line(format(headings));
    for (const QStringList &row : std::as_const(rows))
        out.line(format(row));
    for (const ScannerJob *job : jobs) {
        if (job->result().differences.isEmpty())
            continue;
        out.line(QString());
        out.line(Cli::tr("%1 的差异：").arg(job->target().text));
        for (const ConfigurationDifference &difference : job->result().differences)
            out.line(QStringLiteral("  ") + ConfigurationDifferenceText::line(difference));
    }
    for (const ScannerJob *job : jobs) {
        if (job->exitCode() != ExitDone)
            out.fail(job->exitCode(), Cli::tr("%1：%2").arg(job->target().text, job->message()));
    }
}

QJsonArray differencesJson(const QVector<ConfigurationDifference> &differences, const QString &firstSide,
                           const QString &secondSide)
{
    QJsonArray list;
    for (const ConfigurationDifference &difference : differences) {
        QJsonObject entry;
        entry.insert(QStringLiteral("kind"), QLatin1String(KindNames[static_cast<int>(difference.kind)]));
        entry.insert(QStringLiteral("area"), difference.area);
        entry.insert(QStringLiteral("field"), difference.field);
        entry.insert(QStringLiteral("item"), difference.item);
        entry.insert(QStringLiteral("place"), ConfigurationDifferenceText::place(difference));
        entry.insert(firstSide, ConfigurationDifferenceText::documentValue(difference));
        entry.insert(secondSide, ConfigurationDifferenceText::scannerValue(difference));
        list.append(entry);
    }
    return list;
}

QJsonObject jobJson(const ScannerJob &job)
{
    QJsonObject entry;
    entry.insert(QStringLiteral("target"), job.target().text);
    entry.insert(QStringLiteral("interface"), job.interfaceName());
    entry.insert(QStringLiteral("result"), outcomeName(job.outcome()));
    entry.insert(QStringLiteral("exitCode"), job.exitCode());
    const std::optional<quint32> checksum = job.scannerChecksum();
    entry.insert(QStringLiteral("checksum"), checksum ? QJsonValue(checksumText(*checksum)) : QJsonValue());
    entry.insert(QStringLiteral("seconds"), job.elapsedMs() / MsPerSecond);
    entry.insert(QStringLiteral("rebooted"), job.result().rebooted);
    entry.insert(QStringLiteral("message"), job.message());
    entry.insert(QStringLiteral("differences"), differencesJson(job.result().differences));
    return entry;
}

}  // namespace veltrix::cli
