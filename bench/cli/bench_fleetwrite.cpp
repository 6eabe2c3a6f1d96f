#include "emulatorprocess.h"
#include "randomareas.h"

#include "cli/clioutput.h"
#include "cli/fleet.h"
#include "cli/scannerjob.h"

#include <QElapsedTimer>
#include <QMap>
#include <QtTest>

#include <memory>
#include <vector>

using namespace veltrix;
using namespace veltrix::cli;

// veltrix-cli's write of a full configuration (64 areas, every field 100 vertices) with
// its read-back, to 1, 4 and 16 emulator programs at once, as `veltrix-cli write` runs
// it: each scanner on its own link, all in one event loop. Each link sends one request
// per 20 ms tick and waits for its reply, so 2 x 66 requests take at least 2.64 s
// whatever the number of scanners; the aim is 16 scanners within 1.2 times the time of
// one. VELTRIX_BENCH_SMOKE=1 runs only the single scanner.
class BenchFleetWrite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writeAndVerify_data();
    void writeAndVerify();
    void cleanupTestCase();

private:
    std::vector<std::unique_ptr<EmulatorProcess>> m_emulators;
    QMap<int, qint64> m_elapsed;
};

namespace {

constexpr int MostScanners = 16;
constexpr int FirstAddress = 41;  // 127.0.0.41 ...
constexpr double Aim = 1.2;

bool smoke()
{
    return qEnvironmentVariableIntValue("VELTRIX_BENCH_SMOKE") != 0;
}

}  // namespace

void BenchFleetWrite::initTestCase()
{
    const int count = smoke() ? 1 : MostScanners;
    for (int i = 0; i < count; ++i) {
        const QString address = QStringLiteral("127.0.0.%1").arg(FirstAddress + i);
        m_emulators.push_back(std::make_unique<EmulatorProcess>(QStringList{"--address", address}));
        QVERIFY(m_emulators.back()->start());
    }
}

void BenchFleetWrite::writeAndVerify_data()
{
    QTest::addColumn<int>("scanners");
    for (const int scanners : {1, 4, MostScanners}) {
        if (!smoke() || scanners == 1)
            QTest::addRow("%d", scanners) << scanners;
    }
}

void BenchFleetWrite::writeAndVerify()
{
    QFETCH(int, scanners);
    JobRequest request;
    request.kind = JobRequest::Kind::Write;
    request.configuration.areas = randomareas::areas(16, 5400, true);
    request.configuration.parameters = randomareas::parameters(16);

    std::vector<std::unique_ptr<ScannerJob>> owned;
    QList<ScannerJob *> jobs;
    qint64 elapsed = 0;
    QBENCHMARK_ONCE {
        owned.clear();
        jobs.clear();
        for (int i = 0; i < scanners; ++i) {
            Target target;
            QVERIFY(parseTarget(QStringLiteral("tcp:127.0.0.%1").arg(FirstAddress + i), &target, nullptr));
            owned.push_back(std::make_unique<ScannerJob>(target, request));
            jobs.append(owned.back().get());
        }
        QElapsedTimer clock;
        clock.start();
        runJobs(jobs, Output(true));
        elapsed = clock.elapsed();
    }
    for (const ScannerJob *job : std::as_const(jobs))
        QCOMPARE(job->outcome(), ScannerJob::Outcome::Identical);
    m_elapsed.insert(scanners, elapsed);
    qInfo("%d scanner(s): %lld ms for write and read-back", scanners, elapsed);
}

void BenchFleetWrite::cleanupTestCase()
{
    if (!m_elapsed.contains(1))
        return;
    for (auto it = m_elapsed.cbegin(); it != m_elapsed.cend(); ++it) {
        qInfo("%2d scanner(s): %.2f x the time of one%s", it.key(), double(it.value()) / double(m_elapsed.value(1)),
              it.key() == MostScanners ? (double(it.value()) <= Aim * double(m_elapsed.value(1)) ? " (aim met)"
                                                                                            : " (aim missed)")
                                       : "");
    }
}

QTEST_GUILESS_MAIN(BenchFleetWrite)
#include "bench_fleetwrite.moc"
