// veltrix-cli as a plant's automation runs it: the program itself against emulator
// programs. One project file is written to three scanners at once over TCP, UDP and a
// serial line while a fourth, which answers nothing, fails alone; the three are then
// verified and read back into files that are the source again; a scanner holding one
// moved vertex shows exactly that. Bad input always ends with one line on standard
// error and exit code 2, before anything is sent.

#include "emulatorprocess.h"
#include "randomareas.h"

#include "core/link/configurationchecksum.h"
#include "core/project/project.h"
#include "core/project/projectstorage.h"
#include "core/record/recordingwriter.h"
#include "core/report/configurationreport.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int Reach = 5400;
constexpr int MovedArea = 11;

struct Run
{
    int code = -1;
    QByteArray out;
    QByteArray err;

    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
    QStringList errorLines() const { return QString::fromUtf8(err).split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

Run cli(const QStringList &arguments, const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProgram(QStringLiteral(VELTRIX_CLI_PATH));
    process.setArguments(arguments);
    process.start();
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
    }
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// A plant's configuration as it travels (polygons in bearing order, arcs in whole
// degrees), so that a scanner gives back the very same file.
ScannerConfiguration plant(quint32 seed)
{
    ScannerConfiguration c;
    c.areas = randomareas::areas(seed, Reach);
    for (int i = 0; i < AreaCount; ++i)
        c.areas[i] = randomareas::throughTheWire(c.areas[i], i);
    c.parameters = randomareas::parameters(seed);
    AreaRecord &moved = c.areas[MovedArea];
    moved.out1Shape = Polygon;
    moved.out1Points = {QPoint(1300, 100), QPoint(900, 2400), QPoint(-600, 2200), QPoint(-1000, 200)};
    return c;
}

QString save(const QString &path, const ScannerConfiguration &configuration, int model = 2)
{
    Project project;
    project.setModelIndex(model);
    project.applyConfiguration(configuration);
    if (!SaveProjectFile(project, path, QDate::currentDate()))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A project file's lines without its date of saving.
QStringList contentLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
    const int information = lines.indexOf(QStringLiteral("VRQ_LASER_ZD_INFORMATION"));
    if (information >= 0 && information + 1 < lines.size())
        lines.removeAt(information + 1);
    return lines;
}

QJsonObject targetResult(const QJsonObject &document, const QString &target)
{
    for (const QJsonValue &entry : document.value(QStringLiteral("targets")).toArray()) {
        if (entry.toObject().value(QStringLiteral("target")).toString() == target)
            return entry.toObject();
    }
    return {};
}

}  // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void badInputSaysSoInOneLine_data();
    void badInputSaysSoInOneLine();
    void fleetWriteVerifyAndReadBack();
    void bareAddressTakesTheModeDiscoveryFinds();
    void filesComparedWithoutAScanner();
    void recordingChecked_data();
    void recordingChecked();
    void reportWithoutADisplay();

private:
    QTemporaryDir m_folder;
    QString m_plant;
    quint32 m_checksum = 0;
};

void TestCli::initTestCase()
{
    QVERIFY(m_folder.isValid());
    const ScannerConfiguration configuration = plant(21);
    m_plant = save(m_folder.filePath(QStringLiteral("plant.KT20")), configuration);
    m_checksum = configurationChecksum(configuration).value();
}

