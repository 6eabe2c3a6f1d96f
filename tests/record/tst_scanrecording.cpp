// Scan recordings as a user meets them in the main window, against a scanner running
// in this process: recording over TCP, UDP and the serial line and playing the file
// back, a recording cut short by killing the program that made it, files that are no
// recording or a damaged one, and the check of areas against the scanner's room with
// its rows leading the replay to their moments.

#include "waituntil.h"
#include "windowundertest.h"

#include "emulatorserver.h"

#include "core/link/configurationchecksum.h"
#include "core/link/serialcomm.h"
#include "core/link/transactionresult.h"
#include "core/record/recordingplayer.h"
#include "core/record/recordingreader.h"
#include "core/record/recordingwriter.h"
#include "core/record/scanrecorder.h"
#include "gui/app/connectioncontrol.h"
#include "gui/record/recordingcheckdialog.h"

#include <QLCDNumber>
#include <QLabel>
#include <QProcess>
#include <QProgressDialog>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace veltrix;
using veltrix::testing::waitUntil;

namespace {

const QString Address = QStringLiteral("127.0.0.6");
constexpr int Range = 6000;  // model 05, the emulator's room scaled to it

// What the link holds of a scan, copied as it is, before it is recorded and after it
// is played back.
struct Held
{
    LinkConfiguration link;
    IoPortState io;
    QVector<quint16> distances, intensities;
    QVector<qint32> cloud;  // distance x, y and intensity x, y of every point

    bool operator==(const Held &o) const
    {
        return link.connectType == o.link.connectType && link.invertedMount == o.link.invertedMount
            && io.inport == o.io.inport && io.outport == o.io.outport && io.status == o.io.status
            && distances == o.distances && intensities == o.intensities && cloud == o.cloud;
    }
};

Held held(const SERIAL_COMM &link)
{
    const LiveScan &live = link.liveScan();
    Held h{link.configuration(), live.io, live.scanDistances, live.scanIntensities, {}};
    for (int i = 0; i < live.cloudCount; ++i)
        h.cloud << live.cloudDistX.at(i) << live.cloudDistY.at(i) << live.cloudIntensityX.at(i)
                << live.cloudIntensityY.at(i);
    return h;
}

AreaRecord arcArea(int radius)
{
    AreaRecord area;
    area.out1Shape = Arc;
    area.out1Points = {QPoint(radius, 0), QPoint(-radius, 0)};
    return area;
}

// The lane straight ahead that the moving object crosses: every point with
// |x| <= min(600, 0.6 y) and y <= 1600 (the polygon swept from the scanner).
AreaRecord laneArea()
{
    AreaRecord area;
    area.out1Points = {QPoint(600, 1000), QPoint(600, 1600), QPoint(-600, 1600), QPoint(-600, 1000)};
    return area;
}

// Whether a point lies in the lane with `margin` mm to spare (negative: at most that
// far outside it).
bool inLane(const QPoint &p, double margin)
{
    return p.y() > 0 && qAbs(p.x()) + margin <= qMin(600.0, 0.6 * p.y()) && p.y() + margin <= 1600;
}

// The main window in English connected to a scanner of this process.
struct Session
{
    std::unique_ptr<EmulatorServer> server;
    testing::WindowUnderTest w;
    QList<TransactionResult> results;

    Session()
    {
        w.setLanguage(1);
        w.show();
        QObject::connect(w.sensorLink(), &SERIAL_COMM::TransactionFinished,
                         [this](const TransactionResult &result) { results.append(result); });
    }

    // Connects as the menus do and waits for the read-all that connecting starts.
    bool start(EmulatorOptions options, const QString &transport)
    {
        options.address = QHostAddress(Address);
        options.scanner.ethernetMode = transport == QLatin1String("udp") ? 1 : 0;
        server = std::make_unique<EmulatorServer>(options);
        if (!server->start(nullptr))
            return false;
        if (transport == QLatin1String("serial")) {
            if (server->serialDevice().isEmpty())
                return false;
            w.CreatOpenSerialPort(server->serialDevice());
        } else {
            w.CreatEthnertModeSignalSlot(transport == QLatin1String("udp") ? QStringLiteral("MODE: UDP")
                                                                           : QStringLiteral("MODE: TCP"));
            w.CreatEthernetPort(Address);
        }
        return waitUntil([this] { return !results.isEmpty(); }, 15000) && results.first().isComplete();
    }

    // Records `scans` scans into file with Record Scans; what the link held of each.
    QList<Held> record(const QString &file, int scans)
    {
        QList<Held> seen;
        ScanRecorder *recorder = w.scanRecordings()->recorder();
        QMetaObject::Connection taking = QObject::connect(
            recorder, &ScanRecorder::scanRecorded, [&] { seen.append(held(*w.sensorLink())); });
        w.files << file;
        w.trigger("RecordScan");
        waitUntil([&] { return seen.size() >= scans; }, 15000);
        w.trigger("RecordScan");
        QObject::disconnect(taking);
        return seen;
    }

