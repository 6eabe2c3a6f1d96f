#include "core/app/commandline.h"

#include "core/app/version.h"
#include "core/project/devicemodels.h"
#include "core/project/projectfile.h"

namespace veltrix {

namespace {

const char *const ProgramName = "veltrix";

// Options the toolkit takes from the same command line when the application object is
// built (written with one dash or two, and those with a value also as -name=value).
const char *const ToolkitOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet",
    "qmljsdebugger",
};
const char *const ToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

template<size_t N>
bool listed(const char *const (&names)[N], const QString &name)
{
    for (const char *candidate : names) {
        if (name == QLatin1String(candidate))
            return true;
    }
    return false;
}

CommandLine failure(const QString &error)
{
    CommandLine result;
    result.action = CommandLine::Action::Error;
    result.error = error;
    return result;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList &arguments)
{
    CommandLine result;
    QStringList files;
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            files.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        // Help and version are answered as soon as they are met, as the usual command
        // line tools do: what follows them is not looked at.
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            result.action = CommandLine::Action::Help;
            return result;
        }
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            result.action = CommandLine::Action::Version;
            return result;
        }
        const QString bare = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const QString name = bare.section(QLatin1Char('='), 0, 0);
        if (listed(ToolkitFlags, bare) || (listed(ToolkitOptionsWithValue, name) && bare != name))
            continue;
        if (listed(ToolkitOptionsWithValue, bare)) {
            if (i + 1 == arguments.size())
                return failure(QStringLiteral("option '%1' needs a value").arg(argument));
            ++i;
            continue;
        }
        return failure(QStringLiteral("unknown option '%1'").arg(argument));
    }
    if (files.size() > 1)
        return failure(QStringLiteral("one project file at a time, not %1").arg(files.size()));
    if (!files.isEmpty())
        result.projectFile = files.first();
    return result;
}

QString CommandLineHelp()
{
    QStringList extensions;
    for (int model = 0; model < DeviceModelCount; ++model)
        extensions.append(ProjectExtension(model));
    return QStringLiteral(
               "Usage: %1 [OPTION]... [PROJECT]\n"
               "Designs, transfers and watches the protective areas of safety laser "
               "scanners.\n"
               "Opens PROJECT (a %2 file) when it is given, the start dialog otherwise.\n"
               "\n"
               "  -h, --help     show this help and exit\n"
               "  -v, --version  show the version and exit\n"
               "\n"
               "The toolkit's own options (-platform NAME, -style NAME, -reverse, ...) are "
               "taken as well.\n")
        .arg(QLatin1String(ProgramName), extensions.join(QLatin1Char(' ')));
}

QString VersionText()
{
    return QLatin1String(ProgramName) + QLatin1Char(' ') + ProgramVersion() + QLatin1Char('\n');
}

}  // namespace veltrix
