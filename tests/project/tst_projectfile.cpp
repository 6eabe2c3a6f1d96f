#include "core/areas/areamodel.h"
#include "core/project/projectfile.h"

#include <QBuffer>
#include <QDate>
#include <QtTest>

using namespace veltrix;

namespace {

const QDate SavedOn(2026, 3, 9);

// A document that uses everything the format can hold: all six shapes, negative
// coordinates, empty lists, a list longer than a frame takes, settings off their
// defaults, numbers in every area field.
ProjectContents richDocument(int model)
{
    ProjectContents doc;
    doc.modelIndex = model;
    for (int index = 0; index < ProjectSettingCount; ++index)
        doc.settings << (index * 7 + 3) % 200;
    doc.areas = QVector<AreaRecord>(AreaCount);
    for (int number = 0; number < AreaCount; ++number) {
        AreaRecord &area = doc.areas[number];
        for (int field = 0; field < AreaNumberCount - FieldCount; ++field)
            area.setNumber(field, number * 3 - field * 11);
        area.out1Shape = number % 3;
        area.out2Shape = number % 6;
        area.out3Shape = (number + 2) % 6;
        if (number % 4 != 0)
            area.out1Points = {{-1200, 350}, {1200, -350}, {0, 3000 + number}};
        if (number % 5 == 1)
            area.out2Points = {{0, -number}};
    }
    for (int i = 0; i < 130; ++i)
        doc.areas[63].out3Points << QPoint(i * 10, -i);
    return doc;
}

QByteArray written(const ProjectContents &doc)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!WriteProject(buffer, doc, SavedOn, &error))
        qWarning() << error;
    return buffer.data();
}

bool readInto(const QByteArray &bytes, int expectedModel, ProjectContents &doc,
              QString *error = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadProject(buffer, expectedModel, doc, error);
}

// As the program starts: blank areas with detection size 1.0 degree (index 1).
ProjectContents startupDocument()
{
    ProjectContents doc;
    doc.settings = QVector<int>(ProjectSettingCount, 1);
    AreaRecord area;
    area.detectionSize = 1;
    doc.areas = QVector<AreaRecord>(AreaCount, area);
    return doc;
}

bool sameDocument(const ProjectContents &a, const ProjectContents &b)
{
    return a.modelIndex == b.modelIndex && a.settings == b.settings && a.areas == b.areas;
}

// A file of the given lines, each ended by LF.
QByteArray lines(const QStringList &text)
{
    return (text.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QStringList areaBlock(int number, const QStringList &numbers, const QStringList &out1 = {})
{
    return QStringList{QString::number(number)} + numbers + QStringList{"Out1CoordStr"} + out1
        + QStringList{"Out1CoordEnd", "Out2CoordStr", "Out2CoordEnd", "Out3CoordStr",
                      "Out3CoordEnd"};
}

QStringList fileStart(const QString &header = QStringLiteral("VRQ_LASER_20"))
{
    QStringList text{header, "SensorSetting"};
    for (int i = 0; i < ProjectSettingCount; ++i)
        text << QString::number(i);
    return text << "CoordTableData";
}

const QStringList PlainNumbers{"1", "2", "3", "4", "5", "6", "7", "8", "2", "1", "4", "5"};

}  // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTripKeepsEveryValue_data();
    void roundTripKeepsEveryValue();
    void freshDocumentLayout();
    void damagedFileChangesNothing_data();
    void damagedFileChangesNothing();
    void shortAreaListChangesOnlyNamedAreas();
    void lenientValues();
};

void TestProjectFile::roundTripKeepsEveryValue_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("windowsLineEnds");
    for (int model = 0; model < 5; ++model) {
        QTest::addRow("model %d LF", model) << model << false;
        QTest::addRow("model %d CR LF", model) << model << true;
    }
}

void TestProjectFile::roundTripKeepsEveryValue()
{
    QFETCH(int, model);
    QFETCH(bool, windowsLineEnds);
    const ProjectContents original = richDocument(model);
    QByteArray bytes = written(original);
    if (windowsLineEnds)
        bytes.replace("\n", "\r\n");

    ProjectContents opened = startupDocument();
    QString error;
    QVERIFY2(readInto(bytes, -1, opened, &error), qPrintable(error));
    QVERIFY(sameDocument(opened, original));
    // The same file opened as the current model's file.
    ProjectContents again = startupDocument();
    again.modelIndex = model;
    QVERIFY(readInto(bytes, model, again));
    QVERIFY(sameDocument(again, original));
    // Written again, it is the same file.
    QCOMPARE(written(opened), written(original));
}