void TestCli::badInputSaysSoInOneLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("said");

    ScannerConfiguration oversized = plant(3);
    oversized.areas[7].out2Points.clear();
    for (int i = 0; i < 101; ++i)
        oversized.areas[7].out2Points.append(randomareas::onBearing(-40.0 + 2.5 * i, 3000));
    oversized.areas[7].out2Shape = Polygon;
    const QString big = save(m_folder.filePath(QStringLiteral("big.KT20")), oversized);
    QFile::copy(m_plant, m_folder.filePath(QStringLiteral("cut.KT20")));
    QFile cut(m_folder.filePath(QStringLiteral("cut.KT20")));
    cut.resize(cut.size() / 2);

    // The targets are reachable addresses where nothing listens: a command that got as
    // far as connecting would end with 3, not 2.
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << "unknown command 'frobnicate'";
    QTest::newRow("unknown option") << QStringList{"checksum", "--fast", m_plant} << "unknown option '--fast'";
    QTest::newRow("option without its value") << QStringList{"discover", "--timeout"} << "option '--timeout' needs a value";
    QTest::newRow("no such file") << QStringList{"verify", m_folder.filePath("none.KT20"), "tcp:127.0.0.1"}
                                  << "cannot open the project file";
    QTest::newRow("damaged file, its line named") << QStringList{"write", cut.fileName(), "tcp:127.0.0.1"}
                                                  << "is damaged: The file ends at line ";
    QTest::newRow("not a target") << QStringList{"write", m_plant, "tcp:127.0.0.300"} << "'tcp:127.0.0.300' is not a target";
    QTest::newRow("no target") << QStringList{"write", m_plant} << "at least one target";
    QTest::newRow("101 vertices, nothing sent") << QStringList{"write", big, "tcp:127.0.0.1"}
                                                << "Area 7 Out2 has 101 points";
    QTest::newRow("model unknown") << QStringList{"read", "tcp:127.0.0.1", "-o", m_folder.filePath("x.txt")}
                                   << "cannot tell the model";
}

void TestCli::badInputSaysSoInOneLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, said);
    const Run run = cli(arguments);
    QCOMPARE(run.code, 2);
    QVERIFY2(run.out.isEmpty(), run.out.constData());
    QCOMPARE(run.errorLines().size(), 1);
    QVERIFY2(run.errorLines().first().contains(said), run.err.constData());
}

void TestCli::fleetWriteVerifyAndReadBack()
{
    EmulatorProcess tcp({"--address", "127.0.0.21"});
    EmulatorProcess udp({"--address", "127.0.0.22", "--ethernet-mode", "udp"});
    EmulatorProcess serial({"--address", "127.0.0.23"});
    EmulatorProcess silent({"--address", "127.0.0.24", "--drop", "1"});
    for (EmulatorProcess *emulator : {&tcp, &udp, &serial, &silent})
        QVERIFY(emulator->start());
    const QString serialTarget = QStringLiteral("serial:") + serial.serialDevice();
    const QStringList good{QStringLiteral("tcp:127.0.0.21"), QStringLiteral("udp:127.0.0.22"), serialTarget};
    const QString checksum = checksumText(m_checksum);

    // All four at once; the silent one fails alone, after its time-outs.
    const Run written = cli(QStringList{"write", m_plant} + good + QStringList{"tcp:127.0.0.24", "--json"});
    QCOMPARE(written.code, 3);
    const QJsonObject document = written.json();
    QCOMPARE(document.value("checksum").toString(), checksum);
    for (const QString &target : good) {
        const QJsonObject result = targetResult(document, target);
        QCOMPARE(result.value("result").toString(), QStringLiteral("identical"));
        QCOMPARE(result.value("checksum").toString(), checksum);
        QCOMPARE(result.value("exitCode").toInt(), 0);
    }
    QCOMPARE(targetResult(document, "udp:127.0.0.22").value("interface").toString(), QStringLiteral("udp"));
    const QJsonObject failed = targetResult(document, "tcp:127.0.0.24");
    QCOMPARE(failed.value("result").toString(), QStringLiteral("link-failure"));
    QCOMPARE(failed.value("exitCode").toInt(), 3);
    QCOMPARE(written.errorLines(), QStringList{"veltrix-cli: tcp:127.0.0.24: the sensor does not answer (4 time-outs in a row)"});

    const Run verified = cli(QStringList{"verify", m_plant} + good);
    QCOMPARE(verified.code, 0);
    QCOMPARE(QString::fromUtf8(verified.out).count(QStringLiteral("identical  ") + checksum), 3);
    QVERIFY(verified.err.isEmpty());

    for (int i = 0; i < good.size(); ++i) {
        const QString back = m_folder.filePath(QStringLiteral("back%1.KT20").arg(i));
        const Run read = cli({"read", good.at(i), "-o", back});
        QCOMPARE(read.code, 0);
        QCOMPARE(contentLines(back), contentLines(m_plant));
    }

    // One vertex moved in one scanner, written without reading back: the verification
    // names exactly that vertex, with both values.
    ScannerConfiguration moved = plant(21);
    moved.areas[MovedArea].out1Points[1] = QPoint(900, 2450);
    const QString other = save(m_folder.filePath(QStringLiteral("moved.KT20")), moved);
    QCOMPARE(cli({"write", other, "udp:127.0.0.22", "--no-verify"}).code, 0);
    const Run differs = cli(QStringList{"verify", m_plant} + good + QStringList{"--json"});
    QCOMPARE(differs.code, 1);
    const QJsonArray differences = targetResult(differs.json(), "udp:127.0.0.22").value("differences").toArray();
    QCOMPARE(differences.size(), 1);
    const QJsonObject vertex = differences.first().toObject();
    QCOMPARE(vertex.value("kind").toString(), QStringLiteral("vertex"));
    QCOMPARE(vertex.value("area").toInt(), MovedArea);
    QCOMPARE(vertex.value("field").toInt(), 0);
    QCOMPARE(vertex.value("document").toString(), QStringLiteral("(900, 2400)"));
    QCOMPARE(vertex.value("scanner").toString(), QStringLiteral("(900, 2450)"));
    QCOMPARE(targetResult(differs.json(), "tcp:127.0.0.21").value("result").toString(), QStringLiteral("identical"));
    QCOMPARE(differs.errorLines().size(), 1);
}

