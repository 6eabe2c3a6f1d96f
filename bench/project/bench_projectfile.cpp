#include "core/areas/areamodel.h"
#include "core/project/projectfile.h"

#include <QDate>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int PointsPerField = 100;

// The largest document a user makes: every field of every area a 100-vertex polygon.
ProjectContents fullDocument()
{
    ProjectContents doc;
    doc.modelIndex = 4;
    doc.settings = QVector<int>(ProjectSettingCount, 127);
    doc.areas = QVector<AreaRecord>(AreaCount);
    for (int number = 0; number < AreaCount; ++number) {
        for (int field = 0; field < FieldCount; ++field) {
            QVector<QPoint> &points = doc.areas[number].points(field);
            for (int i = 0; i < PointsPerField; ++i)
                points << QPoint(-49000 + i * 977 + number, 1000 + field * 15000 - i * 37);
        }
    }
    return doc;
}

}  // namespace

// Saving and opening as the program does: through a save file that replaces the old
// one on commit, and reading the whole file into a copy of the document.
class BenchProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void save();
    void open();

private:
    QTemporaryDir m_dir;
    QString m_path;
    ProjectContents m_document;
};

void BenchProjectFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("plant.KT50"));
    m_document = fullDocument();
}

void BenchProjectFile::save()
{
    QBENCHMARK {
        QSaveFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        QVERIFY(WriteProject(file, m_document, QDate::currentDate()));
        QVERIFY(file.commit());
    }
}

void BenchProjectFile::open()
{
    ProjectContents opened;
    QBENCHMARK {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        opened = ProjectContents();
        QVERIFY(ReadProject(file, -1, opened));
    }
    QVERIFY(opened.areas == m_document.areas);
}

QTEST_GUILESS_MAIN(BenchProjectFile)
#include "bench_projectfile.moc"
