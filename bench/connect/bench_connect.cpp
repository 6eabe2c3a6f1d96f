// Connecting as the user does, through the settings dialogs of the main window, to a
// stand-in scanner on the loopback address or a pseudo-terminal that only watches the
// wire: how long from the click on Enter until the first read-all request ("RPara")
// arrives, and how long from a fault until the user is told. Prints the median and the
// worst of several runs of each.

#include "gui/app/connectioncontrol.h"
#include "gui/app/mainwindow.h"
#include "gui/connect/ethnertsetting.h"
#include "gui/connect/settingsdialog.h"
#include "waituntil.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <stdlib.h>
#include <unistd.h>

using namespace veltrix;

namespace {

constexpr int Runs = 9;
constexpr quint16 ScannerPort = ConnectionControl::ScannerPort;
const QByteArray FirstReadAllRequest = "RPara";

using testing::waitUntil;

// The pseudo-terminal a serial connection is made to; the bench holds the other end.
struct Terminal
{
    int master = -1;
    QString slave;
    Terminal()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            slave = QString::fromLocal8Bit(ptsname(master));
    }
    ~Terminal() { unplug(); }
    void unplug()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
};

// The main window with its message boxes answered and timed.
struct Program
{
    MainWindow window;
    QElapsedTimer clock;
    qint64 messageAt = -1;

    Program()
    {
        window.messenger().setPresenter([this](const UserMessage &) {
            if (messageAt < 0)
                messageAt = clock.nsecsElapsed();
            return 0;
        });
    }

    void connectSerial(const QString &device)
    {
        window.CreatConnectTypeSignalSlot(SerialInterface);
        SettingsDialog *dialog = window.serialSettingsDialog();
        dialog->setPortLister([device] { return QList<SerialPortEntry>{{device, QString()}}; });
        dialog->fillPortsInfo();
        clock.start();
        dialog->findChild<QPushButton *>(QStringLiteral("Enter"))->click();
    }

    void connectEthernet(const QString &mode, const QString &address)
    {
        window.CreatConnectTypeSignalSlot(EthernetInterface);
        window.CreatEthnertModeSignalSlot(mode);
        EthnertSetting *dialog = window.ethernetSettingsDialog();
        dialog->findChild<QComboBox *>(QStringLiteral("Eth_ComboBox"))->setEditText(address);
        clock.start();
        dialog->findChild<QPushButton *>(QStringLiteral("Enter"))->click();
    }
};

struct Figures
{
    QVector<double> ms;
    void add(qint64 ns) { ms.append(double(ns) / 1e6); }
    void print(const char *what) const
    {
        if (ms.isEmpty()) {
            std::printf("%-44s  no result\n", what);
            return;
        }
        QVector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-44s  median %8.2f ms   worst %8.2f ms   (%d runs)\n", what,
                    sorted.at(sorted.size() / 2), sorted.last(), int(sorted.size()));
    }
};

qint64 connectTcp(bool thenClose, qint64 *faultToMessage)
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, ScannerPort))
        return -1;
    Program program;
    program.connectEthernet(QStringLiteral("MODE: TCP"), QStringLiteral("127.0.0.1"));
    QTcpSocket *peer = nullptr;
    QByteArray wire;
    qint64 arrived = -1;
    waitUntil([&] {
        if (!peer && server.hasPendingConnections())
            peer = server.nextPendingConnection();
        if (peer)
            wire += peer->readAll();
        if (arrived < 0 && wire.contains(FirstReadAllRequest))
            arrived = program.clock.nsecsElapsed();
        return arrived >= 0;
    }, 5000);
    if (thenClose && peer) {
        const qint64 closedAt = program.clock.nsecsElapsed();
        peer->close();
        if (waitUntil([&] { return program.messageAt >= 0; }, 5000))
            *faultToMessage = program.messageAt - closedAt;
    }
    return arrived;
}

qint64 refusedTcp()
{
    Program program;
    program.connectEthernet(QStringLiteral("MODE: TCP"), QStringLiteral("127.0.0.1"));
    return waitUntil([&] { return program.messageAt >= 0; }, 5000) ? program.messageAt : -1;
}

