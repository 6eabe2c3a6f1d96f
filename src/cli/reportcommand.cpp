// report: the printable configuration report of a project file, as File › Export Report
// writes it in the window.
#include "cli/arguments.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/projectinput.h"
#include "core/project/project.h"
#include "core/report/configurationreport.h"

#include <QDateTime>

namespace veltrix::cli {

int runReport(const QStringList &arguments, Output &out)
{
    Arguments args;
    QString error;
    if (!args.parse(arguments, {{QStringLiteral("output"), QStringLiteral("o"), true}}, &error))
        return out.fail(ExitUsage, error);
    if (args.positionals().size() != 1)
        return out.fail(ExitUsage, Cli::tr("report 需要正好一个项目文件"));
    if (!args.has(QStringLiteral("output")))
        return out.fail(ExitUsage, Cli::tr("用 -o 指定要写入的 PDF 文件"));
    const QString file = args.positionals().first();
    const QString pdf = args.value(QStringLiteral("output"));
    Project project;
    if (!openProject(file, project, &error))
        return out.fail(ExitUsage, error);

    const ReportResult result =
        ConfigurationReport::write(ReportDocument::of(project, QDateTime::currentDateTime()), pdf);
    if (!result.written())
        return out.fail(ExitUsage, result.error);
    out.line(Cli::tr("已写入报告 %1（%2 页）").arg(pdf).arg(result.pages));
    out.document(QJsonObject{{QStringLiteral("command"), QStringLiteral("report")},
                             {QStringLiteral("file"), file},
                             {QStringLiteral("output"), pdf},
                             {QStringLiteral("pages"), result.pages},
                             {QStringLiteral("exitCode"), ExitDone}});
    return ExitDone;
}

}  // namespace veltrix::cli