    template<typename T>
    T *widget(const char *name) const { return w.widget<T>(name); }
    RecordingPlayer *player() const { return w.scanRecordings()->player(); }
};

}  // namespace

class TestScanRecording : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void recordedScansPlayBackAsTheyCame_data();
    void recordedScansPlayBackAsTheyCame();
    void aRecordingCutShortKeepsItsScans();
    void foreignOrDamagedFilesChangeNothing_data();
    void foreignOrDamagedFilesChangeNothing();
    void checkAgainstTheRoom();

private:
    QTemporaryDir m_dir;
};

void TestScanRecording::recordedScansPlayBackAsTheyCame_data()
{
    QTest::addColumn<QString>("transport");
    QTest::addColumn<bool>("inverted");
    QTest::newRow("tcp") << "tcp" << false;
    QTest::newRow("udp") << "udp" << false;
    QTest::newRow("serial, inverted") << "serial" << true;
}

// Fifteen scans recorded (about a second) over each line, then played back as fast as
// possible: the link holds each again exactly as it held it when it arrived.
void TestScanRecording::recordedScansPlayBackAsTheyCame()
{
    QFETCH(QString, transport);
    QFETCH(bool, inverted);
    EmulatorOptions options;
    options.scanner.inputs = 5;
    options.scanner.faultBits = 8;
    options.scanner.inverted = inverted;
    Session s;
    const bool started = s.start(options, transport);
    if (!started && s.server && s.server->serialDevice().isEmpty() && transport == QLatin1String("serial"))
        QSKIP("The serial line needs the emulator's pseudo-terminal, which this system has not.");
    QVERIFY(started);
    s.w.trigger("Intensity");
    const QString file = m_dir.filePath(transport + QStringLiteral(".rec"));
    const QList<Held> recorded = s.record(file, 15);
    QVERIFY(recorded.size() >= 15);
    QVERIFY(!s.w.action("RecordScan")->isChecked());
    QVERIFY(!s.widget<QLabel>("label_Recording")->isVisible());

    RecordingReader reader;
    QVERIFY(reader.open(file, nullptr));
    QVERIFY(!reader.wasCutShort());
    QCOMPARE(reader.scanCount(), recorded.size());
    QCOMPARE(reader.header().model, 0);
    QVERIFY(reader.header().checksumKnown);
    QCOMPARE(reader.header().configurationChecksum, *configurationChecksum(s.results.first().configuration));

    // Played while connected, the connection ends first (the question answered yes).
    QList<Held> played;
    QObject listening;
    QObject::connect(s.w.sensorLink(), &SERIAL_COMM::ReceiveScanfData, &listening, [&] {
        if (s.player()->isShowingScan())
            played.append(held(*s.w.sensorLink()));
    });
    s.w.files << file;
    s.w.trigger("OpenRecording");
    QVERIFY(!s.w.shown.isEmpty());
    QCOMPARE(s.w.shown.last().buttons.first(), QStringLiteral("Disconnect and Play"));
    QVERIFY(!s.w.connectionControl()->isConnected());
    QVERIFY(!s.w.action("Connection")->isEnabled());
    s.player()->setSpeed(RecordingPlayer::Speed::Unlimited);
    QVERIFY(waitUntil([&] { return !s.player()->isPlaying(); }, 10000));
    QCOMPARE(played.size(), recorded.size());
    for (int i = 0; i < recorded.size(); ++i)
        QVERIFY2(played.at(i) == recorded.at(i), qPrintable(QStringLiteral("scan %1").arg(i)));

    // The status strip and the data table show the last scan as they showed it live.
    QCOMPARE(s.widget<QLCDNumber>("InputlcdNum")->intValue(), 5);
    QCOMPARE(s.widget<QLabel>("label_StatusValue")->text(), QStringLiteral("Connect Abnormal(4)"));
    QCOMPARE(s.widget<QLabel>("label_dirValue")->text(), inverted ? QStringLiteral("Reverse Set")
                                                                 : QStringLiteral("Forward Set"));
    if (transport == QLatin1String("serial")) {
        auto *table = s.widget<QTableWidget>("DataTableWidget");
        QCOMPARE(table->item(100, 1)->text().toInt(), int(recorded.last().distances.at(539 - 100)));
    }

    // Ended, the window is ready to connect again, and nothing is reported any more.
    s.w.scanRecordings()->endReplay();
    QVERIFY(s.w.action("Connection")->isEnabled());
    QCOMPARE(s.w.linkConfiguration().connectType,
             int(transport == QLatin1String("serial") ? SerialInterface : EthernetInterface));
    QCOMPARE(s.widget<QLCDNumber>("InputlcdNum")->intValue(), 0);
}

