#pragma once

#include <QString>
#include <QStringList>

namespace veltrix {

// What the program was asked to do on its command line.
struct CommandLine
{
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString projectFile;  // Run: the project to open; empty: the start dialog
    QString error;        // Error: one line saying what was wrong
};

// The exit code of a command line that could not be understood.
constexpr int UsageExitCode = 2;

// Reads the program's arguments (the first is the program itself). It needs no
// application object, so that --help and --version are answered before any window or
// display is asked for. The toolkit's own options (-platform NAME, -style NAME,
// -session ID, -reverse, ...) are let through to the toolkit; "--" ends the options.
CommandLine ParseCommandLine(const QStringList &arguments);

// What --help and --version print, each ending in a newline.
QString CommandLineHelp();
QString VersionText();

}  // namespace veltrix
