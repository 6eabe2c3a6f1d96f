#include "emulatorserver.h"

#include "core/app/language.h"
#include "core/app/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

#include <csignal>

namespace {

// How often the event loop looks whether a signal asked it to end.
constexpr int SignalCheckMs = 50;

volatile std::sig_atomic_t quitRequested = 0;

// All a signal handler may safely do: raise a flag.
void onSignal(int)
{
    quitRequested = 1;
}

// Ctrl+C and kill end the event loop normally, so the serial link is removed. Standard
// C++ signals only, so that this compiles on every system.
void quitOnSignals(QCoreApplication &app)
{
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
#ifndef VELTRIX_NO_POSIX
    std::signal(SIGHUP, onSignal);  // the terminal was closed
#endif
    auto *check = new QTimer(&app);
    QObject::connect(check, &QTimer::timeout, &app, [] {
        if (quitRequested)
            QCoreApplication::quit();
    });
    check->start(SignalCheckMs);
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veltrix-emulator"));
    QCoreApplication::setApplicationVersion(veltrix::ProgramVersion());

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
