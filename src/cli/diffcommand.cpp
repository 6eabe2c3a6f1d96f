// diff: every difference between two project files, as the two travel to a scanner.
#include "cli/arguments.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/fleet.h"
#include "cli/projectinput.h"
#include "core/link/configurationdiff.h"
#include "core/link/configurationdifferencetext.h"
#include "core/project/devicemodels.h"
#include "core/project/project.h"

namespace veltrix::cli {

int runDiff(const QStringList &arguments, Output &out)
{
    Arguments args;
    QString error;
    if (!args.parse(arguments, {}, &error))
        return out.fail(ExitUsage, error);
    if (args.positionals().size() != 2)
        return out.fail(ExitUsage, Cli::tr("diff 需要正好两个项目文件"));
    Project first;
    Project second;
    if (!openProject(args.positionals().at(0), first, &error) || !openProject(args.positionals().at(1), second, &error))
        return out.fail(ExitUsage, error);

    const QVector<ConfigurationDifference> differences =
        compareConfigurations(first.configuration(), second.configuration());
    const bool sameModel = first.modelIndex() == second.modelIndex();
    if (!sameModel) {
        out.line(Cli::tr("型号：%1，%2").arg(QLatin1String(deviceModel(first.modelIndex())->name),
                                             QLatin1String(deviceModel(second.modelIndex())->name)));
    }
    // The texts speak of the document and the scanner: here the first file and the second.
    for (const ConfigurationDifference &difference : differences) {
        out.line(Cli::tr("%1：%2 → %3")
                     .arg(ConfigurationDifferenceText::place(difference), ConfigurationDifferenceText::documentValue(difference),
                          ConfigurationDifferenceText::scannerValue(difference)));
    }
    const int code = differences.isEmpty() && sameModel ? ExitDone : ExitDifferences;
    if (code == ExitDone)
        out.line(Cli::tr("两个文件的配置完全相同。"));
    out.document(QJsonObject{{QStringLiteral("command"), QStringLiteral("diff")},
                             {QStringLiteral("files"), QJsonArray{args.positionals().at(0), args.positionals().at(1)}},
                             {QStringLiteral("sameModel"), sameModel},
                             {QStringLiteral("differences"),
                              differencesJson(differences, QStringLiteral("first"), QStringLiteral("second"))},
                             {QStringLiteral("exitCode"), code}});
    return code;
}

}  // namespace veltrix::cli
