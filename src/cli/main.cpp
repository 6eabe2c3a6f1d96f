// veltrix-cli: reads, writes and verifies scanners from the command line, many at once,
// with the program's own link engine, project document and files, without a window.
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "core/app/language.h"
#include "core/app/version.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QStringList>
#include <QtGlobal>

#include <cstring>
#include <memory>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QTextCodec>
#endif

using namespace veltrix;
using namespace veltrix::cli;

namespace {

QtMessageHandler toolkitHandler = nullptr;

// Drawing off screen, the toolkit looks up the user's runtime folder and, where
// XDG_RUNTIME_DIR is not set (a build server, a cron job), warns on the terminal that
// it takes one of its own. That is of no concern to a report written to a file, and a
// script reading our error output must see only our lines; everything else passes on.
void quietRuntimeFolderWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    toolkitHandler(type, context, message);
}

}  // namespace

int main(int argc, char *argv[])
{
    // The report lays out text and drawings, which needs the fonts of a GUI
    // application; it draws off screen, so it runs without a display. Every other
    // command needs no more than the event loop.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && std::strcmp(argv[1], "report") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        toolkitHandler = qInstallMessageHandler(quietRuntimeFolderWarning);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("veltrix-cli"));
    QCoreApplication::setApplicationVersion(ProgramVersion());
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("utf-8"));
#endif
    // The texts are written in Chinese; where the locale asks for another language the
    // English translation speaks.
    LanguageSwitch language;
    if (QLocale::system().language() != QLocale::Chinese)
        language.setLanguage(QString::fromLatin1(LanguageSwitch::English));

    Output out;
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty())
        return out.fail(ExitUsage, Cli::tr("缺少命令（见 veltrix-cli --help）"));
    const QString first = arguments.takeFirst();
    if (first == QLatin1String("-h") || first == QLatin1String("--help") || first == QLatin1String("help")) {
        Output::write(programHelp());
        return ExitDone;
    }
    if (first == QLatin1String("-v") || first == QLatin1String("--version")) {
        Output::write(QStringLiteral("veltrix-cli %1\n").arg(ProgramVersion()));
        return ExitDone;
    }
    const Command *command = findCommand(first);
    if (!command)
        return out.fail(ExitUsage, Cli::tr("未知命令“%1”（见 veltrix-cli --help）").arg(first));
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        Output::write(commandHelp(*command));
        return ExitDone;
    }
    out.setJson(arguments.contains(QLatin1String("--json")));
    return command->run(arguments, out);
}