// A scanner set to UDP answers the search from the test namespace's second address.
void TestCli::bareAddressTakesTheModeDiscoveryFinds()
{
    EmulatorProcess emulator({"--address", "10.77.0.2", "--ethernet-mode", "udp"});
    QVERIFY(emulator.start());
    const Run found = cli({"discover", "--timeout", "1", "--json"});
    QCOMPARE(found.code, 0);
    const QJsonArray scanners = found.json().value("scanners").toArray();
    QCOMPARE(scanners.size(), 1);
    QCOMPARE(scanners.first().toObject().value("address").toString(), QStringLiteral("10.77.0.2"));
    QCOMPARE(scanners.first().toObject().value("mode").toString(), QStringLiteral("udp"));

    const Run verified = cli({"verify", m_plant, "10.77.0.2", "--json"});
    QCOMPARE(verified.code, 1);  // a scanner fresh from the factory
    QCOMPARE(targetResult(verified.json(), "10.77.0.2").value("interface").toString(), QStringLiteral("udp"));
    QCOMPARE(targetResult(verified.json(), "10.77.0.2").value("result").toString(), QStringLiteral("differences"));
}

void TestCli::filesComparedWithoutAScanner()
{
    ScannerConfiguration moved = plant(21);
    moved.areas[MovedArea].out1Points[0] += QPoint(0, 30);
    const QString other = save(m_folder.filePath(QStringLiteral("other.KT20")), moved);

    const Run same = cli({"diff", m_plant, m_plant});
    QCOMPARE(same.code, 0);
    const Run differs = cli({"diff", m_plant, other, "--json"});
    QCOMPARE(differs.code, 1);
    const QJsonArray differences = differs.json().value("differences").toArray();
    QCOMPARE(differences.size(), 1);
    QCOMPARE(differences.first().toObject().value("first").toString(), QStringLiteral("(1300, 100)"));
    QCOMPARE(differences.first().toObject().value("second").toString(), QStringLiteral("(1300, 130)"));

    const Run sums = cli({"checksum", m_plant, other, "--json"});
    QCOMPARE(sums.code, 0);
    const QJsonArray files = sums.json().value("files").toArray();
    QCOMPARE(files.at(0).toObject().value("checksum").toString(), checksumText(m_checksum));
    QCOMPARE(files.at(1).toObject().value("checksum").toString(), checksumText(*configurationChecksum(moved)));
    QVERIFY(files.at(0) != files.at(1));
    // Only the moved area's own checksum changed.
    const QJsonArray first = files.at(0).toObject().value("areas").toArray();
    const QJsonArray second = files.at(1).toObject().value("areas").toArray();
    for (int area = 0; area < AreaCount; ++area)
        QCOMPARE(first.at(area) == second.at(area), area != MovedArea);
}

