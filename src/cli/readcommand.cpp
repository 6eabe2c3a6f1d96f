// read: one scanner's whole configuration into a project file.
#include "cli/arguments.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/fleet.h"
#include "cli/scannerjob.h"
#include "core/link/configurationchecksum.h"
#include "core/link/sensorsettingfields.h"
#include "core/project/devicemodels.h"
#include "core/project/project.h"
#include "core/project/projectfile.h"
#include "core/project/projectstorage.h"

#include <QDate>

namespace veltrix::cli {

namespace {

// The model of the file name's extension (any case), or -1.
int modelOfFileName(const QString &fileName)
{
    for (int model = 0; model < DeviceModelCount; ++model) {
        if (fileName.endsWith(ProjectExtension(model), Qt::CaseInsensitive))
            return model;
    }
    return -1;
}

int modelOfName(const QString &name)
{
    for (int model = 0; model < DeviceModelCount; ++model) {
        if (name == QLatin1String(DeviceModels[static_cast<size_t>(model)].name))
            return model;
    }
    return -1;
}

}  // namespace

int runRead(const QStringList &arguments, Output &out)
{
    Arguments args;
    QString error;
    if (!args.parse(arguments, {{QStringLiteral("output"), QStringLiteral("o"), true},
                                {QStringLiteral("model"), QString(), true}},
                    &error))
        return out.fail(ExitUsage, error);
    if (args.positionals().size() != 1)
        return out.fail(ExitUsage, Cli::tr("read 需要正好一个目标"));
    if (!args.has(QStringLiteral("output")))
        return out.fail(ExitUsage, Cli::tr("用 -o 指定要写入的项目文件"));
    Target target;
    if (!parseTarget(args.positionals().first(), &target, &error))
        return out.fail(ExitUsage, error);
    QString file = args.value(QStringLiteral("output"));
    int model = modelOfFileName(file);
    if (args.has(QStringLiteral("model"))) {
        const int named = modelOfName(args.value(QStringLiteral("model")));
        if (named < 0)
            return out.fail(ExitUsage, Cli::tr("未知型号“%1”（应为 05、10、20、30 或 50）").arg(args.value(QStringLiteral("model"))));
        if (model >= 0 && model != named)
            return out.fail(ExitUsage, Cli::tr("文件名 %1 与型号 %2 不符").arg(file, args.value(QStringLiteral("model"))));
        model = named;
        file = WithProjectExtension(file, model);
    }
    if (model < 0)
        return out.fail(ExitUsage, Cli::tr("无法从 %1 得知型号：请使用扩展名 .KT05…KT50 或 --model").arg(file));

    ScannerJob job(target, JobRequest());
    runJobs({&job}, out);
    if (job.exitCode() != ExitDone) {
        if (out.json()) {
            QJsonObject document{{QStringLiteral("command"), QStringLiteral("read")},
                                 {QStringLiteral("target"), jobJson(job)},
                                 {QStringLiteral("exitCode"), job.exitCode()}};
            out.document(document);
        }
        return out.fail(job.exitCode(), Cli::tr("%1：%2").arg(target.text, job.message()));
    }
    // Saved as the window saves a read-all: values a settings list cannot show start
    // again at its first item.
    ScannerConfiguration read = job.result().configuration;
    resetValuesBeyondList(read.parameters);
    Project project;
    project.setModelIndex(model);
    project.applyConfiguration(read);
    if (!SaveProjectFile(project, file, QDate::currentDate(), &error))
        return out.fail(ExitUsage, Cli::tr("无法保存 %1：%2").arg(file, error));
    const std::optional<quint32> checksum = configurationChecksum(project.configuration());
    const QString shown = checksum ? checksumText(*checksum) : QStringLiteral("-");
    out.line(Cli::tr("%1 的设置已保存到 %2（校验和 %3）").arg(target.text, file, shown));
    if (out.json()) {
        QJsonObject document{{QStringLiteral("command"), QStringLiteral("read")},
                             {QStringLiteral("target"), jobJson(job)},
                             {QStringLiteral("file"), file},
                             {QStringLiteral("checksum"), checksum ? QJsonValue(shown) : QJsonValue()},
                             {QStringLiteral("exitCode"), ExitDone}};
        out.document(document);
    }
    return ExitDone;
}

}  // namespace veltrix::cli
