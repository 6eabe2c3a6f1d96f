#include "windowundertest.h"

#include "core/app/commandline.h"
#include "core/app/version.h"
#include "core/project/devicemodels.h"
#include "core/project/projectfile.h"
#include "gui/connect/create.h"
#include "gui/project/projectfiles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

using namespace veltrix;
using veltrix::testing::WindowUnderTest;

Q_DECLARE_METATYPE(CommandLine::Action)
Q_DECLARE_METATYPE(MessageIcon)

namespace {

// The main window as the program starts it, its messages recorded instead of shown.
struct Started
{
    WindowUnderTest window;
    QList<UserMessage> &shown = window.shown;

    // What main() does with the command line once the window exists.
    void start(const QStringList &arguments)
    {
        const CommandLine commandLine = ParseCommandLine(arguments);
        QCOMPARE(commandLine.action, CommandLine::Action::Run);
        window.show();
        window.OpenProjectOrStart(commandLine.projectFile);
    }

    // The whole document: model, settings and the 64 areas.
    ProjectContents document() { return window.project().contents(); }
};

// A project of model 20 with settings and areas that differ from a new window's.
ProjectContents plantProject(Started &s)
{
    ProjectContents project = s.document();
    project.modelIndex = 2;
    project.settings[0] = 3;   // control mode CAN
    project.settings[4] = 42;  // RS485 address
    project.settings[19] = 2;  // filter level
    AreaRecord &area = project.areas[7];
    area.out1Shape = 0;
    area.out1Points = {{-1500, 200}, {1500, -350}, {0, 2500}};
    area.out2Shape = 1;
    area.hysteresis = 4;
    return project;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void answeredOnTheTerminal_data();
    void answeredOnTheTerminal();
    void opensTheProjectGiven();
    void unreadableProjectShowsStartDialog_data();
    void unreadableProjectShowsStartDialog();
};

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<CommandLine::Action>("action");
    QTest::addColumn<QString>("file");   // Run: the project; Error: part of the message
    using A = CommandLine::Action;
    QTest::newRow("nothing") << QStringList{} << A::Run << "";
    QTest::newRow("project") << QStringList{"plant.KT20"} << A::Run << "plant.KT20";
    QTest::newRow("help") << QStringList{"--help"} << A::Help << "";
    QTest::newRow("-h with a project") << QStringList{"plant.KT20", "-h"} << A::Help << "";
    QTest::newRow("version") << QStringList{"--version"} << A::Version << "";
    QTest::newRow("-v before a wrong option") << QStringList{"-v", "--bogus"} << A::Version << "";
    QTest::newRow("unknown long") << QStringList{"--bogus"} << A::Error << "'--bogus'";
    QTest::newRow("unknown short") << QStringList{"-x", "plant.KT20"} << A::Error << "'-x'";
    QTest::newRow("two projects") << QStringList{"a.KT05", "b.KT10"} << A::Error << "not 2";
    QTest::newRow("toolkit options") << QStringList{"-platform", "offscreen", "--style=Fusion",
                                                    "-reverse", "plant.KT50"}
                                     << A::Run << "plant.KT50";
    QTest::newRow("toolkit option without value") << QStringList{"-session"} << A::Error
                                                  << "'-session' needs a value";
    QTest::newRow("after --") << QStringList{"--", "-odd.KT05"} << A::Run << "-odd.KT05";
    QTest::newRow("help after --") << QStringList{"--", "--help"} << A::Run << "--help";
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Action, action);
    QFETCH(QString, file);

    const CommandLine result = ParseCommandLine(QStringList{"veltrix"} + arguments);
    QCOMPARE(result.action, action);
    if (action == CommandLine::Action::Error) {
        QVERIFY2(result.error.contains(file), qPrintable(result.error));
        QVERIFY(!result.error.contains(QLatin1Char('\n')));
    } else {
        QVERIFY(result.error.isEmpty());
        QCOMPARE(result.projectFile, file);
    }
}

