#include "emulatorprocess.h"
#include "waituntil.h"

#include "gui/app/connectioncontrol.h"
#include "gui/app/mainwindow.h"
#include "gui/graphics/viewwindow.h"
#include "core/link/serialcomm.h"

#include <QAction>
#include <QFile>
#include <QOpenGLWidget>
#include <QtTest>

#include <sys/resource.h>

using namespace veltrix;

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A line of /proc/self/status in MB ("VmRSS", "VmHWM").
double statusMegabytes(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key)) + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

}  // namespace

// The program's cost while it watches a scanner: the main window connected to the
// emulator, the outline and the intensities drawn, the data table shown and the
// simulation exchange running, for STREAM_SECONDS (default 10). Reports the share of
// one core the program used and its resident memory. Run it on a real display or
// under Xvfb to include the screen's cost; BENCH_GL_VIEWPORT=1 forces the OpenGL
// viewport to compare it with the raster one.
class BenchLiveStream : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void streaming_data();
    void streaming();
};

void BenchLiveStream::streaming_data()
{
    QTest::addColumn<QString>("transport");
    QTest::newRow("tcp, 2700-point clouds at 15 Hz") << "tcp";
    QTest::newRow("serial, polling every 50 ms") << "serial";
}

void BenchLiveStream::streaming()
{
    QFETCH(QString, transport);
    // VELTRIX_BENCH_SMOKE: one second, only to see that it runs.
    const int seconds = qEnvironmentVariableIsSet("STREAM_SECONDS") ? qEnvironmentVariableIntValue("STREAM_SECONDS")
        : qEnvironmentVariableIsSet("VELTRIX_BENCH_SMOKE")          ? 1
                                                                     : 10;
    EmulatorProcess emulator({"--address", "127.0.0.1", "--scan-rate", "15"});
    QVERIFY(emulator.start());

    MainWindow window;
    window.messenger().setPresenter([](const UserMessage &) { return 0; });
    auto *view = window.findChild<ViewWindow *>(QStringLiteral("graphicsView"));
    if (qEnvironmentVariableIntValue("BENCH_GL_VIEWPORT") == 1)
        view->setViewport(new QOpenGLWidget);
    window.resize(1400, 900);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.OpenDispLineSlot();

    // Connected as the menus connect: the read-all, polling as the display actions say
    // and the simulation exchange start with the connection.
    if (transport == QLatin1String("tcp")) {
        window.CreatEthnertModeSignalSlot(QStringLiteral("MODE: TCP"));
        window.CreatEthernetPort(QStringLiteral("127.0.0.1"));
    } else {
        window.CreatOpenSerialPort(emulator.serialDevice());
    }
    QVERIFY(testing::waitUntil([&] { return window.connectionControl()->isConnected(); }, 3000));
    window.findChild<QAction *>(QStringLiteral("Intensity"))->trigger();

    QSignalSpy scans(window.sensorLink(), &SERIAL_COMM::ReceiveScanfData);
    QVERIFY(testing::waitUntil([&] { return scans.count() >= 3; }, 8000));  // settled
    scans.clear();
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(seconds * 1000);
    const double wall = clock.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpuBefore;
    qInfo("%s: %d scans in %.1f s, %.1f %% of one core, resident %.0f MB (peak %.0f MB), %s viewport",
          qPrintable(transport), int(scans.count()), wall, 100.0 * cpu / wall,
          statusMegabytes("VmRSS:"), statusMegabytes("VmHWM:"),
          view->UsesOpenGL() ? "OpenGL" : "raster");
    QVERIFY(scans.count() > 0);
}

QTEST_MAIN(BenchLiveStream)
#include "bench_livestream.moc"