void TestProjectFile::freshDocumentLayout()
{
    ProjectContents doc = startupDocument();
    doc.modelIndex = 3;
    doc.areas[7].out1Points = {{1200, -350}};
    const QList<QByteArray> text = written(doc).split('\n');
    // The last element is the empty rest after the final line end.
    QCOMPARE(text.size(), 1247 + 1 + 1);
    QVERIFY(text.last().isEmpty());
    QCOMPARE(text.at(0), QByteArray("VRQ_LASER_30"));
    QCOMPARE(text.at(1), QByteArray("SensorSetting"));
    QCOMPARE(text.at(26), QByteArray("CoordTableData"));
    QCOMPARE(text.at(27), QByteArray("0"));
    QCOMPARE(text.at(27 + 4), QByteArray("1"));  // detection size of a fresh area
    QVERIFY(text.contains("1200,-350"));
    QCOMPARE(text.mid(text.size() - 5, 4),
             (QList<QByteArray>{"CoordTableDataEnd", "VRQ_LASER_ZD_INFORMATION", "2026-03-09",
                                "SOFTWARE VERSION 1.3.6"}));
}



void TestProjectFile::damagedFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("expectedModel");
    QTest::addColumn<QString>("reason");

    const QByteArray full = written(richDocument(2));
    const auto cutBefore = [&full](const QByteArray &marker, int occurrence) {
        int at = -1;
        for (int i = 0; i <= occurrence; ++i)
            at = full.indexOf(marker, at + 1);
        return full.left(at);
    };
    QTest::newRow("header only") << QByteArray("VRQ_LASER_20\n") << 2
                                 << "文件在第 %1 行结束，缺少“SensorSetting”。";
    QTest::newRow("other model") << full << 0 << "第 1 行应为“VRQ_LASER_05”。";
    QTest::newRow("lower-case header") << full.toLower() << -1
                                       << "第 1 行不是任何型号的项目文件的第一行。";
    QTest::newRow("inside Out2 list") << cutBefore("Out2CoordEnd", 11) << 2
                                      << "文件在第 %1 行结束，缺少“Out2CoordEnd”。";
    QTest::newRow("inside last Out3 list") << cutBefore("Out3CoordEnd", 63) << 2
                                           << "文件在第 %1 行结束，缺少“Out3CoordEnd”。";
    QTest::newRow("before end marker") << cutBefore("CoordTableDataEnd", 0) << 2
                                       << "文件在第 %1 行结束，缺少“CoordTableDataEnd”。";
    QTest::newRow("area number 64") << lines(fileStart() + areaBlock(64, PlainNumbers)) << 2
                                    << "第 28 行：区域号“64”不在 0 到 63 之间。";
}

void TestProjectFile::damagedFileChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, expectedModel);
    QFETCH(QString, reason);

    ProjectContents doc = startupDocument();
    doc.modelIndex = expectedModel < 0 ? 1 : expectedModel;
    doc.areas[5].out1Points = {{1, 2}};
    const ProjectContents before = doc;
    QString error;
    QVERIFY(!readInto(bytes, expectedModel, doc, &error));
    QVERIFY(sameDocument(doc, before));
    // A file cut short is named by its last line: the number of lines it has.
    if (reason.contains(QLatin1String("%1")))
        reason = reason.arg(bytes.count('\n'));
    QCOMPARE(error, reason);
}

void TestProjectFile::shortAreaListChangesOnlyNamedAreas()
{
    QStringList text = fileStart();
    for (int number = 0; number < 3; ++number)
        text += areaBlock(number, PlainNumbers, {"-100,200"});
    text << "CoordTableDataEnd";

    ProjectContents doc = startupDocument();
    doc.areas[3].out1Points = {{5, 5}};
    const ProjectContents before = doc;
    QVERIFY(readInto(lines(text), 2, doc));
    for (int number = 0; number < 3; ++number) {
        QCOMPARE(doc.areas[number].out1Points, (QVector<QPoint>{{-100, 200}}));
        QCOMPARE(doc.areas[number].out2Shape, 4);
    }
    QCOMPARE(doc.areas.mid(3), before.areas.mid(3));
    QCOMPARE(doc.settings.last(), ProjectSettingCount - 1);
}

void TestProjectFile::lenientValues()
{
    QStringList numbers = PlainNumbers;
    numbers[0] = "fast";  // open delay
    numbers[10] = "7";    // Out2 shape out of range: keeps the old shape
    numbers[9] = "3";     // Out1 takes no dependent shape
    QStringList text = fileStart();
    text[2] = "x";
    text += areaBlock(9, numbers, {"100", "a,b", "5,-6,7", ",8"});
    text << "CoordTableDataEnd";

    ProjectContents doc = startupDocument();
    doc.areas[9].out1Shape = Arc;
    doc.areas[9].out2Shape = Ratio;
    QVERIFY(readInto(lines(text).replace("\n", "\r\n"), 2, doc));
    const AreaRecord &area = doc.areas[9];
    QCOMPARE(area.out1Points, (QVector<QPoint>{{100, 0}, {0, 0}, {5, -6}, {0, 8}}));
    QCOMPARE(area.openDelay, 0);
    QCOMPARE(area.closeDelay, 2);
    QCOMPARE(area.out1Shape, qint32(Arc));
    QCOMPARE(area.out2Shape, qint32(Ratio));
    QCOMPARE(area.out3Shape, qint32(Ratio));
    QCOMPARE(doc.settings.first(), 0);
}




QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