qint64 connectUdp(qint64 *silentToMessage)
{
    QUdpSocket scanner;
    if (!scanner.bind(QHostAddress::LocalHost, ScannerPort))
        return -1;
    Program program;
    program.connectEthernet(QStringLiteral("MODE: UDP"), QStringLiteral("127.0.0.1"));
    qint64 arrived = -1;
    waitUntil([&] {
        while (scanner.hasPendingDatagrams()) {
            QByteArray datagram(int(scanner.pendingDatagramSize()), '\0');
            scanner.readDatagram(datagram.data(), datagram.size());
            if (arrived < 0 && datagram.contains(FirstReadAllRequest))
                arrived = program.clock.nsecsElapsed();
        }
        return arrived >= 0;
    }, 5000);
    if (silentToMessage) {
        // A scanner that stops answering over UDP says nothing; only the link's
        // time-outs (four in a row) tell. Timed from the first unanswered request.
        const qint64 silentFrom = arrived;
        if (waitUntil([&] { return program.messageAt >= 0; }, 15000))
            *silentToMessage = program.messageAt - silentFrom;
    }
    return arrived;
}

qint64 connectSerial(bool thenUnplug, qint64 *faultToMessage, qint64 *missingToMessage)
{
    if (missingToMessage) {
        Program program;
        program.connectSerial(QStringLiteral("/dev/veltrix-no-such-port"));
        if (program.messageAt >= 0 || waitUntil([&] { return program.messageAt >= 0; }, 5000))
            *missingToMessage = program.messageAt;
    }
    Terminal terminal;
    if (terminal.slave.isEmpty())
        return -1;
    Program program;
    program.connectSerial(terminal.slave);
    QByteArray wire;
    qint64 arrived = -1;
    QSocketNotifier readable(terminal.master, QSocketNotifier::Read);
    QObject::connect(&readable, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        const ssize_t got = ::read(terminal.master, buffer, sizeof buffer);
        if (got > 0)
            wire.append(buffer, int(got));
        if (arrived < 0 && wire.contains(FirstReadAllRequest))
            arrived = program.clock.nsecsElapsed();
    });
    waitUntil([&] { return arrived >= 0; }, 5000);
    readable.setEnabled(false);
    if (thenUnplug) {
        const qint64 unpluggedAt = program.clock.nsecsElapsed();
        terminal.unplug();
        if (waitUntil([&] { return program.messageAt >= 0; }, 5000))
            *faultToMessage = program.messageAt - unpluggedAt;
    }
    return arrived;
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool withUdpSilence = app.arguments().contains(QStringLiteral("--udp-silence"));
    // VELTRIX_BENCH_SMOKE: one run of each, only to see that it runs.
    const int runs = qEnvironmentVariableIsSet("VELTRIX_BENCH_SMOKE") ? 1 : Runs;
    Figures tcpConnect, udpConnect, serialConnect;
    Figures tcpRefused, tcpClosed, serialUnplugged, serialMissing, udpSilent;
    for (int run = 0; run < runs; ++run) {
        qint64 fault = -1;
        qint64 missing = -1;
        qint64 at = connectTcp(true, &fault);
        if (at >= 0)
            tcpConnect.add(at);
        if (fault >= 0)
            tcpClosed.add(fault);
        if ((at = refusedTcp()) >= 0)
            tcpRefused.add(at);
        if ((at = connectUdp(nullptr)) >= 0)
            udpConnect.add(at);
        fault = -1;
        if ((at = connectSerial(true, &fault, &missing)) >= 0)
            serialConnect.add(at);
        if (fault >= 0)
            serialUnplugged.add(fault);
        if (missing >= 0)
            serialMissing.add(missing);
    }
    if (withUdpSilence) {
        qint64 silent = -1;
        connectUdp(&silent);
        if (silent >= 0)
            udpSilent.add(silent);
    }
    std::printf("Connect (click on Enter) to the first read-all request on the wire:\n");
    tcpConnect.print("  TCP, loopback");
    udpConnect.print("  UDP, loopback");
    serialConnect.print("  serial, pseudo-terminal");
    std::printf("Fault to its message:\n");
    tcpRefused.print("  TCP refused (click to message)");
    tcpClosed.print("  TCP closed by the scanner");
    serialMissing.print("  serial port missing (click to message)");
    serialUnplugged.print("  serial unplugged (other end closed)");
    if (withUdpSilence)
        udpSilent.print("  UDP scanner silent (link time-outs)");
    return 0;
}