// The program killed while it records: the file opens, with every scan written before.
void TestScanRecording::aRecordingCutShortKeepsItsScans()
{
    const QString file = m_dir.filePath(QStringLiteral("killed.rec"));
    QProcess child;
    child.start(QStringLiteral(VELTRIX_RECORDING_CHILD), {file});
    QVERIFY(child.waitForStarted(5000));
    int written = 0;
    QVERIFY(waitUntil([&] {
        child.waitForReadyRead(50);
        while (child.canReadLine()) {
            const QByteArray line = child.readLine().trimmed();
            if (line.startsWith("scans "))
                written = line.mid(6).toInt();
        }
        return written >= 8;
    }, 20000));
    child.kill();
    QVERIFY(child.waitForFinished(5000));

    RecordingReader reader;
    QString error;
    QVERIFY2(reader.open(file, &error), qPrintable(error));
    QVERIFY(reader.wasCutShort());
    QVERIFY(reader.scanCount() >= written);
    RecordedScan scan;
    for (int i = 0; i < reader.scanCount(); ++i)
        QVERIFY2(reader.readScan(i, scan, &error) && scan.cloudDistances.size() > 0, qPrintable(error));

    testing::WindowUnderTest w;
    QVERIFY(w.scanRecordings()->replay(file, false));
    QVERIFY(w.shown.isEmpty());
    QCOMPARE(w.scanRecordings()->player()->scanCount(), reader.scanCount());
}

void TestScanRecording::foreignOrDamagedFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");

    RecordedScan scan;
    scan.distances = QVector<quint16>(SerialScanSize, 1000);
    scan.intensities = QVector<quint16>(SerialScanSize, 300);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordingWriter writer;
    writer.open(&buffer, QStringLiteral("x"), RecordingHeader(), nullptr);
    for (quint32 t = 0; t < 5; ++t) {
        scan.timeMs = t * 70;
        writer.write(scan, nullptr);
    }
    // Without its index (cut short), so that opening walks the records and meets the
    // damaged one with more after it.
    QByteArray damaged = buffer.data();
    damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x40);

    QTest::newRow("a project file") << QByteArray("VRQ_LASER_05\nSensorPara\n") << "is not a scan recording";
    QTest::newRow("damaged") << damaged << "is damaged";
    QTest::newRow("header only") << buffer.data().left(recording::HeaderSize) << "holds no scans";
}

// With a recording playing, another one that cannot be played is refused with a message
// naming it; the replay goes on where it was, and the check table keeps its rows.
void TestScanRecording::foreignOrDamagedFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    testing::WindowUnderTest w;
    w.setLanguage(1);
    const QString good = m_dir.filePath(QStringLiteral("good.rec"));
    {
        RecordingWriter writer;
        QVERIFY(writer.open(good, RecordingHeader(), nullptr));
        RecordedScan scan;
        scan.link = ScanLink::Ethernet;
        for (quint32 t = 0; t < 10; ++t) {
            scan.timeMs = t * 70;
            scan.cloudDistances = scan.cloudIntensities = {QPoint(0, -int(1000 + t))};
            QVERIFY(writer.write(scan, nullptr));
        }
        QVERIFY(writer.close(nullptr));
    }
    AreaRecord area = arcArea(2000);
    w.areaModel().replaceArea(0, area);
    QVERIFY(w.scanRecordings()->replay(good, false));
    w.scanRecordings()->player()->seekScan(4);
    QVERIFY(w.scanRecordings()->check(good));
    RecordingCheckDialog *dialog = w.scanRecordings()->checkDialog();
    QCOMPARE(dialog->result().areas.size(), 1);
    QCOMPARE(dialog->result().areas.first().fields[0].scansEntered, 10);

    const QString bad = m_dir.filePath(QStringLiteral("bad %1.rec").arg(QTest::currentDataTag()));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    for (const char *action : {"OpenRecording", "CheckRecording"}) {
        w.files << bad;
        w.trigger(action);
        // The check of a recording without scans has nothing to refuse.
        if (QLatin1String(action) == QLatin1String("CheckRecording") && says == QLatin1String("holds no scans"))
            continue;
        QVERIFY(waitUntil([&] { return !w.shown.isEmpty(); }, 2000));
        const UserMessage message = w.shown.takeFirst();
        QVERIFY2(message.text.contains(QDir::toNativeSeparators(bad)) && message.text.contains(says),
                 qPrintable(message.text));
        QCOMPARE(w.scanRecordings()->player()->fileName(), good);
        QCOMPARE(w.scanRecordings()->player()->position(), 4);
        QCOMPARE(w.sensorLink()->liveScan().cloudDistY.first(), -1004);
        QVERIFY(!w.action("Connection")->isEnabled());
        QCOMPARE(dialog->fileName(), good);
        QCOMPARE(dialog->result().areas.first().fields[0].scansEntered, 10);
    }
}

