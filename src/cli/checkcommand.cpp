// check: which scans of a recording entered the project's output fields.
#include "cli/arguments.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/projectinput.h"
#include "core/link/configurationchecksum.h"
#include "core/project/devicemodels.h"
#include "core/project/project.h"
#include "core/record/recordingcheck.h"
#include "core/record/recordingreader.h"

#include <QJsonArray>

namespace veltrix::cli {

namespace {

constexpr double MsPerSecond = 1000.0;

QString timeText(quint32 ms)
{
    return Cli::tr("%1 秒").arg(ms / MsPerSecond, 0, 'f', 2);
}

}  // namespace

int runCheck(const QStringList &arguments, Output &out)
{
    Arguments args;
    QString error;
    if (!args.parse(arguments, {}, &error))
        return out.fail(ExitUsage, error);
    if (args.positionals().size() != 2)
        return out.fail(ExitUsage, Cli::tr("check 需要一个项目文件和一个扫描记录"));
    const QString file = args.positionals().at(0);
    const QString recording = args.positionals().at(1);
    Project project;
    if (!openProject(file, project, &error))
        return out.fail(ExitUsage, error);
    RecordingReader reader;
    if (!reader.open(recording, &error))
        return out.fail(ExitUsage, error);

    const DeviceModel *model = deviceModel(project.modelIndex());
    RecordingCheck check;
    if (CheckRecording(reader, project.areas().areas(), model->rangeSquare, model->rangeSquare, check, &error)
        != CheckOutcome::Complete)
        return out.fail(ExitUsage, error);

    const std::optional<quint32> ours = configurationChecksum(project.configuration());
    const RecordingHeader &header = reader.header();
    if (header.checksumKnown && ours && header.configurationChecksum != *ours) {
        out.line(Cli::tr("注意：记录时传感器的配置校验和为 %1，项目为 %2。")
                     .arg(checksumText(header.configurationChecksum), checksumText(*ours)));
    }
    bool anyEntered = false;
    QJsonArray entered;
    for (const AreaCheck &area : std::as_const(check.areas)) {
        for (int field = 0; field < FieldCount; ++field) {
            const FieldCheck &f = area.fields[static_cast<size_t>(field)];
            if (f.scansEntered == 0)
                continue;
            anyEntered = true;
            out.line(Cli::tr("区域%1 Out%2：%3 次扫描进入，首次在第 %4 次扫描（%5），最深处 %6 mm，%7°（第 %8 次扫描，%9）")
                         .arg(area.area).arg(field + 1).arg(f.scansEntered).arg(f.firstScan)
                         .arg(timeText(f.firstTimeMs)).arg(f.worstDistance, 0, 'f', 0).arg(f.worstAngle, 0, 'f', 1)
                         .arg(f.worstScan).arg(timeText(f.worstTimeMs)));
            entered.append(QJsonObject{{QStringLiteral("area"), area.area},
                                       {QStringLiteral("field"), field},
                                       {QStringLiteral("scansEntered"), f.scansEntered},
                                       {QStringLiteral("firstScan"), f.firstScan},
                                       {QStringLiteral("firstTimeMs"), double(f.firstTimeMs)},
                                       {QStringLiteral("worstScan"), f.worstScan},
                                       {QStringLiteral("worstTimeMs"), double(f.worstTimeMs)},
                                       {QStringLiteral("worstDistance"), double(f.worstDistance)},
                                       {QStringLiteral("worstAngle"), double(f.worstAngle)}});
        }
    }
    if (!anyEntered)
        out.line(Cli::tr("%1 次扫描都没有进入任何输出区域。").arg(check.scansChecked));
    const int code = anyEntered ? ExitDifferences : ExitDone;
    out.document(QJsonObject{{QStringLiteral("command"), QStringLiteral("check")},
                             {QStringLiteral("file"), file},
                             {QStringLiteral("recording"), recording},
                             {QStringLiteral("scansChecked"), check.scansChecked},
                             {QStringLiteral("entered"), entered},
                             {QStringLiteral("exitCode"), code}});
    return code;
}

}  // namespace veltrix::cli
