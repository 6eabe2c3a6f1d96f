// The project document without any window: what a command line would do with it.
#include "core/link/sensorsettingfields.h"
#include "core/project/project.h"
#include "core/project/projectfile.h"
#include "core/project/projectstorage.h"

#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace veltrix;

namespace {

const QDate SavedOn(2026, 3, 9);

// A settings section with every kind of value a field keeps: list choices beyond
// their lists (shown as "value N"), the ends of the number ranges, the four address
// bytes, and a filter level within its list.
const QVector<int> EverySetting = {4, 5, 9, 2, 1, 40000, 0, 1, 127, 3, 1, 2400, 2, 3,
                                   1, 1000, 7, 1, 1, 3, 223, 0, 255, 17};

QByteArray fileWith(int model, const QVector<int> &settings)
{
    ProjectContents contents;
    contents.modelIndex = model;
    contents.settings = settings;
    contents.areas = QVector<AreaRecord>(AreaCount);
    contents.areas[0].out1Shape = Arc;
    contents.areas[0].out1Points = {{2000, 0}, {0, 2000}};
    contents.areas[63].out2Shape = Ratio;
    contents.areas[63].out2Points = {{0, -350}};
    contents.areas[7].vehicleMinSpeed = -300;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteProject(buffer, contents, SavedOn);
    return buffer.data();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestProjectDocument : public QObject
{
    Q_OBJECT

private slots:
    void fileOpensAndSavesBackUnchanged();
    void settingValuesAreBroughtIntoTheirFields_data();
    void settingValuesAreBroughtIntoTheirFields();
    void openingAnnouncesModelFirstAndRefusalChangesNothing();
    void newProjectAndWholeConfiguration();
};

void TestProjectDocument::fileOpensAndSavesBackUnchanged()
{
    QTemporaryDir dir;
    const QString original = dir.filePath(QStringLiteral("every.KT30"));
    const QByteArray bytes = fileWith(3, EverySetting);
    QVERIFY(writeFile(original, bytes));

    Project project;
    QString error;
    QCOMPARE(OpenProjectFile(project, original, AnyProjectModel, &error), ProjectFileStatus::Done);
    QCOMPARE(project.modelIndex(), 3);
    QCOMPARE(project.fileName(), original);
    QVERIFY(!project.isModified());  // it holds what its file holds
    // The values beyond a list are kept as they are: they travel and are saved so.
    QCOMPARE(project.parameters()[2], 9u);
    QCOMPARE(project.parameters()[16], 7u);
    QCOMPARE(project.parameters()[IpAddressHighWord], 0xDF00u);
    QCOMPARE(project.parameters()[IpAddressLowWord], 0xFF11u);

    const QString copy = dir.filePath(QStringLiteral("copy.KT30"));
    QVERIFY2(SaveProjectFile(project, copy, SavedOn, &error), qPrintable(error));
    QCOMPARE(readFile(copy), bytes);
    QCOMPARE(project.fileName(), copy);
    QVERIFY(!project.isModified());

    // A read-all of what the file holds leaves nothing unsaved; anything else does.
    ScannerConfiguration scanner = project.configuration();
    project.applyConfiguration(scanner);
    QVERIFY(!project.isModified());
    scanner.areas[9].out2Points = {{300, 400}};
    project.applyConfiguration(scanner);
    QVERIFY(project.isModified());
}

void TestProjectDocument::settingValuesAreBroughtIntoTheirFields_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<qint64>("kept");
    QTest::newRow("RS485 address above its range") << 4 << qint64(200) << qint64(127);
    QTest::newRow("CAN address below its range") << 8 << qint64(0) << qint64(1);
    QTest::newRow("motor speed below") << 11 << qint64(-5) << qint64(1200);
    QTest::newRow("zero value above") << 15 << qint64(5000) << qint64(3000);
    QTest::newRow("first address byte below") << 20 << qint64(9) << qint64(10);
    QTest::newRow("first address byte above") << 20 << qint64(224) << qint64(223);
    QTest::newRow("last address byte above") << 23 << qint64(256) << qint64(255);
    QTest::newRow("parity beyond its list") << 2 << qint64(9) << qint64(9);
    QTest::newRow("list value no word holds") << 0 << qint64(0x10000) << qint64(0);
    QTest::newRow("negative list value") << 9 << qint64(-1) << qint64(0);
    QTest::newRow("scan frequency beyond its list") << 17 << qint64(2) << qint64(0);
    QTest::newRow("filter level beyond its list") << 19 << qint64(4) << qint64(0);
    QTest::newRow("filter level within") << 19 << qint64(3) << qint64(3);
}

void TestProjectDocument::settingValuesAreBroughtIntoTheirFields()
{
    QFETCH(int, field);
    QFETCH(qint64, value);
    QFETCH(qint64, kept);
    QCOMPARE(settingValueInRange(field, value), kept);

    // Read from a file's section and written back, the value is the field's.
    QVector<int> section(ProjectSettingCount, 0);
    section[field] = int(value);
    const SensorParameters read = ParametersFromProjectSettings(section, SensorParameters());
    QCOMPARE(ProjectSettingsOf(read).at(field), int(kept));
    // Words the section does not hold stay as they were.
    QCOMPARE(read[23], SensorParameters()[23]);
}

void TestProjectDocument::openingAnnouncesModelFirstAndRefusalChangesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hall.KT50"));
    QVERIFY(writeFile(path, fileWith(4, EverySetting)));