// Three seconds of the room with the object running to and fro: an area that clears
// the room is never entered, one through the front wall in every scan, the lane the
// object crosses in the scans where it is there. A row leads the replay to its moment,
// where the field entry shows in the status strip.
void TestScanRecording::checkAgainstTheRoom()
{
    EmulatorOptions options;
    options.scanner.objectSpeed = 4800;
    Session s;
    QVERIFY(s.start(options, QStringLiteral("tcp")));
    const QString file = m_dir.filePath(QStringLiteral("room.rec"));
    const int scans = s.record(file, 45).size();
    s.w.areaModel().replaceArea(3, arcArea(900));    // the object passes 1170 mm ahead
    s.w.areaModel().replaceArea(10, arcArea(4800));  // the front wall stands at 4200 mm
    s.w.areaModel().replaceArea(20, laneArea());

    s.w.files << file;
    s.w.trigger("CheckRecording");
    RecordingCheckDialog *dialog = s.w.scanRecordings()->checkDialog();
    QVERIFY(dialog->isVisible());
    auto *table = dialog->findChild<QTableWidget *>(QStringLiteral("CheckTable"));
    QCOMPARE(table->rowCount(), 3);
    const QStringList expected = {QStringLiteral("0 / %1").arg(scans), QStringLiteral("%1 / %1").arg(scans)};
    QCOMPARE(table->item(0, RecordingCheckDialog::EnteredColumn)->text(), expected.at(0));
    QCOMPARE(table->item(1, RecordingCheckDialog::EnteredColumn)->text(), expected.at(1));
    QCOMPARE(table->item(0, RecordingCheckDialog::FirstColumn)->text(), QStringLiteral("—"));

    // The lane: counted at least in the scans surely inside it, at most in those not
    // surely outside it.
    RecordingReader reader;
    QVERIFY(reader.open(file, nullptr));
    int surelyIn = 0, surelyOut = 0;
    RecordedScan scan;
    for (int i = 0; i < reader.scanCount(); ++i) {
        QVERIFY(reader.readScan(i, scan, nullptr));
        const QVector<QPoint> points = ScanAreaPoints(scan);
        surelyIn += std::any_of(points.begin(), points.end(), [](const QPoint &p) { return inLane(p, 5); });
        surelyOut += std::none_of(points.begin(), points.end(), [](const QPoint &p) { return inLane(p, -5); });
    }
    const FieldCheck &lane = dialog->result().areas.at(2).fields[0];
    QVERIFY2(surelyIn > 0 && surelyOut > 0, qPrintable(QStringLiteral("%1 %2").arg(surelyIn).arg(surelyOut)));
    QVERIFY(lane.scansEntered >= surelyIn && lane.scansEntered <= scans - surelyOut);

    // A double-click on the lane's first moment plays the recording there (connected,
    // the question is answered yes), with the lane's area current; one scan earlier the
    // object was not in it yet.
    const QRect first = table->visualItemRect(table->item(2, RecordingCheckDialog::FirstColumn));
    // An item view takes a double-click only on the cell that the press before it hit.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, first.center());
    QVERIFY(!s.w.connectionControl()->isConnected());
    QCOMPARE(s.player()->position(), lane.firstScan);
    QVERIFY(!s.player()->isPlaying());
    QCOMPARE(s.w.areaModel().currentArea(), 20);
    auto *label = s.widget<QLabel>("label_FieldEntry1");
    QTRY_VERIFY2(label->isVisible() && label->text().startsWith(QStringLiteral("Out 1: "))
                     && !label->text().startsWith(QStringLiteral("Out 1: 0 points")),
                 qPrintable(label->text()));
    if (lane.firstScan > 0) {
        s.player()->seekScan(lane.firstScan - 1);
        QTRY_COMPARE(label->text(), QStringLiteral("Out 1: 0 points"));
    }

    // Cancelled half way, the table shows the scans checked until then.
    QTimer::singleShot(0, dialog, [dialog] { dialog->progress()->cancel(); });
    QVERIFY(s.w.scanRecordings()->check(file));
    QVERIFY(dialog->result().scansChecked < scans);
    QCOMPARE(table->item(1, RecordingCheckDialog::EnteredColumn)->text(),
             QStringLiteral("%1 / %1").arg(dialog->result().scansChecked));
    QVERIFY(dialog->findChild<QLabel *>(QStringLiteral("CheckState"))->text().contains(QStringLiteral("cancelled")));
}

QTEST_MAIN(TestScanRecording)
#include "tst_scanrecording.moc"
