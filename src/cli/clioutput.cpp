#include "cli/clioutput.h"

#include <QJsonDocument>

#include <cstdio>

#ifndef VELTRIX_NO_POSIX
#include <unistd.h>
#endif

namespace veltrix::cli {

namespace {

const char *const ProgramName = "veltrix-cli";

}  // namespace

void Output::line(const QString &text) const
{
    if (m_json)
        return;
    write(text + QLatin1Char('\n'));
}

int Output::fail(int code, const QString &text) const
{
    std::fflush(stdout);
    std::fputs(QStringLiteral("%1: %2\n").arg(QLatin1String(ProgramName), text).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    return code;
}

void Output::document(const QJsonObject &object) const
{
    if (m_json)
        std::fputs(QJsonDocument(object).toJson(QJsonDocument::Indented).constData(), stdout);
    std::fflush(stdout);
}

bool Output::isTerminal()
{
#ifndef VELTRIX_NO_POSIX
    return isatty(fileno(stdout)) != 0;
#else
    // Without the POSIX terminal calls the progress is written as plain lines.
    return false;
#endif
}

void Output::write(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

}  // namespace veltrix::cli