    Project project;
    QStringList heard;
    connect(&project, &Project::modelChanged, this, [&](int model) { heard << QString("model %1").arg(model); });
    connect(&project, &Project::parametersChanged, this, [&] { heard << "parameters"; });
    connect(&project.areas(), &AreaModel::areasReplaced, this, [&] { heard << "areas"; });
    connect(&project, &Project::fileNameChanged, this, [&] { heard << "file"; });

    // Open file takes only a file of the project's model.
    QString error;
    QCOMPARE(OpenProjectFile(project, path, 0, &error), ProjectFileStatus::Refused);
    QVERIFY2(error.contains(QLatin1String("VRQ_LASER_05")), qPrintable(error));
    QCOMPARE(OpenProjectFile(project, dir.filePath("none.KT05"), 0), ProjectFileStatus::NotOpened);
    QVERIFY(heard.isEmpty());
    QCOMPARE(project.parameters(), SensorParameters());
    QVERIFY(!project.isModified());

    QCOMPARE(OpenProjectFile(project, path, AnyProjectModel), ProjectFileStatus::Done);
    QCOMPARE(heard, (QStringList{"model 4", "parameters", "areas", "file"}));
}

void TestProjectDocument::newProjectAndWholeConfiguration()
{
    Project project;
    ScannerConfiguration scanner;
    scanner.parameters[0] = 3;
    scanner.areas[5].steerMinDgree = -40;
    scanner.areas[5].out1Points = {{100, 200}};
    QSignalSpy parameters(&project, &Project::parametersChanged);
    project.applyConfiguration(scanner);
    QCOMPARE(project.configuration(), scanner);
    QCOMPARE(parameters.count(), 1);
    QVERIFY(project.isModified());  // no longer the blank project it started as

    project.setFileName(QStringLiteral("plant.KT05"));
    QSignalSpy models(&project, &Project::modelChanged);
    project.startNew(2);
    QCOMPARE(models.count(), 1);
    QCOMPARE(project.modelIndex(), 2);
    QCOMPARE(project.parameters(), SensorParameters());
    QVERIFY(project.fileName().isEmpty());
    QVERIFY(!project.isModified());
    QVERIFY(project.areas().area(5).out1Points.isEmpty());
    QCOMPARE(project.areas().area(5).steerMinDgree, -40);  // the ranges stay
}

QTEST_GUILESS_MAIN(TestProjectDocument)
#include "tst_projectdocument.moc"
