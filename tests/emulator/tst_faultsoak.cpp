// The link against the emulator over lines that split replies into single bytes,
// put noise before every one and hold them back up to 100 ms, or drop a fifth and
// corrupt almost a third of them: over TCP, UDP and the pseudo-terminal at once, every
// write-all and read-all ends either complete with identical areas or in the time-out
// warning, and never leaves a wrong area on either side (a read-all that times out
// hands over nothing).
//
// In the suite this is one round. With VELTRIX_SOAK_MINUTES set (scripts/soak) rounds
// go on for that long on the same links and scanners, and the memory of the process
// (program and scanners) must not grow from the second round to the last.

#include "linkrig.h"
#include "randomareas.h"

#include "emulatedscanner.h"
#include "emulatoroptions.h"
#include "emulatorserver.h"


#include <QCommandLineParser>
#include <QFile>
#include <QtTest>

#include <functional>
#include <memory>

using namespace veltrix;
using veltrix::testing::LinkRig;

namespace {

constexpr int Reach = 5400;
constexpr int TransferLimitMs = 120000;

// The case words arrive with "RCase", the rest of an area with its own frame.
AreaRecord withoutCase(AreaRecord area)
{
    for (int word = 4; word <= 8; ++word)
        area.setNumber(word, 0);
    return area;
}

EmulatorOptions faultOptions(const QStringList &faults, const QString &address, quint64 seed)
{
    QCommandLineParser parser;
    addEmulatorOptions(parser);
    EmulatorOptions options;
    QString error;
    const ParseOutcome outcome = parseEmulatorOptions(
        parser, QStringList{QStringLiteral("veltrix-emulator"), QStringLiteral("--address"), address} + faults,
        options, error);
    if (outcome != ParseOutcome::Run)
        qFatal("fault options: %s", qPrintable(error));
    options.answerDiscovery = false;  // three scanners in one process: no searches here
    options.seed = seed;
    return options;
}

// One program link and the scanner at its other end.
struct Lane
{
    QString transport;
    std::unique_ptr<EmulatorServer> server;
    LinkRig rig;
    int completed = 0;
    int warned = 0;
    // The transfer under way: the count of its completion sign and of warnings before it.
    std::function<int()> completions;
    int completionsBefore = 0;
    int warningsBefore = 0;
    bool complete = false;

    EmulatedScanner &scanner() { return *server->scanner(); }

    void begin(std::function<int()> completionCount)
    {
        completions = std::move(completionCount);
        completionsBefore = completions();
        warningsBefore = rig.timeouts;
        complete = false;
    }
    bool ended()
    {
        complete = completions() > completionsBefore;
        return complete || rig.timeouts > warningsBefore;
    }
    void count() { complete ? ++completed : ++warned; }
};

qint64 residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

}  // namespace

class TestFaultSoak : public QObject
{
    Q_OBJECT

private slots:
    void transfersEndIdenticalOrWarned_data();
    void transfersEndIdenticalOrWarned();

private:
    bool startLanes(const QStringList &faults);
    void writeAllRound(int round);
    void readAllRound();
    void runUntilEnded();

    std::vector<std::unique_ptr<Lane>> m_lanes;
    int m_lostReplyMs = 0;
};

void TestFaultSoak::transfersEndIdenticalOrWarned_data()
{
    // A reply that has not come within lostReplyMs never will (scanner and link share
    // this process): the reply time-out runs then instead of after 2 s.
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("lostReplyMs");
    QTest::newRow("split, noise, delay") << QStringList{"--split", "1", "--noise", "1", "--delay", "0-100"} << 300;
    QTest::newRow("drop, corrupt") << QStringList{"--drop", "0.2", "--corrupt", "0.3"} << 150;
}

bool TestFaultSoak::startLanes(const QStringList &faults)
{
    m_lanes.clear();
    // Each scanner on a loopback address of its own, so that all three serve port 8080
    // beside the other end-to-end tests.
    const QList<QPair<QString, QString>> lanes = {
        {QStringLiteral("tcp"), QStringLiteral("127.0.0.2")},
        {QStringLiteral("udp"), QStringLiteral("127.0.0.3")},
        {QStringLiteral("serial"), QStringLiteral("127.0.0.4")},
    };
    quint64 seed = 1;
    for (const auto &entry : lanes) {
        auto lane = std::make_unique<Lane>();
        lane->transport = entry.first;
        lane->server = std::make_unique<EmulatorServer>(faultOptions(faults, entry.second, seed++));
        QString error;
        if (!lane->server->start(&error)) {
            qWarning("scanner on %s: %s", qPrintable(entry.second), qPrintable(error));
            return false;
        }
        const bool connected = lane->transport == QLatin1String("tcp") ? lane->rig.connectTcp(entry.second)
            : lane->transport == QLatin1String("udp")                  ? lane->rig.connectUdp(entry.second)
                                                                       : lane->rig.openSerial(lane->server->serialDevice());
        if (!connected)
            return false;
        m_lanes.push_back(std::move(lane));
    }
    return true;
}

void TestFaultSoak::runUntilEnded()
{
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, [this] {
        for (const auto &lane : m_lanes) {
            SERIAL_COMM &link = lane->rig.link;
            const QTimer &timer = link.timeoutTimer();
            if (timer.isActive() && timer.interval() - timer.remainingTime() > m_lostReplyMs) {
                link.StopOverTimer();
                link.ReadWriteOverTime();
            }
        }
    });
    watchdog.start(25);
    const bool allEnded = LinkRig::waitUntil([&] {
        bool all = true;
        for (const auto &lane : m_lanes)
            all = lane->ended() && all;
        return all;
    }, TransferLimitMs);
    QVERIFY2(allEnded, "a transfer neither completed nor ended in the warning");
}

