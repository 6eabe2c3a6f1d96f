#pragma once

// The command line is built on the core library alone: no widgets, no window system.
#ifdef QT_WIDGETS_LIB
#error "veltrix-cli must be built without the widgets"
#endif

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

namespace veltrix::cli {

// Exit codes, the same for every command.
enum ExitCode : int {
    ExitDone = 0,
    ExitDifferences = 1,  // differences found, or the scanner refused a step
    ExitUsage = 2,        // bad command line, or an unreadable or unusable file
    ExitLinkFailure = 3,  // a scanner could not be reached or stopped answering
};

// The context of the command line's own texts.
class Cli
{
    Q_DECLARE_TR_FUNCTIONS(veltrix::Cli)
};

// Where a command's output goes: lines for people on standard output, or with --json
// one JSON document there instead; failures as one line each on standard error.
class Output
{
public:
    explicit Output(bool json = false) : m_json(json) {}

    bool json() const { return m_json; }
    void setJson(bool json) { m_json = json; }

    // A line for people; nothing when the output is JSON.
    void line(const QString &text) const;
    // "veltrix-cli: text" on standard error; returns code, so that a command can
    // end with `return out.fail(...)`.
    int fail(int code, const QString &text) const;
    // Prints the command's JSON document (with --json only).
    void document(const QJsonObject &object) const;

    // Whether standard output is a terminal that live progress lines may redraw.
    static bool isTerminal();
    // Text written to standard output at once, without a line end.
    static void write(const QString &text);

private:
    bool m_json;
};

}  // namespace veltrix::cli