void TestCli::recordingChecked_data()
{
    QTest::addColumn<int>("reach");
    QTest::addColumn<int>("code");
    QTest::newRow("the person walks into Out1") << 1500 << 1;
    QTest::newRow("the field ends before the person") << 800 << 0;
}

// A wall three metres ahead; in the third scan a person one metre in front.
void TestCli::recordingChecked()
{
    QFETCH(int, reach);
    QFETCH(int, code);
    const QString recording = m_folder.filePath(QStringLiteral("site.rec"));
    RecordingWriter writer;
    QString error;
    QVERIFY2(writer.open(recording, RecordingHeader(), &error), qPrintable(error));
    for (int i = 0; i < 5; ++i) {
        RecordedScan scan;
        scan.timeMs = quint32(i) * 100;
        scan.link = ScanLink::Ethernet;
        for (int x = -2000; x <= 2000; x += 50)  // the view's frame: y grows to the back
            scan.cloudDistances.append(QPoint(x, i == 2 && qAbs(x) < 200 ? -1000 : -3000));
        scan.cloudIntensities = scan.cloudDistances;
        QVERIFY2(writer.write(scan, &error), qPrintable(error));
    }
    QVERIFY2(writer.close(&error), qPrintable(error));

    ScannerConfiguration configuration;
    configuration.areas[4].out1Points = {QPoint(-600, 0), QPoint(-600, reach), QPoint(600, reach), QPoint(600, 0)};
    const QString file = save(m_folder.filePath(QStringLiteral("site.KT05")), configuration, 0);
    const Run run = cli({"check", file, recording, "--json"});
    QCOMPARE(run.code, code);
    const QJsonArray entered = run.json().value("entered").toArray();
    QCOMPARE(entered.size(), code);
    if (code == 1) {
        QCOMPARE(entered.first().toObject().value("area").toInt(), 4);
        QCOMPARE(entered.first().toObject().value("scansEntered").toInt(), 1);
        QCOMPARE(entered.first().toObject().value("firstScan").toInt(), 2);
    }
}

// A report as a build server makes it: no display at all. A folder that does not
// exist is named in the one line, and no file appears.
void TestCli::reportWithoutADisplay()
{
    QProcessEnvironment headless = QProcessEnvironment::systemEnvironment();
    headless.remove(QStringLiteral("QT_QPA_PLATFORM"));
    headless.remove(QStringLiteral("DISPLAY"));
    headless.remove(QStringLiteral("WAYLAND_DISPLAY"));
    headless.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const QString pdf = m_folder.filePath(QStringLiteral("plant.pdf"));
    const Run run = cli({"report", m_plant, "-o", pdf, "--json"}, headless);
    QVERIFY2(run.code == 0, run.err.constData());
    // A script reads nothing on the error channel of a report that worked.
    QVERIFY2(run.err.isEmpty(), run.err.constData());

    Project project;
    QCOMPARE(OpenProjectFile(project, m_plant, AnyProjectModel), ProjectFileStatus::Done);
    const int pages = ConfigurationReport::pageCount(ReportDocument::of(project, QDateTime::currentDateTime()));
    QVERIFY(pages > 2);
    QCOMPARE(run.json().value("pages").toInt(), pages);
    QFile written(pdf);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.read(5) == "%PDF-");

    const QString nowhere = m_folder.filePath(QStringLiteral("none/plant.pdf"));
    const Run refused = cli({"report", m_plant, "-o", nowhere}, headless);
    QCOMPARE(refused.code, 2);
    QCOMPARE(refused.errorLines().size(), 1);
    QVERIFY2(refused.errorLines().first().startsWith(QLatin1String("veltrix-cli: ")), refused.err.constData());
    QVERIFY2(refused.errorLines().first().contains(nowhere), refused.err.constData());
    QVERIFY(!QFile::exists(nowhere));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