void TestFaultSoak::writeAllRound(int round)
{
    QVector<QVector<AreaRecord>> held;
    QVector<QVector<AreaRecord>> sent;
    QVector<SensorParameters> sentParameters;
    for (const auto &lane : m_lanes) {
        QVector<AreaRecord> before;
        for (int i = 0; i < AreaCount; ++i)
            before.append(lane->scanner().area(i));
        held.append(before);
        const quint32 seed = static_cast<quint32>(100 * round) + static_cast<quint32>(sent.size());
        sent.append(randomareas::areas(seed, Reach));
        sentParameters.append(randomareas::parameters(seed));
        ScannerConfiguration configuration;
        configuration.areas = sent.last();
        configuration.parameters = sentParameters.last();
        LinkRig *rig = &lane->rig;
        lane->begin([rig] { return rig->countResults(TransactionKind::WriteAll, TransactionOutcome::Complete); });
        rig->link.startTransaction(std::make_unique<WriteAllTransaction>(configuration));
    }
    runUntilEnded();
    for (size_t index = 0; index < m_lanes.size(); ++index) {
        Lane &lane = *m_lanes[index];
        const int i = static_cast<int>(index);
        lane.count();
        EmulatedScanner &scanner = lane.scanner();
        for (int area = 0; area < AreaCount; ++area) {
            const AreaRecord now = withoutCase(scanner.area(area));
            const bool asSent = now == withoutCase(randomareas::throughTheWire(sent.at(i).at(area), area));
            QVERIFY2(asSent || (!lane.complete && now == withoutCase(held.at(i).at(area))),
                     qPrintable(QStringLiteral("%1: the scanner's area %2 is wrong after a %3 write-all")
                                    .arg(lane.transport).arg(area).arg(lane.complete ? "complete" : "warned")));
        }
        if (lane.complete) {
            const QVector<AreaRecord> cases = scanner.caseData();
            for (int area = 0; area < AreaCount; ++area) {
                for (int word = 4; word <= 8; ++word)
                    QCOMPARE(cases.at(area).number(word), sent.at(i).at(area).number(word));
            }
            for (int word = 0; word < WrittenParameterCount; ++word)
                QCOMPARE(scanner.parameters()[word], sentParameters.at(i)[word]);
        }
    }
}

void TestFaultSoak::readAllRound()
{
    for (const auto &lane : m_lanes) {
        LinkRig *rig = &lane->rig;
        lane->begin([rig] { return rig->countResults(TransactionKind::ReadAll, TransactionOutcome::Complete); });
        rig->link.ReadSensorAllDataSlots();
    }
    runUntilEnded();
    for (const auto &lane : m_lanes) {
        lane->count();
        const TransactionResult &result = lane->rig.lastResult();
        QCOMPARE(result.kind, TransactionKind::ReadAll);
        // Warned: nothing of what was read is handed over.
        if (!lane->complete) {
            QCOMPARE(result.outcome, TransactionOutcome::TimedOut);
            continue;
        }
        // Complete: exactly what the scanner holds, case words included.
        for (int area = 0; area < AreaCount; ++area) {
            QVERIFY2(result.configuration.areas.at(area) == lane->scanner().area(area),
                     qPrintable(QStringLiteral("%1: area %2 is wrong after a complete read-all")
                                    .arg(lane->transport).arg(area)));
        }
        for (int word = 0; word < SensorParameterCount; ++word)
            QCOMPARE(result.configuration.parameters[word], lane->scanner().parameters()[word]);
    }
}

void TestFaultSoak::transfersEndIdenticalOrWarned()
{
    QFETCH(QStringList, faults);
    QFETCH(int, lostReplyMs);
    m_lostReplyMs = lostReplyMs;
    const double minutes = qEnvironmentVariable("VELTRIX_SOAK_MINUTES").toDouble();
    QVERIFY(startLanes(faults));

    QElapsedTimer clock;
    clock.start();
    QVector<qint64> memory;
    int round = 0;
    do {
        writeAllRound(round);
        if (QTest::currentTestFailed())
            return;
        readAllRound();
        if (QTest::currentTestFailed())
            return;
        memory.append(residentKilobytes());
        ++round;
    } while (clock.elapsed() < minutes * 60000);

    QString outcomes;
    for (const auto &lane : m_lanes)
        outcomes += QStringLiteral(" %1 %2 complete, %3 warned;").arg(lane->transport).arg(lane->completed).arg(lane->warned);
    qInfo("%d rounds in %lld s:%s memory %lld kB after the first, %lld kB after the last", round,
          clock.elapsed() / 1000, qPrintable(outcomes), memory.first(), memory.last());
    if (minutes > 0) {
        QVERIFY2(round >= 3, "too few rounds to tell whether memory grows");
        const qint64 growth = memory.last() - memory.at(1);
        QVERIFY2(growth < 4096, qPrintable(QStringLiteral("memory grew by %1 kB").arg(growth)));
    }
}

QTEST_GUILESS_MAIN(TestFaultSoak)
#include "tst_faultsoak.moc"
