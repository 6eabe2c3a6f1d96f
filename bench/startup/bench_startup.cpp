// Time from process start to the main window on screen.
//
//   bench_startup            one measurement
//   bench_startup --runs N   N fresh processes; prints each figure, then min, median, max
//   bench_startup --bare     the same for an empty main window of the toolkit, the floor
//                            the program's start-up is compared with (with --runs too)
//   bench_startup --text     a main window of the toolkit with one menu, one label and a
//                            status bar message: the floor of any window that shows text,
//                            which loads the fonts and draws their glyphs (with --runs too)
//
// The time before main() (loading Qt and the program) is taken from the kernel's record
// of when the process started; the rest from a monotonic timer started first in main().
#include "gui/app/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <memory>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// Milliseconds since this process was started, or -1 when /proc cannot tell.
double processAgeMs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The command name may contain spaces; the fields after it are separated by spaces.
    const int nameEnd = line.lastIndexOf(')');
    const QList<QByteArray> fields = line.mid(nameEnd + 2).split(' ');
    // Field 22 of the whole line is the start time; here fields start at field 3.
    const int startTimeField = 22 - 3;
    if (fields.size() <= startTimeField)
        return -1;
    const double startTicks = fields.at(startTimeField).toDouble();
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

int runMany(const QString &program, int runs, const QStringList &arguments)
{
    QVector<double> figures;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(program, arguments);
        if (!child.waitForFinished(30000) || child.exitCode() != 0) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 1;
        }
        const QByteArray out = child.readAllStandardOutput().trimmed();
        const double ms = out.split(' ').last().toDouble();
        figures.append(ms);
        std::printf("run %2d: %.1f ms\n", i + 1, ms);
    }
    std::sort(figures.begin(), figures.end());
    std::printf("startup to window shown over %d runs: min %.1f ms, median %.1f ms, max %.1f ms\n",
                runs, figures.first(), figures.at(figures.size() / 2), figures.last());
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    const double beforeMain = processAgeMs();

    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const bool bare = args.contains(QStringLiteral("--bare"));
    const bool text = args.contains(QStringLiteral("--text"));
    const int runsFlag = args.indexOf(QStringLiteral("--runs"));
    if (runsFlag > 0 && runsFlag + 1 < args.size()) {
        QStringList child;
        if (bare)
            child << QStringLiteral("--bare");
        if (text)
            child << QStringLiteral("--text");
        return runMany(QCoreApplication::applicationFilePath(), args.at(runsFlag + 1).toInt(), child);
    }

    std::unique_ptr<QMainWindow> window;
    if (bare || text) {
        window = std::make_unique<QMainWindow>();
        if (text) {
            window->menuBar()->addMenu(QStringLiteral("File"));
            window->setCentralWidget(new QLabel(QStringLiteral("Edition Controls 编辑控制 Data Table")));
            window->statusBar()->showMessage(QStringLiteral("Ready"));
            window->resize(1234, 752);
        }
    } else {
        window = std::make_unique<veltrix::MainWindow>();
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return 1;
    QCoreApplication::processEvents();
    const double total = beforeMain + double(sinceMain.nsecsElapsed()) / 1e6;
    std::printf("startup_ms %.1f\n", total);
    return 0;
}