void TestCommandLine::answeredOnTheTerminal_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("error");  // a part of the one line on stderr
    QTest::newRow("version") << "--version" << 0 << VersionText() << "";
    QTest::newRow("help") << "--help" << 0 << CommandLineHelp() << "";
    QTest::newRow("unknown") << "--frobnicate" << UsageExitCode << "" << "'--frobnicate'";
}

// The real program, with no display at all and the X11 platform asked for: building
// the application object would end it with the toolkit's own error.
void TestCommandLine::answeredOnTheTerminal()
{
    QFETCH(QString, argument);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, error);

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VELTRIX_PROGRAM_PATH), {argument});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), output);
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    if (error.isEmpty()) {
        QCOMPARE(errors, QString());
    } else {
        QCOMPARE(errors.count(QLatin1Char('\n')), 1);
        QVERIFY2(errors.startsWith(QStringLiteral("veltrix: ")) && errors.contains(error),
                 qPrintable(errors));
    }
}

void TestCommandLine::opensTheProjectGiven()
{
    QTemporaryDir dir;
    Started s;
    const ProjectContents project = plantProject(s);
    {
        QFile file(dir.filePath(QStringLiteral("plant.KT20")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        QVERIFY(WriteProject(file, project, QDate(2024, 5, 6)));
    }
    // Named relative to the folder the program is started in, as from a terminal.
    const QString started = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    s.start({QStringLiteral("veltrix"), QStringLiteral("plant.KT20")});
    QVERIFY(QDir::setCurrent(started));

    QVERIFY(s.shown.isEmpty());
    QVERIFY(!s.window.startDialog()->isVisible());
    const ProjectContents shown = s.document();
    QCOMPARE(shown.modelIndex, 2);
    QCOMPARE(shown.settings, project.settings);
    QCOMPARE(shown.areas, project.areas);
    // The model reached the view, and a later Save goes back to the file opened.
    QCOMPARE(s.window.widget<QSlider>("ZoomSlider")->value(), deviceModel(2)->minimumZoom);
    QCOMPARE(s.window.project().fileName(), dir.filePath(QStringLiteral("plant.KT20")));
    QVERIFY(s.window.windowTitle().startsWith(QStringLiteral("plant.KT20")));
}

void TestCommandLine::unreadableProjectShowsStartDialog_data()
{
    QTest::addColumn<QByteArray>("bytes");  // empty: no such file
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QString>("says");
    QTest::newRow("cut short") << QByteArray("VRQ_LASER_20\nSensorSetting\n3\n") << MessageIcon::Critical
                               << "文件损坏";
    QTest::newRow("not a project") << QByteArray("hello\n") << MessageIcon::Critical << "文件损坏";
    QTest::newRow("no such file") << QByteArray() << MessageIcon::Warning << "No document";
}

void TestCommandLine::unreadableProjectShowsStartDialog()
{
    QFETCH(QByteArray, bytes);
    QFETCH(MessageIcon, icon);
    QFETCH(QString, says);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("damaged.KT20"));
    if (!bytes.isEmpty())
        QVERIFY(writeFile(path, bytes));
    Started s;
    const ProjectContents before = s.document();

    s.start({QStringLiteral("veltrix"), path});
    QCOMPARE(s.shown.size(), 1);
    QCOMPARE(s.shown[0].icon, icon);
    QVERIFY2(s.shown[0].text.contains(says) && s.shown[0].text.contains(path),
             qPrintable(s.shown[0].text));
    // Nothing changed, and the user goes on from the start dialog.
    const ProjectContents after = s.document();
    QCOMPARE(after.modelIndex, before.modelIndex);
    QCOMPARE(after.settings, before.settings);
    QCOMPARE(after.areas, before.areas);
    QVERIFY(!s.window.areaModel().isModified());
    QVERIFY(s.window.project().fileName().isEmpty());
    QVERIFY(s.window.startDialog()->isVisible());
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
