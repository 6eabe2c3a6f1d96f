// Cost of a configuration report of 64 full areas: every field of every area a polygon
// of 100 vertices (the most a field can carry), so each area takes two pages, in both
// languages. The aim is under three seconds for the whole report.

#include "core/app/language.h"
#include "core/report/configurationreport.h"

#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>

#include <cmath>

using namespace veltrix;

namespace {

constexpr int Vertices = 100;

ReportDocument fullDocument()
{
    ReportDocument document;
    document.modelIndex = 2;
    document.projectFile = QStringLiteral("/plant/line 3/plant.KT20");
    document.madeAt = QDateTime(QDate(2024, 5, 17), QTime(14, 30));
    for (int index = 0; index < document.configuration.areas.size(); ++index) {
        AreaRecord &area = document.configuration.areas[index];
        for (int field = 0; field < FieldCount; ++field) {
            // Ragged outlines of some metres, different in every area and field.
            const double radius = 6000.0 - 1500.0 * field + 20.0 * index;
            for (int i = 0; i < Vertices; ++i) {
                const double degrees = -44.0 + 268.0 * i / (Vertices - 1);
                const double r = radius * (1.0 + 0.15 * std::sin(i * 0.7 + index));
                area.points(field).append(QPoint(qRound(r * std::cos(qDegreesToRadians(degrees))),
                                                 qRound(r * std::sin(qDegreesToRadians(degrees)))));
            }
        }
    }
    return document;
}

}  // namespace

class BenchReport : public QObject
{
    Q_OBJECT

private slots:
    void report_data();
    void report();

private:
    LanguageSwitch m_languages;
};

void BenchReport::report_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QString::fromLatin1(LanguageSwitch::English);
    QTest::newRow("Chinese") << QString::fromLatin1(LanguageSwitch::SourceLanguage);
}

void BenchReport::report()
{
    QFETCH(QString, language);
    QVERIFY(m_languages.setLanguage(language));
    const ReportDocument document = fullDocument();
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("report.pdf"));
    ReportResult result;
    QBENCHMARK {
        result = ConfigurationReport::write(document, fileName);
    }
    QVERIFY2(result.written(), qPrintable(result.error));
    QCOMPARE(result.pages, 2 + 2 * AreaCount);
    qInfo("%d pages, %lld bytes", result.pages, QFileInfo(fileName).size());
}

QTEST_MAIN(BenchReport)
#include "bench_report.moc"
