#include "core/link/serialcomm.h"
#include "core/record/recordingplayer.h"
#include "core/record/recordingreader.h"
#include "core/record/recordingwriter.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int ScanCount = 30;
constexpr quint32 IntervalMs = 100;

// Scan n: every distance n + 1, so that the link shows which scan it holds.
RecordedScan scan(int n, bool inverted)
{
    RecordedScan s;
    s.timeMs = quint32(n) * IntervalMs;
    s.invertedMount = inverted;
    s.inputs = quint8(n);
    s.distances = QVector<quint16>(SerialScanSize, quint16(n + 1));
    s.intensities = QVector<quint16>(SerialScanSize, quint16(2 * n));
    return s;
}

}  // namespace

class TestRecordingPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void playsAtTheChosenSpeed_data();
    void playsAtTheChosenSpeed();
    void stepsSeeksAndStopsAtTheEnd();
    void closingGivesTheLinkBackWhatItHad();

private:
    void open();
    int shownScan() const { return link->liveScan().scanDistances.first() - 1; }

    QTemporaryDir m_dir;
    QString m_file;
    std::unique_ptr<SERIAL_COMM> link;
    std::unique_ptr<RecordingPlayer> player;
    qint64 clock = 0;
};

void TestRecordingPlayer::initTestCase()
{
    m_file = m_dir.filePath(QStringLiteral("paced.rec"));
    RecordingWriter writer;
    QVERIFY(writer.open(m_file, RecordingHeader(), nullptr));
    for (int n = 0; n < ScanCount; ++n)
        QVERIFY(writer.write(scan(n, true), nullptr));
    QVERIFY(writer.close(nullptr));
}

void TestRecordingPlayer::init()
{
    link = std::make_unique<SERIAL_COMM>();
    player = std::make_unique<RecordingPlayer>(link.get());
    clock = 0;
    player->setClock([this] { return clock; });
}

void TestRecordingPlayer::cleanup()
{
    player.reset();
    link.reset();
}

void TestRecordingPlayer::open()
{
    auto reader = std::make_unique<RecordingReader>();
    QVERIFY(reader->open(m_file, nullptr));
    player->open(std::move(reader), m_file);
}

void TestRecordingPlayer::playsAtTheChosenSpeed_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<QList<int>>("clockMs");  // the clock at each timer call
    QTest::addColumn<QList<int>>("shown");    // the scan on show after it

    const int recorded = int(RecordingPlayer::Speed::Recorded);
    const int fast = int(RecordingPlayer::Speed::Fast);
    const int unlimited = int(RecordingPlayer::Speed::Unlimited);
    QTest::newRow("1x") << recorded << QList<int>{99, 100, 250, 2000} << QList<int>{0, 1, 2, 20};
    // A scan whose moment passed while the program was busy is left out.
    QTest::newRow("4x") << fast << QList<int>{25, 60, 100, 250} << QList<int>{1, 2, 4, 10};
    QTest::newRow("as fast as possible") << unlimited << QList<int>{0, 0, 0, 0} << QList<int>{1, 2, 3, 4};
}

void TestRecordingPlayer::playsAtTheChosenSpeed()
{
    QFETCH(int, speed);
    QFETCH(QList<int>, clockMs);
    QFETCH(QList<int>, shown);
    open();
    QCOMPARE(shownScan(), 0);
    QVERIFY(!player->isPlaying());
    player->setSpeed(RecordingPlayer::Speed(speed));
    player->play();
    for (int i = 0; i < clockMs.size(); ++i) {
        clock = clockMs.at(i);
        player->advance();
        QCOMPARE(player->position(), shown.at(i));
        QCOMPARE(shownScan(), shown.at(i));
        QCOMPARE(link->liveScan().io.inport, uint(shown.at(i)));
    }
}

void TestRecordingPlayer::stepsSeeksAndStopsAtTheEnd()
{
    open();
    QSignalSpy shown(player.get(), &RecordingPlayer::scanShown);
    player->seekTime(250);
    QCOMPARE(shownScan(), 2);
    player->play();
    player->step();  // pauses
    QVERIFY(!player->isPlaying());
    QCOMPARE(shownScan(), 3);

    // Played to the end it stops on the last scan; played again it starts over.
    player->play();
    clock = 100000;
    player->advance();
    QCOMPARE(shownScan(), ScanCount - 1);
    QVERIFY(!player->isPlaying());
    player->step();
    QCOMPARE(shownScan(), ScanCount - 1);
    player->play();
    QCOMPARE(shownScan(), 0);
    player->seekScan(ScanCount + 5);
    QCOMPARE(shownScan(), ScanCount - 1);
    QCOMPARE(shown.count(), 5);
}

void TestRecordingPlayer::closingGivesTheLinkBackWhatItHad()
{
    link->SetConnectType(EthernetInterface);
    link->SetEthernetMode(UdpMode);
    QSignalSpy direction(link.get(), &SERIAL_COMM::DirChangeSignals);
    open();
    // The recording was made over a serial line, upside down.
    QCOMPARE(link->configuration().connectType, int(SerialInterface));
    QVERIFY(link->configuration().invertedMount);
    QCOMPARE(direction.count(), 1);
    QCOMPARE(direction.first().first().toBool(), true);

    player->close();
    QCOMPARE(link->configuration().connectType, int(EthernetInterface));
    QCOMPARE(link->configuration().ethernetMode, int(UdpMode));
    QVERIFY(!link->configuration().invertedMount);
    QCOMPARE(link->liveScan().scanDistances, QVector<quint16>(SerialScanSize, 0));
    QCOMPARE(link->liveScan().io.inport, 0u);
    QCOMPARE(player->position(), -1);
}

QTEST_GUILESS_MAIN(TestRecordingPlayer)
#include "tst_recordingplayer.moc"
