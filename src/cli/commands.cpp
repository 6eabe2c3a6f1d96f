#include "cli/commands.h"

#include "cli/clioutput.h"
#include "core/connect/serialsettings.h"

namespace veltrix::cli {

namespace {

const char *const ProgramName = "veltrix-cli";

}  // namespace

const QVector<Command> &commands()
{
    static const QVector<Command> table = {
        {"discover", "[--timeout S]",
         QT_TRANSLATE_NOOP("veltrix::Cli", "列出本地网络上应答搜索的传感器，以及它们的地址和以太网模式"),
         QT_TRANSLATE_NOOP("veltrix::Cli", "  --timeout S    等待应答的秒数（默认 2）"), runDiscover},
        {"read", "TARGET -o FILE [--model 05|10|20|30|50]",
         QT_TRANSLATE_NOOP("veltrix::Cli", "读取传感器的全部设置，保存为项目文件"),
         QT_TRANSLATE_NOOP("veltrix::Cli", "  -o, --output FILE  项目文件；型号取自扩展名 .KT05…KT50，或由 --model 指定"),
         runRead},
        {"write", "FILE TARGET... [--targets LIST] [--no-verify] [--reboot]",
         QT_TRANSLATE_NOOP("veltrix::Cli", "把项目文件同时写入一个或多个传感器，然后读回校验"),
         QT_TRANSLATE_NOOP("veltrix::Cli",
                           "  --targets LIST  从文件读取目标，每行一个\n"
                           "  --no-verify     写入后不读回校验\n"
                           "  --reboot        写入（并校验一致）后重启传感器"),
         runWrite},
        {"verify", "FILE TARGET... [--targets LIST]",
         QT_TRANSLATE_NOOP("veltrix::Cli", "读回一个或多个传感器的设置，与项目文件比较"),
         QT_TRANSLATE_NOOP("veltrix::Cli", "  --targets LIST  从文件读取目标，每行一个"), runVerify},
        {"checksum", "FILE... [--areas]",
         QT_TRANSLATE_NOOP("veltrix::Cli", "显示项目文件的配置校验和"),
         QT_TRANSLATE_NOOP("veltrix::Cli", "  --areas  同时列出每个区域的校验和"), runChecksum},
        {"diff", "FILE FILE", QT_TRANSLATE_NOOP("veltrix::Cli", "列出两个项目文件的全部差异"), "", runDiff},
        {"check", "FILE RECORDING",
         QT_TRANSLATE_NOOP("veltrix::Cli", "检查扫描记录中的哪些扫描进入了项目的输出区域"), "", runCheck},
        {"report", "FILE -o PDF",
         QT_TRANSLATE_NOOP("veltrix::Cli", "把项目文件的配置报告写成 PDF，供工程师核对签字"),
         QT_TRANSLATE_NOOP("veltrix::Cli", "  -o, --output PDF  要写入的报告"), runReport},
    };
    return table;
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands()) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

QString programHelp()
{
    QString text = Cli::tr("用法：%1 命令 [参数]... [--json]").arg(QLatin1String(ProgramName)) + QLatin1Char('\n')
        + Cli::tr("读取、写入和校验安全激光扫描仪的设置，可同时处理多台。") + QStringLiteral("\n\n")
        + Cli::tr("命令：") + QLatin1Char('\n');
    for (const Command &command : commands()) {
        text += QStringLiteral("  %1 %2\n      %3\n")
                    .arg(QLatin1String(command.name), QLatin1String(command.synopsis),
                         Cli::tr(command.summary));
    }
    text += QLatin1Char('\n')
        + Cli::tr("目标：tcp:地址、udp:地址、IPv4 地址（使用搜索得到的以太网模式，否则 TCP）、"
                  "serial:设备[@波特率]（默认 %1）").arg(SerialSettings::DefaultBaudRate)
        + QStringLiteral("\n\n")
        + Cli::tr("  --json         以 JSON 输出结果\n"
                  "  -h, --help     显示帮助（命令后：该命令的帮助）\n"
                  "  -v, --version  显示版本")
        + QStringLiteral("\n\n")
        + Cli::tr("退出码：0 完成，1 有差异或传感器拒绝，2 用法错误或文件无法使用，3 连接失败")
        + QLatin1Char('\n');
    return text;
}

QString commandHelp(const Command &command)
{
    QString text = Cli::tr("用法：%1 %2 %3 [--json]")
                       .arg(QLatin1String(ProgramName), QLatin1String(command.name), QLatin1String(command.synopsis))
        + QLatin1Char('\n') + Cli::tr(command.summary) + QLatin1Char('\n');
    if (command.details[0] != '\0')
        text += QLatin1Char('\n') + Cli::tr(command.details) + QLatin1Char('\n');
    return text;
}

}  // namespace veltrix::cli
