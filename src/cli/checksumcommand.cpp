// checksum: the configuration checksum of project files, as a scanner holding them
// would report it.
#include "cli/arguments.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/projectinput.h"
#include "core/link/configurationchecksum.h"
#include "core/project/project.h"

#include <QJsonArray>

namespace veltrix::cli {

int runChecksum(const QStringList &arguments, Output &out)
{
    Arguments args;
    QString error;
    if (!args.parse(arguments, {{QStringLiteral("areas"), QString(), false}}, &error))
        return out.fail(ExitUsage, error);
    if (args.positionals().isEmpty())
        return out.fail(ExitUsage, Cli::tr("缺少项目文件"));
    const bool perArea = args.has(QStringLiteral("areas"));
    QJsonArray files;
    for (const QString &file : args.positionals()) {
        Project project;
        if (!openProject(file, project, &error))
            return out.fail(ExitUsage, error);
        const ScannerConfiguration configuration = project.configuration();
        if (!travels(configuration, &error))
            return out.fail(ExitUsage, Cli::tr("%1：%2").arg(file, error));
        const QString checksum = checksumText(*configurationChecksum(configuration));
        out.line(QStringLiteral("%1  %2").arg(checksum, file));
        QJsonObject entry{{QStringLiteral("file"), file}, {QStringLiteral("checksum"), checksum}};
        QJsonArray areas;
        for (int area = 0; area < AreaCount; ++area) {
            const QString areaSum = checksumText(*areaChecksum(configuration, area));
            areas.append(areaSum);
            if (perArea)
                out.line(Cli::tr("  区域%1  %2").arg(area, 2).arg(areaSum));
        }
        entry.insert(QStringLiteral("areas"), areas);
        files.append(entry);
    }
    out.document(QJsonObject{{QStringLiteral("command"), QStringLiteral("checksum")},
                             {QStringLiteral("files"), files},
                             {QStringLiteral("exitCode"), ExitDone}});
    return ExitDone;
}

}  // namespace veltrix::cli
