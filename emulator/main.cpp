#include "emulatorserver.h"

#include "core/app/language.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// Ctrl+C and kill end the event loop normally, so the serial link is removed.
void quitOnSignals(QCoreApplication &app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veltrix-emulator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELTRIX_VERSION));

    QCommandLineParser parser;
    veltrix::addEmulatorOptions(parser);
    veltrix::EmulatorOptions options;
    QString error;
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (veltrix::parseEmulatorOptions(parser, QCoreApplication::arguments(), options, error)) {
    case veltrix::ParseOutcome::Help:
        out << parser.helpText();
        return 0;
    case veltrix::ParseOutcome::Version:
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << '\n';
        return 0;
    case veltrix::ParseOutcome::Error:
        err << "veltrix-emulator: " << error << '\n' << "Try --help.\n";
        return 2;
    case veltrix::ParseOutcome::Run:
        break;
    }

    // Messages from the program's own code (a recording refused, say) in English, as
    // the rest of the console.
    veltrix::LanguageSwitch language;
    language.setLanguage(QString::fromLatin1(veltrix::LanguageSwitch::English));

    veltrix::EmulatorServer server(options);
    if (!server.start(&error)) {
        err << "veltrix-emulator: " << error << '\n';
        return 1;
    }
    if (options.verbose) {
        QObject::connect(&server, &veltrix::EmulatorServer::traffic, [&err](const QString &line) {
            err << line << '\n';
            err.flush();
        });
    }
    quitOnSignals(app);
    for (const QString &line : server.summary())
        out << line << '\n';
    out << "Ready" << '\n';
    out.flush();
    return app.exec();
}
