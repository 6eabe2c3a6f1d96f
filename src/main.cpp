#include "core/app/commandline.h"
#include "core/app/version.h"
#include "gui/app/mainwindow.h"

#include <QApplication>
#include <QStringList>
#include <QtGlobal>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QTextCodec>
#endif

#include <cstdio>

namespace {

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

}  // namespace

int main(int argc, char *argv[])
{
    // The command line is read before the application object exists: --help, --version
    // and a wrong option are answered on the terminal, without a window or a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    veltrix::CommandLine commandLine = veltrix::ParseCommandLine(arguments);
    switch (commandLine.action) {
    case veltrix::CommandLine::Action::Help:
        print(stdout, veltrix::CommandLineHelp());
        return 0;
    case veltrix::CommandLine::Action::Version:
        print(stdout, veltrix::VersionText());
        return 0;
    case veltrix::CommandLine::Action::Error:
        print(stderr, QStringLiteral("veltrix: %1 (see veltrix --help)\n").arg(commandLine.error));
        return veltrix::UsageExitCode;
    case veltrix::CommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(veltrix::ProgramVersion());
    // Ties the windows to the desktop entry, so that the desktop shows its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("veltrix"));
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 is UTF-8 throughout; Qt 5 takes the locale's codec unless told otherwise.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("utf-8"));
#endif
    // The application's own list holds the file name as the system gave it (on Windows
    // in full Unicode, which the 8-bit argv cannot carry).
    commandLine = veltrix::ParseCommandLine(QCoreApplication::arguments());
    veltrix::MainWindow window;
    window.show();
    window.OpenProjectOrStart(commandLine.projectFile);
    return app.exec();
}
