#include "fakedevice.h"

#include "core/link/framebuilders.h"
#include "core/link/sensorparameters.h"
#include "core/link/serialcomm.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int PieceSize = 4096;
constexpr int StreamSize = 8 * 1024 * 1024;
// VELTRIX_BENCH_SMOKE: a short stream, only to see that the benchmark runs.
constexpr int SmokeStreamSize = 256 * 1024;

int streamSize()
{
    return qEnvironmentVariableIsSet("VELTRIX_BENCH_SMOKE") ? SmokeStreamSize : StreamSize;
}

// Valid replies of every kind the serial link takes, in random order, with random
// noise making up about a tenth of the bytes. Replies that answer no request are taken
// out and dropped; the scans are taken as the answers of the requests sent before.
QByteArray mixedStream(quint32 seed)
{
    QRandomGenerator rng(seed);
    SensorParameters parameters;
    QVector<AreaRecord> areas(AreaCount);
    AreaRecord area;
    for (int i = 0; i < 80; ++i)
        area.out1Points.append(QPoint(rng.bounded(-9000, 9000), rng.bounded(1, 9000)));
    area.out2Shape = Arc;
    area.out2Points = {QPoint(1000, 0), QPoint(0, 1000)};
    const QVector<QByteArray> replies = {
        buildRParaReply(parameters),
        buildRCaseReply(areas),
        buildRAreaReply(area, 7, false),
        buildAcknowledge(FrameId::WArea, 0),
        buildAcknowledge(FrameId::WCase, 0),
        buildWSimuReply(3, 1, 0),
        buildScanReply(FrameId::RScan, QVector<quint16>(540, 4321)),
        buildScanReply(FrameId::RStre, QVector<quint16>(540, 1234)),
        buildRPrdaReply(ProductInfo{10, 105, 1, 2024, 1, 1}),
    };
    QByteArray stream;
    const int size = streamSize();
    stream.reserve(size + 4096);
    while (stream.size() < size) {
        const QByteArray &reply = replies.at(rng.bounded(replies.size()));
        stream.append(reply);
        const int noise = int(reply.size() / 9.0 * (0.5 + rng.generateDouble()));
        for (int i = 0; i < noise; ++i)
            stream.append(char(rng.bounded(256)));
    }
    return stream;
}

QByteArray noise(int size, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = char(rng.bounded(256));
    return bytes;
}

struct Link
{
    FakeDevice serial;
    SERIAL_COMM link;
    Link() { link.setDevice(&serial); }
};

}  // namespace

class BenchLinkReceive : public QObject
{
    Q_OBJECT

private slots:
    void mixedRepliesWithNoise();
    void fullBufferOfNoise();
};

void BenchLinkReceive::mixedRepliesWithNoise()
{
    const QByteArray stream = mixedStream(42);
    Link rig;
    int decoded = 0;
    const auto count = [&decoded] { ++decoded; };
    connect(&rig.link, &SERIAL_COMM::ReceiveScanfData, this, count);
    connect(&rig.link, &SERIAL_COMM::ReceiveIntensityData, this, count);
    connect(&rig.link, &SERIAL_COMM::IOPortSignals, this, count);
    qint64 nanoseconds = 0;
    qint64 bytes = 0;
    QBENCHMARK {
        QElapsedTimer clock;
        clock.start();
        for (int at = 0; at < stream.size(); at += PieceSize) {
            // A scan request waits for its reply, as serial polling keeps one waiting.
            rig.link.ReadScanfTime();
            rig.link.SerialPortSendData();
            rig.serial.queue(stream.mid(at, PieceSize));
            rig.link.SerialPortReceiveData();
        }
        nanoseconds += clock.nsecsElapsed();
        bytes += stream.size();
    }
    qInfo("receive throughput: %.1f MB/s (%lld bytes in 4 KiB pieces, %d scan replies decoded)",
          double(bytes) / (double(nanoseconds) / 1e9) / 1e6, static_cast<long long>(bytes), decoded);
}

void BenchLinkReceive::fullBufferOfNoise()
{
    Link rig;
    rig.serial.queue(noise(ReceiveBufferLimit, 7));
    rig.link.SerialPortReceiveData();
    QCOMPARE(rig.link.receiveBuffer().size(), ReceiveBufferLimit);
    // Each call finds nothing new to read and runs every decoder over the full buffer.
    QBENCHMARK {
        rig.link.SerialPortReceiveData();
    }
}

QTEST_GUILESS_MAIN(BenchLinkReceive)
#include "bench_linkreceive.moc"
