// write and verify: one project file to one or many scanners at once.
#include "cli/arguments.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/fleet.h"
#include "cli/projectinput.h"
#include "cli/scannerjob.h"
#include "core/link/configurationchecksum.h"
#include "core/project/project.h"

#include <QFileInfo>
#include <QJsonArray>

#include <memory>
#include <vector>

namespace veltrix::cli {

namespace {

int runOnTargets(const QStringList &arguments, Output &out, JobRequest::Kind kind)
{
    const bool writing = kind == JobRequest::Kind::Write;
    QList<OptionSpec> options{{QStringLiteral("targets"), QString(), true}};
    if (writing) {
        options.append({QStringLiteral("no-verify"), QString(), false});
        options.append({QStringLiteral("reboot"), QString(), false});
    }
    Arguments args;
    QString error;
    if (!args.parse(arguments, options, &error))
        return out.fail(ExitUsage, error);
    QStringList targetTexts = args.positionals().mid(1);
    if (args.has(QStringLiteral("targets"))
        && !readTargetFile(args.value(QStringLiteral("targets")), &targetTexts, &error))
        return out.fail(ExitUsage, error);
    if (args.positionals().isEmpty())
        return out.fail(ExitUsage, Cli::tr("缺少项目文件"));
    if (targetTexts.isEmpty())
        return out.fail(ExitUsage, Cli::tr("至少需要一个目标"));
    QList<Target> targets;
    if (!parseTargets(targetTexts, &targets, &error))
        return out.fail(ExitUsage, error);

    const QString file = args.positionals().first();
    Project project;
    if (!openProject(file, project, &error))
        return out.fail(ExitUsage, error);
    JobRequest request;
    request.kind = kind;
    request.configuration = project.configuration();
    request.check = args.has(QStringLiteral("no-verify")) ? WriteCheck::None : WriteCheck::ReadBack;
    request.reboot = args.has(QStringLiteral("reboot"));
    // Refused before anything is sent, as the window refuses it.
    if (!travels(request.configuration, &error))
        return out.fail(ExitUsage, Cli::tr("%1：%2").arg(file, error));
    const QString checksum = checksumText(*configurationChecksum(request.configuration));

    std::vector<std::unique_ptr<ScannerJob>> owned;
    QList<ScannerJob *> jobs;
    for (const Target &target : std::as_const(targets)) {
        owned.push_back(std::make_unique<ScannerJob>(target, request));
        jobs.append(owned.back().get());
    }
    const QString name = QFileInfo(file).fileName();
    out.line(writing ? Cli::tr("写入 %1（校验和 %2）到 %3 台传感器").arg(name, checksum).arg(jobs.size())
                     : Cli::tr("用 %1（校验和 %2）校验 %3 台传感器").arg(name, checksum).arg(jobs.size()));
    runJobs(jobs, out);
    const int code = combinedExitCode(jobs);
    if (out.json()) {
        QJsonObject document;
        document.insert(QStringLiteral("command"), writing ? QStringLiteral("write") : QStringLiteral("verify"));
        document.insert(QStringLiteral("file"), file);
        document.insert(QStringLiteral("checksum"), checksum);
        document.insert(QStringLiteral("verify"), !writing || request.check == WriteCheck::ReadBack);
        QJsonArray results;
        for (const ScannerJob *job : std::as_const(jobs))
            results.append(jobJson(*job));
        document.insert(QStringLiteral("targets"), results);
        document.insert(QStringLiteral("exitCode"), code);
        out.document(document);
    }
    printSummary(jobs, out);
    return code;
}

}  // namespace

int runWrite(const QStringList &arguments, Output &out)
{
    return runOnTargets(arguments, out, JobRequest::Kind::Write);
}

int runVerify(const QStringList &arguments, Output &out)
{
    return runOnTargets(arguments, out, JobRequest::Kind::Verify);
}

}  // namespace veltrix::cli
