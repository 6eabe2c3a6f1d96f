#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace veltrix::cli {

class Output;

// One command of veltrix-cli. A new command is a function in a file of its own and a
// row in the table of commands.cpp.
struct Command
{
    const char *name;
    const char *synopsis;  // the arguments after the name, as --help shows them
    const char *summary;   // one line, translated (context veltrix::Cli)
    const char *details;   // its options, translated; may be empty
    // Runs it with the arguments after its name; returns the exit code.
    int (*run)(const QStringList &arguments, Output &out);
};

const QVector<Command> &commands();
const Command *findCommand(const QString &name);

// What --help prints: everything, or one command's usage.
QString programHelp();
QString commandHelp(const Command &command);

int runDiscover(const QStringList &arguments, Output &out);
int runRead(const QStringList &arguments, Output &out);
int runWrite(const QStringList &arguments, Output &out);
int runVerify(const QStringList &arguments, Output &out);
int runChecksum(const QStringList &arguments, Output &out);
int runDiff(const QStringList &arguments, Output &out);
int runCheck(const QStringList &arguments, Output &out);
int runReport(const QStringList &arguments, Output &out);

}  // namespace veltrix::cli
